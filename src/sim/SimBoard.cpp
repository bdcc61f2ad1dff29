#include "SimBoard.h"

extern "C" {
#include "parts/sim_bmp180.h"
#include "parts/sim_dht22.h"
#include "parts/sim_encoder.h"
#include "parts/sim_hcsr04.h"
#include "parts/sim_lcd.h"
}

#include <avr_adc.h>
#include <avr_ioport.h>
#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_cycle_timers.h>
#include <sim_elf.h>
#include <sim_irq.h>

#include <fcntl.h>
#include <gelf.h>
#include <libelf.h>
#include <unistd.h>

#include <QFile>
#include <cmath>
#include <cstdarg>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 Frequency = 16000000;
// One byte on the line: a start bit, 8 data bits and a stop bit at 9600 baud.
constexpr double ByteMs = 10.0 * 1000.0 / 9600.0;

// The data address of a port's PIN register; DDR and PORT follow it.
int pinRegister(BoardPins::Chip chip, char port)
{
    if (chip == BoardPins::Chip::Uno) {
        switch (port) {
        case 'B': return 0x23;
        case 'C': return 0x26;
        case 'D': return 0x29;
        }
        return -1;
    }
    if (port >= 'A' && port <= 'G')
        return 0x20 + 3 * (port - 'A');
    switch (port) {
    case 'H': return 0x100;
    case 'J': return 0x103;
    case 'K': return 0x106;
    case 'L': return 0x109;
    }
    return -1;
}

// simavr's own lines (what it loaded, what it does not model) go to standard output,
// where the command line writes the pin changes: they are not for the pupil.
void quietLogger(avr_t *, int, const char *, va_list) {}

std::vector<std::pair<QByteArray, quint32>> readDataSymbols(const QString &path)
{
    std::vector<std::pair<QByteArray, quint32>> out;
    if (elf_version(EV_CURRENT) == EV_NONE)
        return out;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return out;
    Elf *elf = elf_begin(fd, ELF_C_READ, nullptr);
    for (Elf_Scn *scn = elf ? elf_nextscn(elf, nullptr) : nullptr; scn; scn = elf_nextscn(elf, scn)) {
        GElf_Shdr shdr;
        if (!gelf_getshdr(scn, &shdr) || shdr.sh_type != SHT_SYMTAB)
            continue;
        Elf_Data *data = elf_getdata(scn, nullptr);
        const size_t n = shdr.sh_entsize ? shdr.sh_size / shdr.sh_entsize : 0;
        for (size_t i = 0; data && i < n; ++i) {
            GElf_Sym sym;
            if (!gelf_getsym(data, int(i), &sym) || GELF_ST_TYPE(sym.st_info) != STT_OBJECT)
                continue;
            // The linker puts data at 0x800000 and up.
            if (sym.st_value < 0x800000 || sym.st_value >= 0x810000)
                continue;
            if (const char *name = elf_strptr(elf, shdr.sh_link, sym.st_name))
                out.emplace_back(QByteArray(name), quint32(sym.st_value - 0x800000));
        }
    }
    if (elf)
        elf_end(elf);
    ::close(fd);
    return out;
}

} // namespace

SimBoard::~SimBoard()
{
    if (fAvr)
        avr_terminate(fAvr);
}

std::unique_ptr<SimBoard> SimBoard::open(const QString &elfPath, BoardPins::Chip chip, QString *error)
{
    if (!QFile::exists(elfPath)) {
        *error = u"Δεν βρέθηκε το λογισμικό της πλακέτας για την προσομοίωση: %1"_s.arg(elfPath);
        return nullptr;
    }
    avr_global_logger_set(quietLogger);
    elf_firmware_t fw{};
    if (elf_read_firmware(QFile::encodeName(elfPath).constData(), &fw) != 0) {
        *error = u"Το λογισμικό της πλακέτας δεν διαβάζεται: %1"_s.arg(elfPath);
        return nullptr;
    }
    std::unique_ptr<SimBoard> b(new SimBoard);
    b->fChip = chip;
    b->fElfPath = elfPath;
    b->fAvr = avr_make_mcu_by_name(BoardPins::mcuName(chip));
    if (!b->fAvr) {
        *error = u"Ο προσομοιωτής δεν γνωρίζει τον μικροελεγκτή %1."_s.arg(QString::fromLatin1(BoardPins::mcuName(chip)));
        return nullptr;
    }
    avr_init(b->fAvr);
    b->fAvr->log = 0;
    avr_load_firmware(b->fAvr, &fw);
    b->fAvr->frequency = Frequency;
    // analogRead measures against AVCC.
    b->fAvr->vcc = b->fAvr->avcc = b->fAvr->aref = 5000;
    // USART(0)_RX: vector 18 of the ATmega328P, 25 of the ATmega2560, 4 bytes each.
    b->fRxVector = chip == BoardPins::Chip::Uno ? 18 * 4 : 25 * 4;

    quint32 flags = 0;
    avr_ioctl(b->fAvr, AVR_IOCTL_UART_GET_FLAGS('0'), &flags);
    flags &= ~quint32(AVR_UART_FLAG_STDIO | AVR_UART_FLAG_POLL_SLEEP);
    avr_ioctl(b->fAvr, AVR_IOCTL_UART_SET_FLAGS('0'), &flags);
    avr_irq_register_notify(avr_io_getirq(b->fAvr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUTPUT), uartOut, b.get());
    b->watchPorts();
    int n = 0;
    BoardPins::pwmOutputs(chip, &n);
    b->fPwmLast.assign(size_t(n), -1);
    b->fSymbols = readDataSymbols(elfPath);
    return b;
}

