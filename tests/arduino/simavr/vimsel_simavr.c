/*
 * Runs a compiled sketch (its ELF file) in simavr for a number of simulated seconds
 * and prints what the board did, one fact per line, for the test scripts to check:
 *
 *   pin B5 500.123456 1        a watched pin changed: port and bit, time in ms, level
 *   lcd row0 <text>            the display's rows at the end (bytes outside
 *   lcd row1 <text>              printable ASCII written as \xNN)
 *   lcd state four_bit=1 display=1 backlight=1 errors=0
 *
 * Options:
 *   --mcu NAME        atmega328p (default) or atmega2560
 *   --seconds S       simulated time (default 3)
 *   --watch B5        a port letter and bit to trace; may be repeated
 *   --lcd             an HD44780 display behind a PCF8574 at I2C address 0x27, wired
 *                     as the sketches declare it (Rs 0, Rw 1, En 2, backlight 3, D4..D7 4..7)
 *   --bmp180          a BMP180 at address 0x77 holding the data sheet's worked example
 *                     (calibration, raw temperature 27898, raw pressure 23843)
 *   --dht22 D5        a DHT22 on that pin, answering 65.2 % and -10.1 degrees to a
 *                     start pulse of 0.8 to 30 ms
 *   --dht11 D5        the same as a DHT11 (its bytes: whole units, then tenths)
 *   --hcsr04 D6,D7    an HC-SR04 (trigger, echo) with an obstacle at 123 cm
 *   --encoder D5,D2   a wheel's photo-interrupter: while the first pin is driven high
 *                     (the motor runs), the second changes level every 5 ms
 *   --trace-pins      every change of a port's output register and of its direction
 *                     register, bit by bit:
 *                       port B5 500.123456 1    (PORTB bit 5 became 1)
 *                       ddr B5 0.004125 1       (DDRB bit 5 became 1: an output)
 *                     and, on the ATmega328P, of an analogue output (analogWrite): the
 *                     compare value while the timer drives the pin, -1 when it does not:
 *                       pwm B3 12.345678 120
 *   --i2c-log         every message on the I2C bus, as the master sees it:
 *                       i2c 12.345678 S 4e       start and address byte (write to 0x27)
 *                       i2c 12.401234 W 08       a data byte written
 *                       i2c 12.501234 R 55       a data byte a device answered
 *                       i2c 12.601234 P          stop
 *   --serial-log      the text the board prints on its serial line, a line at a time
 *                     (bytes outside printable ASCII as \xNN):
 *                       serial 3.456789 <text>
 *   --uart-in FILE    plays a recorded live stream (see tests/arduino/LiveStream.cpp)
 *                     into the serial line at 9600 baud, 8N1, from --uart-at ms on:
 *                     each byte takes 10 bit times and arrives at the end of its
 *                     stop bit; the recorded pauses between bytes are kept; where the
 *                     host read the board's 0x52 the stream waits until the board has
 *                     sent one, and goes on at the later of that moment and the
 *                     recorded time. Should the board not have answered an end marker
 *                     (0xFD) 150 ms after it, the marker is sent again, as the host
 *                     does. The start of the program is when the board takes in the
 *                     last byte before the stream's "start" line: the first entry into
 *                     its serial receive interrupt after the byte's stop bit (the
 *                     simulated UART adds a frame's time of its own before it raises
 *                     the interrupt, so this is later than the end of the stop bit):
 *                       zero 2531.250000
 *   --uart-at MS      when the stream begins (default 100 ms after reset)
 *   --zero-pc A[,A..] instead, the program starts when the processor first executes
 *                     one of these flash byte addresses (hexadecimal)
 *   --after-zero S    run S simulated seconds after the start of the program (the
 *                     run ends after --seconds in any case; "zero none" when the
 *                     program never started)
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <avr_ioport.h>
#include <avr_twi.h>
#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_elf.h>
#include <sim_cycle_timers.h>
#include <sim_irq.h>
#include <sim_time.h>

#include "sim_bmp180.h"
#include "sim_dht22.h"
#include "sim_encoder.h"
#include "sim_hcsr04.h"
#include "sim_lcd.h"

static avr_t *avr;

static double now_ms(void)
{
    return (double)avr->cycle * 1000.0 / (double)avr->frequency;
}

/* ---------------------------------------------------------------- watched pins */

typedef struct {
    char port;
    int bit;
} watch_t;

static void pin_changed(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    const watch_t *w = param;
    printf("pin %c%d %.6f %u\n", w->port, w->bit, now_ms(), value ? 1u : 0u);
}

