/*
 * A simulated Arduino Uno behind a serial port of its own, for upload tests: the
 * ATmega328P starts in its bootloader (Optiboot, given as an Intel hex file), its
 * UART0 is bridged to a pseudo-terminal, and opening that terminal resets the chip
 * as the DTR line of a real board does. Any uploader (avrdude, the IDE, the program)
 * can then write a sketch to it; the bootloader starts the sketch after the upload
 * and the watched pins are reported from then on.
 *
 * Several boards can run at once: each makes its own pseudo-terminal and a symbolic
 * link to it at the path given with --port.
 *
 * Lines on standard output, one fact each (times in milliseconds):
 *
 *   ready /tmp/x/ttySIM /dev/pts/7   the link is in place, uploads can start
 *   open 1234.5                      an uploader opened the port (wall-clock time since
 *                                    the start); the chip was reset into the bootloader
 *   close 2345.6                     the uploader closed the port
 *   start 2301.2                     the uploaded sketch started (wall-clock time);
 *                                    after another upload, again
 *   pin B5 500.123456 1              a watched pin changed: simulated time since the
 *                                    sketch started, level
 *   text Ready                       a line the sketch wrote to its serial port
 *   end ran 3000.000                 the sketch ran the requested simulated time
 *   end timeout 120000.0             or the wall-clock limit came first (exit 1)
 *   speed port 57600 chip 117647: bytes lost
 *                                    the uploader's line speed is not the chip's
 *
 * Options:
 *   --bootloader FILE   Optiboot for the ATmega328P at 16 MHz, Intel hex; without it
 *                       the chip is blank and nothing answers the uploader
 *   --port PATH         where to put the link to the pseudo-terminal (required)
 *   --seconds S         simulated seconds to run the sketch for (default 3); 0 runs
 *                       until the wall-clock limit or a signal
 *   --realtime          hold simulated time to wall-clock time while the sketch runs
 *                       too (a sketch that talks to a program over the line at its
 *                       real speed, or a blink a person must see at its real pace)
 *   --timeout S         wall-clock limit for the whole run (default 120)
 *   --watch B5          a port letter and bit to trace; may be repeated (default B5,
 *                       the Uno's pin 13)
 *
 * Until the sketch starts, simulated time is held to wall-clock time: the bootloader's
 * one-second watchdog and the uploader's own delays must meet as they do on a board.
 * The sketch then runs as fast as the host allows, or, with --realtime, at the same
 * pace.
 */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <avr_ioport.h>
#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_hex.h>
#include <sim_irq.h>

enum {
    BOOT_START = 0x7E00, /* byte address: the Uno's BOOTRST fuse and 512-byte boot section */
    MCUSR_ADDR = 0x54,   /* data-space address of MCUSR on the ATmega328P */
    EXTRF_BIT = 1,
    PORF_BIT = 0,
    UCSR0A_ADDR = 0xC0,  /* UART0 registers, data-space addresses */
    UCSR0B_ADDR = 0xC1,
    UBRR0L_ADDR = 0xC4,
    UBRR0H_ADDR = 0xC5,
    U2X0_MASK = 0x02,
    RXEN0_TXEN0_MASK = 0x18,
    POLL_CYCLES = 1600,  /* look at the port every 100 us of simulated time */
};

static avr_t *avr;
static int master = -1;
static const char *link_path;
static volatile sig_atomic_t stop_signal;

/* Simulated cycles since power-on; simavr restarts its own count at every reset. */
static uint64_t cycle_base, last_cycle;

static uint64_t total_cycles(void)
{
    if (avr->cycle < last_cycle)
        cycle_base += last_cycle;
    last_cycle = avr->cycle;
    return cycle_base + avr->cycle;
}

static double wall_ms(void)
{
    static struct timespec t0;
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    if (!t0.tv_sec && !t0.tv_nsec)
        t0 = t;
    return (double)(t.tv_sec - t0.tv_sec) * 1e3 + (double)(t.tv_nsec - t0.tv_nsec) / 1e6;
}

static void sleep_ms(double ms)
{
    const long us = (long)(ms * 1000);
    struct timespec t = {.tv_sec = us / 1000000, .tv_nsec = us % 1000000 * 1000};
    nanosleep(&t, NULL);
}

static void remove_link(void)
{
    if (link_path)
        unlink(link_path);
}

static void on_signal(int sig)
{
    stop_signal = sig;
}

/* ---------------------------------------------------------------- watched pins */

typedef struct {
    char port;
    int bit;
    int level;
} watch_t;

static int sketch_running;
static uint64_t sketch_start_cycle;