double SimBoard::nowMs() const
{
    return double(fAvr->cycle) * 1000.0 / double(fAvr->frequency);
}

quint64 SimBoard::cycle() const
{
    return fAvr->cycle;
}

quint64 SimBoard::cyclesOfMs(double ms) const
{
    return quint64(ms * double(Frequency) / 1000.0 + 0.5);
}

void SimBoard::watchPorts()
{
    for (char port = 'A'; port <= 'L'; ++port) {
        avr_irq_t *reg = avr_io_getirq(fAvr, AVR_IOCTL_IOPORT_GETIRQ(port), IOPORT_IRQ_REG_PORT);
        avr_irq_t *ddr = avr_io_getirq(fAvr, AVR_IOCTL_IOPORT_GETIRQ(port), IOPORT_IRQ_DIRECTION_ALL);
        if (!reg || !ddr)
            continue;
        fWatches.push_back(std::make_unique<PortWatch>(PortWatch{this, port, false, 0}));
        avr_irq_register_notify(reg, portChanged, fWatches.back().get());
        fWatches.push_back(std::make_unique<PortWatch>(PortWatch{this, port, true, 0}));
        avr_irq_register_notify(ddr, portChanged, fWatches.back().get());
    }
}

void SimBoard::portChanged(avr_irq_t *, quint32 value, void *param)
{
    auto *w = static_cast<PortWatch *>(param);
    const quint8 v = quint8(value), changed = v ^ w->last;
    w->last = v;
    SimBoard *b = w->board;
    if (!b->fOnPin)
        return;
    for (int bit = 0; bit < 8; ++bit) {
        if (!(changed & (1 << bit)))
            continue;
        const int pin = BoardPins::pinAt(b->fChip, w->port, bit);
        if (pin >= 0)
            b->fOnPin({b->nowMs(), pin, w->ddr ? PinKind::Mode : PinKind::Level, (v >> bit) & 1});
    }
}

void SimBoard::checkPwm()
{
    int n = 0;
    const BoardPins::PwmOutput *outs = BoardPins::pwmOutputs(fChip, &n);
    for (int i = 0; i < n; ++i) {
        const BoardPins::PwmOutput &o = outs[i];
        const int v = (fAvr->data[o.tccr] & o.com) ? fAvr->data[o.ocr] : -1;
        if (v != fPwmLast[size_t(i)]) {
            fPwmLast[size_t(i)] = v;
            if (fOnPin)
                fOnPin({nowMs(), o.pin, PinKind::Pwm, v});
        }
    }
}

bool SimBoard::runUntil(double ms)
{
    return runUntilCycle(cyclesOfMs(ms));
}

bool SimBoard::runUntilCycle(quint64 end)
{
    while (fAvr->cycle < end) {
        const int state = avr_run(fAvr);
        if (state == cpu_Done || state == cpu_Crashed)
            return false;
        // An analogue output's registers are looked at every few instructions: a
        // microsecond or two late at most, and the run is faster for it.
        if ((++fSteps & 15) == 0)
            checkPwm();
        if (fArmed && fAvr->pc == fRxVector) {
            fArmed = false;
            fStartMs = nowMs();
        }
    }
    return true;
}

void SimBoard::uartOut(avr_irq_t *, quint32 value, void *param)
{
    auto *b = static_cast<SimBoard *>(param);
    if (b->fOnSerial)
        b->fOnSerial(quint8(value));
}

void SimBoard::sendSerial(const QByteArray &bytes)
{
    for (char c : bytes)
        fRxQueue.push_back(quint8(c));
    if (fRxTimer || fRxQueue.empty())
        return;
    fRxTimer = true;
    const quint64 start = std::max<quint64>(fAvr->cycle, fLineFree);
    const quint64 arrive = start + cyclesOfMs(ByteMs);
    avr_cycle_timer_register(fAvr, arrive - fAvr->cycle, deliverByte, this);
}

std::uint64_t SimBoard::deliverByte(avr_t *avr, std::uint64_t when, void *param)
{
    auto *b = static_cast<SimBoard *>(param);
    avr_raise_irq(avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_INPUT), b->fRxQueue.front());
    b->fRxQueue.pop_front();
    b->fLineFree = when;
    if (b->fRxQueue.empty()) {
        b->fRxTimer = false;
        if (b->fAwaitStart) {
            b->fAwaitStart = false;
            b->fArmed = true;
        }
        return 0;
    }
    return when + b->cyclesOfMs(ByteMs);
}