/* ---------------------------------------------------------------- devices
 * (the models are the simulator library's: src/sim/parts) */

static int parse_pin(const char *text, char *port, int *bit)
{
    if (text[0] < 'A' || text[0] > 'L' || text[1] < '0' || text[1] > '7')
        return 0;
    *port = text[0];
    *bit = text[1] - '0';
    return 1;
}

/* ---------------------------------------------------------------- port registers */

typedef struct {
    char port;
    int is_ddr;
    uint8_t last;
} port_trace_t;

static void port_reg_changed(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    port_trace_t *t = param;
    const uint8_t v = (uint8_t)value, changed = v ^ t->last;
    t->last = v;
    for (int bit = 0; bit < 8; bit++)
        if (changed & (1 << bit))
            printf("%s %c%d %.6f %d\n", t->is_ddr ? "ddr" : "port", t->port, bit, now_ms(), (v >> bit) & 1);
}

/* The analogue outputs of the ATmega328P (analogWrite): while a timer drives its
 * output-compare pin (a COMnx1 bit set), the pin carries the compare value as PWM.
 * simavr does not show that PWM on the pin, so the registers are watched. */
typedef struct {
    const char *pin;
    uint16_t tccr;   /* data address of TCCRnA */
    uint8_t com;     /* its COMnx1 bit */
    uint16_t ocr;    /* data address of OCRnx (the low byte for Timer 1) */
    int last;        /* -1: the timer does not drive the pin */
} pwm_out_t;

static pwm_out_t pwm_outs[] = {
    {"D6", 0x44, 1 << 7, 0x47, -1}, {"D5", 0x44, 1 << 5, 0x48, -1},
    {"B1", 0x80, 1 << 7, 0x88, -1}, {"B2", 0x80, 1 << 5, 0x8A, -1},
    {"B3", 0xB0, 1 << 7, 0xB3, -1}, {"D3", 0xB0, 1 << 5, 0xB4, -1},
};
static int trace_pwm;

static void check_pwm(void)
{
    for (size_t i = 0; i < sizeof pwm_outs / sizeof pwm_outs[0]; i++) {
        pwm_out_t *o = &pwm_outs[i];
        const int v = (avr->data[o->tccr] & o->com) ? avr->data[o->ocr] : -1;
        if (v != o->last) {
            o->last = v;
            printf("pwm %s %.6f %d\n", o->pin, now_ms(), v);
        }
    }
}

static void trace_ports(void)
{
    trace_pwm = !strncmp(avr->mmcu, "atmega328", 9);
    static port_trace_t traces[2 * 12];
    int n = 0;
    for (char port = 'A'; port <= 'L'; port++) {
        avr_irq_t *reg = avr_io_getirq(avr, AVR_IOCTL_IOPORT_GETIRQ(port), IOPORT_IRQ_REG_PORT);
        avr_irq_t *ddr = avr_io_getirq(avr, AVR_IOCTL_IOPORT_GETIRQ(port), IOPORT_IRQ_DIRECTION_ALL);
        if (!reg || !ddr)
            continue;
        traces[n] = (port_trace_t){.port = port, .is_ddr = 0};
        avr_irq_register_notify(reg, port_reg_changed, &traces[n++]);
        traces[n] = (port_trace_t){.port = port, .is_ddr = 1};
        avr_irq_register_notify(ddr, port_reg_changed, &traces[n++]);
    }
}

/* ---------------------------------------------------------------- I2C bus log */

static void i2c_from_master(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    (void)param;
    avr_twi_msg_irq_t v;
    v.u.v = value;
    if (v.u.twi.msg & TWI_COND_START)
        printf("i2c %.6f S %02x\n", now_ms(), v.u.twi.addr);
    if (v.u.twi.msg & TWI_COND_WRITE)
        printf("i2c %.6f W %02x\n", now_ms(), v.u.twi.data);
    if (v.u.twi.msg & TWI_COND_STOP)
        printf("i2c %.6f P\n", now_ms());
}

static void i2c_to_master(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    (void)param;
    avr_twi_msg_irq_t v;
    v.u.v = value;
    if (v.u.twi.msg & TWI_COND_READ)
        printf("i2c %.6f R %02x\n", now_ms(), v.u.twi.data);
}

static void log_i2c(void)
{
    avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_TWI_GETIRQ(0), TWI_IRQ_OUTPUT), i2c_from_master, NULL);
    avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_TWI_GETIRQ(0), TWI_IRQ_INPUT), i2c_to_master, NULL);
}

/* ---------------------------------------------------------------- serial line */

static double zero_ms = -1;  /* the start of the program, once known */
static int serial_log;
static char serial_line[256];
static int serial_len;
static int readies;           /* 0x52 bytes the board has sent */