static void pin_changed(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    watch_t *w = param;
    const int level = value ? 1 : 0;
    if (!sketch_running || level == w->level)
        return; /* the bootloader's LED flashes are not the sketch's */
    w->level = level;
    const double ms = (double)(total_cycles() - sketch_start_cycle) * 1000.0 / (double)avr->frequency;
    printf("pin %c%d %.6f %d\n", w->port, w->bit, ms, level);
}

/* ---------------------------------------------------------------- UART0 <-> pty */

static avr_irq_t *uart_input;
static int uart_xoff;
static uint8_t rx_queue[4096];
static size_t rx_head, rx_tail;
static int port_open;
static int speed_mismatch; /* the uploader's line speed is not the chip's */
static int speed_reported; /* once per opening of the port */

static double line_speed(speed_t s)
{
    static const struct {
        speed_t code;
        double baud;
    } speeds[] = {{B300, 300},       {B1200, 1200},     {B2400, 2400},     {B4800, 4800},
                  {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},
                  {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B500000, 500000},
                  {B921600, 921600}, {B1000000, 1000000}};
    for (size_t i = 0; i < sizeof speeds / sizeof speeds[0]; i++)
        if (speeds[i].code == s)
            return speeds[i].baud;
    return 0;
}

/* A pseudo-terminal passes bytes at any speed, a UART understands only its own: the
 * speed the uploader set on its side (the master sees the terminal's settings) is
 * compared with the chip's, and bytes are lost when they differ by more than the 5 %
 * a UART tolerates, where a board would garble them. */
static void check_speeds(void)
{
    struct termios t;
    if (!(avr->data[UCSR0B_ADDR] & RXEN0_TXEN0_MASK) || tcgetattr(master, &t) != 0) {
        speed_mismatch = 0;
        return;
    }
    const double port = line_speed(cfgetospeed(&t));
    const unsigned ubrr = (unsigned)(avr->data[UBRR0H_ADDR] & 0x0F) << 8 | avr->data[UBRR0L_ADDR];
    const double chip = (double)avr->frequency / ((avr->data[UCSR0A_ADDR] & U2X0_MASK ? 8.0 : 16.0) * (ubrr + 1));
    const int mismatch = port < chip * 0.95 || port > chip * 1.05;
    if (mismatch && !speed_reported) {
        speed_reported = 1;
        printf("speed port %.0f chip %.0f: bytes lost\n", port, chip);
    }
    speed_mismatch = mismatch;
}

static void feed_uart(void)
{
    while (!uart_xoff && rx_head != rx_tail) {
        const uint8_t b = rx_queue[rx_tail];
        rx_tail = (rx_tail + 1) % sizeof rx_queue;
        avr_raise_irq(uart_input, b);
    }
}

static void uart_xon_changed(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq, (void)value, (void)param;
    uart_xoff = 0;
    feed_uart();
}

static void uart_xoff_changed(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq, (void)value, (void)param;
    uart_xoff = 1;
}

/* What the sketch writes, gathered into lines for the log; bytes that are not
 * printable text (a binary protocol) are shown as \xNN. */
static char text_line[256];
static size_t text_len;

static void log_text_byte(uint8_t b)
{
    if (b == '\r')
        return;
    if (b == '\n' || text_len + 5 >= sizeof text_line) {
        text_line[text_len] = 0;
        printf("text %s\n", text_line);
        text_len = 0;
        if (b == '\n')
            return;
    }
    if (b >= 0x20 && b < 0x7F)
        text_line[text_len++] = (char)b;
    else
        text_len += (size_t)snprintf(text_line + text_len, 5, "\\x%02X", b);
}

static void uart_output(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq, (void)param;
    if (sketch_running)
        log_text_byte((uint8_t)value);
    if (!port_open || speed_mismatch)
        return; /* nobody listens, or not at this speed */
    const uint8_t b = (uint8_t)value;
    if (write(master, &b, 1) != 1 && errno != EAGAIN && errno != EIO)
        perror("write to the pseudo-terminal");
}

static void read_port(void)
{
    uint8_t buf[512];
    for (;;) {
        const size_t room = (rx_tail + sizeof rx_queue - rx_head - 1) % sizeof rx_queue;
        if (room == 0)
            break; /* leave the rest in the terminal until the chip catches up */
        const ssize_t n = read(master, buf, room < sizeof buf ? room : sizeof buf);
        if (n <= 0)
            break;
        if (speed_mismatch)
            continue;
        for (ssize_t i = 0; i < n; i++) {
            rx_queue[rx_head] = buf[i];
            rx_head = (rx_head + 1) % sizeof rx_queue;
        }
    }
    feed_uart();
}