void SimBoard::markStartAtLastByte()
{
    fStartMs.reset();
    if (fRxQueue.empty())
        fArmed = true;
    else
        fAwaitStart = true;
}

void SimBoard::attachDisplay()
{
    if (fLcd)
        return;
    fLcd = std::make_unique<sim_lcd_t>();
    sim_lcd_attach(fAvr, fLcd.get());
}

QString SimBoard::displayRow(int row) const
{
    if (!fLcd)
        return {};
    quint8 text[16];
    sim_lcd_row(fLcd.get(), row, text);
    QString s;
    for (quint8 c : text)
        s += c == 0xDF ? QChar(0x00B0) : (c >= 0x20 && c < 0x7F ? QChar(char16_t(c)) : QChar(u'·'));
    return s;
}

void SimBoard::attachBarometer()
{
    if (fBmp)
        return;
    fBmp = std::make_unique<sim_bmp180_t>();
    sim_bmp180_attach(fAvr, fBmp.get());
}

void SimBoard::setBarometer(double celsius, double hectopascals)
{
    if (fBmp)
        sim_bmp180_set(fBmp.get(), qint32(std::lround(celsius * 10)), qint32(std::lround(hectopascals * 100)));
}

bool SimBoard::attachDht(int pin, int sensorType)
{
    const auto pb = BoardPins::portBit(fChip, pin);
    if (!pb)
        return false;
    fDhts.push_back(std::make_unique<sim_dht22_t>());
    sim_dht22_attach(fAvr, fDhts.back().get(), pb->port, pb->bit);
    if (sensorType == 11)
        sim_dht22_as_dht11(fDhts.back().get());
    return true;
}

void SimBoard::setDht(int index, double celsius, double percent)
{
    if (index >= 0 && index < int(fDhts.size()))
        sim_dht22_set(fDhts[size_t(index)].get(), int(std::lround(celsius * 10)), int(std::lround(percent * 10)));
}

bool SimBoard::attachSonar(int triggerPin, int echoPin)
{
    const auto t = BoardPins::portBit(fChip, triggerPin), e = BoardPins::portBit(fChip, echoPin);
    if (!t || !e)
        return false;
    fSonars.push_back(std::make_unique<sim_hcsr04_t>());
    sim_hcsr04_attach(fAvr, fSonars.back().get(), t->port, t->bit, e->port, e->bit);
    return true;
}

void SimBoard::setSonar(int index, int centimetres)
{
    if (index >= 0 && index < int(fSonars.size()))
        fSonars[size_t(index)]->cm = centimetres;
}

bool SimBoard::attachWheelSensor(int motorPin, int sensorPin)
{
    const auto m = BoardPins::portBit(fChip, motorPin), s = BoardPins::portBit(fChip, sensorPin);
    if (!m || !s)
        return false;
    fEncoders.push_back(std::make_unique<sim_encoder_t>());
    sim_encoder_attach(fAvr, fEncoders.back().get(), m->port, m->bit, s->port, s->bit);
    return true;
}

bool SimBoard::setInput(int pin, bool high)
{
    const auto pb = BoardPins::portBit(fChip, pin);
    if (!pb)
        return false;
    avr_raise_irq(sim_pin_irq(fAvr, pb->port, pb->bit), high ? 1 : 0);
    return true;
}

bool SimBoard::setAnalog(int pin, int reading)
{
    const int channel = BoardPins::analogChannel(fChip, pin);
    if (channel < 0)
        return false;
    reading = std::clamp(reading, 0, 1023);
    // The converter gives 1024 * V / 5 V; the middle of the step keeps rounding away.
    const quint32 mv = quint32((reading * 5000.0 + 2500.0) / 1024.0);
    avr_raise_irq(avr_io_getirq(fAvr, AVR_IOCTL_ADC_GETIRQ, ADC_IRQ_ADC0 + channel), mv);
    return true;
}

int SimBoard::pinLevel(int pin) const
{
    const auto pb = BoardPins::portBit(fChip, pin);
    if (!pb)
        return 0;
    const int reg = pinRegister(fChip, pb->port);
    if (reg < 0)
        return 0;
    const bool output = (fAvr->data[reg + 1] >> pb->bit) & 1;
    return ((fAvr->data[output ? reg + 2 : reg] >> pb->bit) & 1);
}

int SimBoard::pinMode(int pin) const
{
    const auto pb = BoardPins::portBit(fChip, pin);
    const int reg = pb ? pinRegister(fChip, pb->port) : -1;
    return reg < 0 ? 0 : (fAvr->data[reg + 1] >> pb->bit) & 1;
}

quint8 SimBoard::dataByte(quint32 address) const
{
    return address <= fAvr->ramend ? fAvr->data[address] : 0;
}

std::optional<quint32> SimBoard::dataSymbol(const QByteArray &name) const
{
    for (const auto &[n, a] : fSymbols)
        if (n == name)
            return a;
    return std::nullopt;
}