static void serial_flush(void)
{
    if (serial_len && serial_log)
        printf("serial %.6f %.*s\n", now_ms(), serial_len, serial_line);
    serial_len = 0;
}

static void uart_output(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    (void)param;
    const uint8_t c = (uint8_t)value;
    if (c == 0x52)
        readies++;
    if (c == '\r' || c == '\n') {
        serial_flush();
        return;
    }
    if (serial_len > (int)sizeof serial_line - 5)
        serial_flush();
    if (c >= 0x20 && c < 0x7F && c != '\\')
        serial_line[serial_len++] = (char)c;
    else
        serial_len += sprintf(serial_line + serial_len, "\\x%02x", c);
}

/* A recorded live stream played into the serial line. */
enum { EV_SEND, EV_WAIT, EV_START };
typedef struct {
    int kind;
    double ms;      /* recorded host time */
    uint8_t byte;
} stream_event_t;

static struct {
    stream_event_t *ev;
    int n, next;
    double offset;        /* simulated ms = recorded ms + offset */
    double line_free;     /* the line is busy sending until then */
    double last_fd;       /* when the last end marker went out, or -1 */
    int readies_used;
    int resent;
    avr_irq_t *rx;
    uint8_t in_flight;
    int taking_last;      /* the transfer is over: waiting for the receive interrupt */
    uint32_t rx_vector;   /* flash byte address of the serial receive interrupt */
} player;

/* 10 bits at 9600 baud */
static const double byte_ms = 10.0 * 1000.0 / 9600.0;

static int read_stream(const char *path)
{
    FILE *f = fopen(path, "r");
    if (!f) {
        fprintf(stderr, "cannot read %s\n", path);
        return 0;
    }
    int cap = 1024;
    player.ev = malloc(sizeof(stream_event_t) * (size_t)cap);
    char line[4096];
    while (fgets(line, sizeof line, f)) {
        char word[16];
        double ms;
        int used;
        if (line[0] == '#' || sscanf(line, "%15s %lf%n", word, &ms, &used) != 2)
            continue;
        if (player.n + 256 > cap) {
            cap *= 2;
            player.ev = realloc(player.ev, sizeof(stream_event_t) * (size_t)cap);
        }
        if (!strcmp(word, "send")) {
            const char *p = line + used;
            unsigned b;
            int k;
            while (sscanf(p, "%x%n", &b, &k) == 1) {
                player.ev[player.n++] = (stream_event_t){EV_SEND, ms, (uint8_t)b};
                p += k;
            }
        } else if (!strcmp(word, "wait52")) {
            player.ev[player.n++] = (stream_event_t){EV_WAIT, ms, 0};
        } else if (!strcmp(word, "start")) {
            player.ev[player.n++] = (stream_event_t){EV_START, ms, 0};
        }
    }
    fclose(f);
    return 1;
}

static avr_cycle_count_t player_step(struct avr_t *a, avr_cycle_count_t when, void *param);

static avr_cycle_count_t at_ms(double ms)
{
    return (avr_cycle_count_t)(ms * (double)avr->frequency / 1000.0 + 0.5);
}

static avr_cycle_count_t byte_arrives(struct avr_t *a, avr_cycle_count_t when, void *param)
{
    (void)a;
    (void)when;
    (void)param;
    avr_raise_irq(player.rx, player.in_flight);
    return 0;
}

static void player_send(uint8_t b)
{
    const double now = now_ms();
    player.in_flight = b;
    player.line_free = now + byte_ms;
    avr_cycle_timer_register(avr, at_ms(player.line_free) - avr->cycle, byte_arrives, NULL);
    if (b == 0xFD)
        player.last_fd = now;
}

/* Runs the stream as far as it can go now; returns the cycle to look again at. */
static avr_cycle_count_t player_step(struct avr_t *a, avr_cycle_count_t when, void *param)
{
    (void)a;
    (void)param;
    while (player.next < player.n) {
        const double now = now_ms();
        const stream_event_t *e = &player.ev[player.next];
        const double due = e->ms + player.offset;
        if (e->kind == EV_SEND) {
            const double t = due > player.line_free ? due : player.line_free;
            if (t > now + 1e-9)
                return at_ms(t) > when ? at_ms(t) : when + 1;
            player_send(e->byte);
            player.next++;
        } else if (e->kind == EV_WAIT) {
            if (now < player.line_free)
                return at_ms(player.line_free) + 1;
            if (readies > player.readies_used && now + 1e-9 >= due) {
                player.readies_used = readies;
                if (now > due)
                    player.offset = now - e->ms;
                player.next++;
                continue;
            }
            if (player.last_fd >= 0 && now - player.last_fd >= 150) {
                player_send(0xFD);
                player.resent++;
                printf("stream %.6f resent end marker\n", now);
            }
            if (now - due > 5000) {
                printf("stream %.6f no 0x52 from the board\n", now);
                player.next = player.n;
                return 0;
            }
            return when + avr_usec_to_cycles(avr, 100);
        } else {
            if (now < player.line_free)
                return at_ms(player.line_free) + 1;
            player.taking_last = 1;
            player.offset = now - e->ms;
            player.next++;
        }
    }
    return 0;
}