static int open_port(const char *path)
{
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        perror("posix_openpt");
        return 0;
    }
    const char *slave_name = ptsname(master);
    /* Raw from the first open on, so that nothing the chip sends is echoed back to it
     * before the uploader sets the line up itself. Closing this first opener also
     * leaves the master in the hang-up state that tells when the next one arrives. */
    const int slave = open(slave_name, O_RDWR | O_NOCTTY);
    if (slave < 0) {
        perror(slave_name);
        return 0;
    }
    struct termios t;
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B115200);
    tcsetattr(slave, TCSANOW, &t);
    close(slave);

    unlink(path);
    if (symlink(slave_name, path) != 0) {
        perror(path);
        return 0;
    }
    link_path = path;
    atexit(remove_link);
    printf("ready %s %s\n", path, slave_name);
    return 1;
}

/* The master sees a hang-up while no process has the terminal open. */
static int slave_is_open(void)
{
    struct pollfd p = {.fd = master, .events = POLLIN};
    if (poll(&p, 1, 0) < 0)
        return port_open;
    return !(p.revents & POLLHUP);
}

/* ---------------------------------------------------------------- reset */

static void external_reset(void)
{
    avr_reset(avr);
    avr->pc = BOOT_START;
    avr->data[MCUSR_ADDR] = 1 << EXTRF_BIT;
    rx_head = rx_tail = 0;
    uart_xoff = 0;
}

static int flash_is_blank(void)
{
    for (uint32_t a = 0; a < BOOT_START; a++)
        if (avr->flash[a] != 0xFF)
            return 0;
    return 1;
}

static int load_bootloader(const char *file)
{
    ihex_chunk_p chunks = NULL;
    const int n = read_ihex_chunks(file, &chunks);
    if (n <= 0) {
        fprintf(stderr, "cannot read %s\n", file);
        return 0;
    }
    for (int i = 0; i < n; i++) {
        if (chunks[i].baseaddr < BOOT_START || chunks[i].baseaddr + chunks[i].size > avr->flashend + 1) {
            fprintf(stderr, "%s: %u bytes at 0x%04X do not fit the boot section 0x%04X-0x%04X\n", file,
                    chunks[i].size, chunks[i].baseaddr, BOOT_START, avr->flashend);
            return 0;
        }
        avr_loadcode(avr, chunks[i].data, chunks[i].size, chunks[i].baseaddr);
    }
    free_ihex_chunks(chunks);
    return 1;
}

/* ---------------------------------------------------------------- a blank chip */

/* Without a bootloader nothing on the chip drives the UART: the simulation itself is
 * left out (simavr would run off the end of an erased flash) and the port is only
 * watched, so that the uploader's attempts show in the report. */
static int run_blank(double timeout)
{
    for (;;) {
        const int open = slave_is_open();
        if (open != port_open) {
            port_open = open;
            printf("%s %.1f\n", open ? "open" : "close", wall_ms());
        }
        uint8_t buf[512];
        while (port_open && read(master, buf, sizeof buf) > 0)
            ;
        const double wall = wall_ms();
        if (stop_signal || wall > timeout * 1000) {
            printf("end %s %.1f\n", stop_signal ? "signal" : "timeout", wall);
            return 1;
        }
        sleep_ms(10);
    }
}

/* ---------------------------------------------------------------- main */