static void print_row(const sim_lcd_t *l, int row)
{
    uint8_t text[16];
    sim_lcd_row(l, row, text);
    printf("lcd row%d ", row);
    for (int i = 0; i < 16; i++) {
        const uint8_t c = text[i];
        if (c >= 0x20 && c < 0x7F && c != '\\')
            putchar(c);
        else
            printf("\\x%02x", c);
    }
    putchar('\n');
}

/* ---------------------------------------------------------------- main */

int main(int argc, char **argv)
{
    const char *mcu = "atmega328p", *elf = NULL;
    double seconds = 3;
    watch_t watches[8];
    int nwatch = 0, want_lcd = 0, want_bmp = 0, want_dht = 0, want_sonar = 0, want_encoder = 0;
    char dht_port = 0, trig_port = 0, echo_port = 0, motor_port = 0, enc_port = 0;
    int dht_bit = 0, trig_bit = 0, echo_bit = 0, motor_bit = 0, enc_bit = 0;
    int want_trace = 0, want_i2c_log = 0;
    const char *uart_in = NULL, *zero_pcs = NULL;
    double uart_at = 100, after_zero = -1;
    for (int i = 1; i < argc; i++) {
        if (!strcmp(argv[i], "--mcu") && i + 1 < argc)
            mcu = argv[++i];
        else if (!strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = atof(argv[++i]);
        else if (!strcmp(argv[i], "--watch") && i + 1 < argc && nwatch < 8) {
            const char *w = argv[++i];
            watches[nwatch].port = w[0];
            watches[nwatch].bit = atoi(w + 1);
            nwatch++;
        } else if (!strcmp(argv[i], "--lcd"))
            want_lcd = 1;
        else if (!strcmp(argv[i], "--bmp180"))
            want_bmp = 1;
        else if ((!strcmp(argv[i], "--dht22") || !strcmp(argv[i], "--dht11")) && i + 1 < argc
                 && parse_pin(argv[i + 1], &dht_port, &dht_bit)) {
            want_dht = !strcmp(argv[i], "--dht11") ? 11 : 22;
            i++;
        } else if (!strcmp(argv[i], "--hcsr04") && i + 1 < argc && parse_pin(argv[i + 1], &trig_port, &trig_bit)
                   && argv[i + 1][2] == ',' && parse_pin(argv[i + 1] + 3, &echo_port, &echo_bit)) {
            want_sonar = 1;
            i++;
        } else if (!strcmp(argv[i], "--encoder") && i + 1 < argc && parse_pin(argv[i + 1], &motor_port, &motor_bit)
                   && argv[i + 1][2] == ',' && parse_pin(argv[i + 1] + 3, &enc_port, &enc_bit)) {
            want_encoder = 1;
            i++;
        }
        else if (!strcmp(argv[i], "--trace-pins"))
            want_trace = 1;
        else if (!strcmp(argv[i], "--i2c-log"))
            want_i2c_log = 1;
        else if (!strcmp(argv[i], "--serial-log"))
            serial_log = 1;
        else if (!strcmp(argv[i], "--uart-in") && i + 1 < argc)
            uart_in = argv[++i];
        else if (!strcmp(argv[i], "--uart-at") && i + 1 < argc)
            uart_at = atof(argv[++i]);
        else if (!strcmp(argv[i], "--zero-pc") && i + 1 < argc)
            zero_pcs = argv[++i];
        else if (!strcmp(argv[i], "--after-zero") && i + 1 < argc)
            after_zero = atof(argv[++i]);
        else if (argv[i][0] != '-')
            elf = argv[i];
        else {
            fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (!elf) {
        fprintf(stderr, "usage: %s [--mcu NAME] [--seconds S] [--watch B5]... [--lcd] [--bmp180] [--dht22 D5 | --dht11 D5] [--hcsr04 D6,D7] [--encoder D5,D2] [--trace-pins] [--i2c-log] [--serial-log] [--uart-in FILE [--uart-at MS]] [--zero-pc A,...] [--after-zero S] sketch.elf\n", argv[0]);
        return 2;
    }

    elf_firmware_t fw;
    memset(&fw, 0, sizeof fw);
    if (elf_read_firmware(elf, &fw) != 0) {
        fprintf(stderr, "cannot read %s\n", elf);
        return 1;
    }
    avr = avr_make_mcu_by_name(mcu);
    if (!avr) {
        fprintf(stderr, "unknown mcu %s\n", mcu);
        return 1;
    }
    avr_init(avr);
    avr->log = 0;
    avr_load_firmware(avr, &fw);
    avr->frequency = 16000000;

    for (int i = 0; i < nwatch; i++)
        avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_IOPORT_GETIRQ(watches[i].port), watches[i].bit),
                                pin_changed, &watches[i]);

    static sim_lcd_t lcd;
    static sim_bmp180_t bmp;
    if (want_lcd)
        sim_lcd_attach(avr, &lcd);
    if (want_bmp)
        sim_bmp180_attach(avr, &bmp);

    static sim_dht22_t dht;
    static sim_hcsr04_t sonar;
    static sim_encoder_t encoder;
    if (want_dht)
        sim_dht22_attach(avr, &dht, dht_port, dht_bit);
    if (want_dht == 11)
        sim_dht22_as_dht11(&dht);
    if (want_sonar)
        sim_hcsr04_attach(avr, &sonar, trig_port, trig_bit, echo_port, echo_bit);
    if (want_encoder)
        sim_encoder_attach(avr, &encoder, motor_port, motor_bit, enc_port, enc_bit);

    if (want_trace)
        trace_ports();
    if (want_i2c_log)
        log_i2c();

    /* The serial line: what the board sends is logged (and its 0x52 counted), not
     * echoed to the console. */
    uint32_t flags = 0;
    avr_ioctl(avr, AVR_IOCTL_UART_GET_FLAGS('0'), &flags);
    flags &= ~(uint32_t)(AVR_UART_FLAG_STDIO | AVR_UART_FLAG_POLL_SLEEP);
    avr_ioctl(avr, AVR_IOCTL_UART_SET_FLAGS('0'), &flags);
    avr_irq_register_notify(avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUTPUT), uart_output, NULL);
    if (uart_in) {
        if (!read_stream(uart_in))
            return 1;
        player.rx = avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_INPUT);
        player.offset = uart_at;
        /* USART(0)_RX: vector 18 of the ATmega328P, 25 of the ATmega2560, 4 bytes each. */
        player.rx_vector = strncmp(avr->mmcu, "atmega328", 9) ? 25 * 4 : 18 * 4;
        player.last_fd = -1;
        avr_cycle_timer_register(avr, at_ms(uart_at), player_step, NULL);
    }

    /* Flash byte addresses whose first execution starts the program. */
    uint32_t zero_pc[64];
    int nzero = 0;
    for (const char *p = zero_pcs; p && *p && nzero < 64;) {
        char *e;
        zero_pc[nzero++] = (uint32_t)strtoul(p, &e, 16);
        p = *e == ',' ? e + 1 : e + strlen(e);
    }

    uint64_t end = (uint64_t)(seconds * avr->frequency);
    int state = cpu_Running;
    while (avr->cycle < end) {
        state = avr_run(avr);
        if (state == cpu_Done || state == cpu_Crashed)
            break;
        if (trace_pwm)
            check_pwm();
        if (player.taking_last && avr->pc == player.rx_vector) {
            player.taking_last = 0;
            zero_ms = now_ms();
            printf("zero %.6f\n", zero_ms);
        }
        if (nzero && zero_ms < 0) {
            for (int i = 0; i < nzero; i++)
                if (avr->pc == zero_pc[i]) {
                    zero_ms = now_ms();
                    printf("zero %.6f\n", zero_ms);
                    break;
                }
        }
        if (after_zero >= 0 && zero_ms >= 0) {
            const uint64_t stop = at_ms(zero_ms + after_zero * 1000.0);
            if (stop < end)
                end = stop;
        }
    }
    serial_flush();
    if (after_zero >= 0 && zero_ms < 0)
        printf("zero none\n");
    if (want_lcd) {
        print_row(&lcd, 0);
        print_row(&lcd, 1);
        printf("lcd state four_bit=%d display=%d backlight=%d errors=%d\n", lcd.four_bit, lcd.display_on,
               sim_lcd_backlight(&lcd), lcd.errors);
    }
    printf("end %.3f ms state %d\n", now_ms(), state);
    return state == cpu_Crashed ? 1 : 0;
}