int main(int argc, char **argv)
{
    const char *bootloader = NULL, *port = NULL;
    double seconds = 3, timeout = 120;
    int realtime = 0;
    watch_t watches[8];
    int nwatch = 0;
    for (int i = 1; i < argc; i++) {
        if (!strcmp(argv[i], "--bootloader") && i + 1 < argc)
            bootloader = argv[++i];
        else if (!strcmp(argv[i], "--port") && i + 1 < argc)
            port = argv[++i];
        else if (!strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = atof(argv[++i]);
        else if (!strcmp(argv[i], "--realtime"))
            realtime = 1;
        else if (!strcmp(argv[i], "--timeout") && i + 1 < argc)
            timeout = atof(argv[++i]);
        else if (!strcmp(argv[i], "--watch") && i + 1 < argc && nwatch < 8) {
            const char *w = argv[++i];
            watches[nwatch++] = (watch_t){.port = w[0], .bit = atoi(w + 1)};
        } else {
            fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (!port) {
        fprintf(stderr, "usage: %s --port PATH [--bootloader optiboot.hex] [--seconds S] [--realtime] [--timeout S] [--watch B5]...\n",
                argv[0]);
        return 2;
    }
    if (nwatch == 0)
        watches[nwatch++] = (watch_t){.port = 'B', .bit = 5};
    setvbuf(stdout, NULL, _IOLBF, 0);
    signal(SIGINT, on_signal);
    signal(SIGTERM, on_signal);
    signal(SIGHUP, on_signal);
    signal(SIGPIPE, SIG_IGN);
    wall_ms();

    avr = avr_make_mcu_by_name("atmega328p");
    if (!avr)
        return 1;
    avr_init(avr);
    avr->log = 0;
    avr->frequency = 16000000;
    avr->codeend = avr->flashend;
    avr->reset_pc = BOOT_START;
    if (bootloader && !load_bootloader(bootloader))
        return 1;

    uint32_t flags = 0;
    avr_ioctl(avr, AVR_IOCTL_UART_GET_FLAGS('0'), &flags);
    flags &= ~(uint32_t)(AVR_UART_FLAG_STDIO | AVR_UART_FLAG_POLL_SLEEP);
    avr_ioctl(avr, AVR_IOCTL_UART_SET_FLAGS('0'), &flags);
    uart_input = avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_INPUT);
    avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUTPUT), uart_output, NULL);
    avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUT_XON), uart_xon_changed, NULL);
    avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUT_XOFF), uart_xoff_changed, NULL);
    for (int i = 0; i < nwatch; i++)
        avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_IOPORT_GETIRQ(watches[i].port), watches[i].bit),
                                pin_changed, &watches[i]);

    if (!open_port(port))
        return 1;
    if (!bootloader) {
        const int result = run_blank(timeout);
        remove_link();
        _exit(result);
    }

    /* Power-on: the bootloader sees PORF and goes straight to the (empty) application. */
    avr_reset(avr);
    avr->pc = BOOT_START;
    avr->data[MCUSR_ADDR] = 1 << PORF_BIT;

    const uint64_t run_cycles = (uint64_t)(seconds * avr->frequency);
    /* Simulated time is held to wall-clock time from this reference on. */
    uint64_t ref_cycle = 0;
    double ref_wall = wall_ms();
    uint64_t next_poll = 0;
    int opened_since_power_on = 0, app_checked = 0;
    int result = 1;
    for (;;) {
        const int state = avr_run(avr);
        if (state == cpu_Done || state == cpu_Crashed) {
            printf("end crashed %d pc 0x%04X\n", state, avr->pc);
            break;
        }
        /* The sketch starts when the bootloader leaves for an application it was given. */
        if (avr->pc >= BOOT_START)
            app_checked = 0;
        else if (!sketch_running && !app_checked && opened_since_power_on) {
            app_checked = 1;
            if (flash_is_blank())
                continue;
            sketch_running = 1;
            sketch_start_cycle = total_cycles();
            for (int i = 0; i < nwatch; i++)
                watches[i].level = 0; /* the reset left every pin an input, low */
            printf("start %.1f\n", wall_ms());
        }
        const uint64_t now = total_cycles();
        if (sketch_running && run_cycles && now - sketch_start_cycle >= run_cycles) {
            printf("end ran %.3f wall %.1f\n", (double)(now - sketch_start_cycle) * 1000.0 / (double)avr->frequency, wall_ms());
            result = 0;
            break;
        }
        if (now < next_poll)
            continue;
        next_poll = now + POLL_CYCLES;

        const int open = slave_is_open();
        if (open && !port_open) {
            port_open = 1;
            opened_since_power_on = 1;
            speed_reported = 0;
            sketch_running = 0; /* a new upload: report the next sketch from its start */
            printf("open %.1f\n", wall_ms());
            external_reset();
            ref_cycle = total_cycles();
            ref_wall = wall_ms();
            next_poll = ref_cycle + POLL_CYCLES;
            continue;
        }
        if (!open && port_open) {
            port_open = 0;
            printf("close %.1f\n", wall_ms());
        }
        if (port_open) {
            check_speeds();
            read_port();
        }

        const double wall = wall_ms();
        if (stop_signal || wall > timeout * 1000) {
            printf("end %s %.1f\n", stop_signal ? "signal" : "timeout", wall);
            break;
        }
        if (!sketch_running || realtime) {
            const double ahead = (double)(now - ref_cycle) * 1000.0 / (double)avr->frequency - (wall - ref_wall);
            if (ahead > 1)
                sleep_ms(ahead < 2 ? ahead : 2);
            else if (ahead < -20) {
                /* Too slow a host: do not make up for it later in a burst. */
                ref_cycle = now;
                ref_wall = wall;
            }
        }
    }

    /* Let an uploader that still holds the port finish closing it before the terminal
     * goes away under it. */
    const double linger_until = wall_ms() + 5000;
    while (port_open && slave_is_open() && wall_ms() < linger_until && !stop_signal) {
        read_port();
        sleep_ms(10);
    }
    fflush(stdout);
    /* simavr's own clean-up is not needed and its parts may block on exit. */
    remove_link();
    _exit(result);
}
