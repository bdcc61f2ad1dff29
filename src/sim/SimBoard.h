#pragma once

#include "BoardPins.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct avr_t;
struct sim_lcd_t;
struct sim_bmp180_t;
struct sim_dht22_t;
struct sim_hcsr04_t;
struct sim_encoder_t;

// One simulated board running a firmware image (an ELF file) in simavr, with the
// devices of the project on its pins. It tells what the chip does to its pins and
// sends on its serial line, and takes bytes for that line at 9600 baud, 8N1.
//
// Not thread-safe: one thread runs it and calls everything.
class SimBoard {
public:
    enum class PinKind { Level, Mode, Pwm };
    // A change of a pin: its output level (the PORT bit), its mode (the DDR bit:
    // 1 output) or its analogue output (the compare value, -1 when no timer drives it).
    struct PinChange {
        double ms;
        int pin;
        PinKind kind;
        int value;
    };

    ~SimBoard();
    SimBoard(const SimBoard &) = delete;
    SimBoard &operator=(const SimBoard &) = delete;

    // Loads the image; nullptr with the reason (in Greek) when it cannot.
    static std::unique_ptr<SimBoard> open(const QString &elfPath, BoardPins::Chip chip, QString *error);

    BoardPins::Chip chip() const { return fChip; }
    double nowMs() const;
    quint64 cycle() const;
    quint64 cyclesOfMs(double ms) const;

    // Runs until the simulated clock reaches ms. False when the chip stopped (it
    // crashed or ran off its program).
    bool runUntil(double ms);
    bool runUntilCycle(quint64 end);

    void setPinListener(std::function<void(const PinChange &)> fn) { fOnPin = std::move(fn); }
    void setSerialListener(std::function<void(quint8)> fn) { fOnSerial = std::move(fn); }
    // Bytes for the chip's serial line: each takes 10 bit times at 9600 baud and
    // arrives at the end of its stop bit, one after the other.
    void sendSerial(const QByteArray &bytes);
    bool serialIdle() const { return fRxQueue.empty(); }
    // From now on, the first entry into the serial receive interrupt after the bytes
    // queued so far have arrived is taken as the moment the program starts.
    void markStartAtLastByte();
    std::optional<double> startMs() const { return fStartMs; }

    // Devices. Each returns false when its pins are not on this board.
    void attachDisplay();
    // The display's two rows (16 characters each; the degree sign shown as °).
    QString displayRow(int row) const;
    bool hasDisplay() const { return fLcd != nullptr; }
    void attachBarometer();
    void setBarometer(double celsius, double hectopascals);
    // sensorType: the device's 11, 22 or 21 (the DHT21 answers as a DHT22).
    bool attachDht(int pin, int sensorType);
    void setDht(int index, double celsius, double percent);
    bool attachSonar(int triggerPin, int echoPin);
    void setSonar(int index, int centimetres);
    bool attachWheelSensor(int motorPin, int sensorPin);
    // A level on an input pin (a switch pressed: high).
    bool setInput(int pin, bool high);
    // What analogRead of the pin gives, 0..1023.
    bool setAnalog(int pin, int reading);

    // The level a pin shows now (for an input, what the outside drives) and its mode.
    int pinLevel(int pin) const;
    int pinMode(int pin) const;
    // A byte of the chip's data memory.
    quint8 dataByte(quint32 address) const;
    // The data address of a variable of the image, by its ELF symbol name.
    std::optional<quint32> dataSymbol(const QByteArray &name) const;

private:
    SimBoard() = default;
    void watchPorts();
    void checkPwm();
    static void portChanged(struct avr_irq_t *irq, quint32 value, void *param);
    static void uartOut(struct avr_irq_t *irq, quint32 value, void *param);
    static std::uint64_t deliverByte(avr_t *avr, std::uint64_t when, void *param);

    struct PortWatch {
        SimBoard *board;
        char port;
        bool ddr;
        quint8 last;
    };

    avr_t *fAvr = nullptr;
    BoardPins::Chip fChip = BoardPins::Chip::Uno;
    QString fElfPath;
    std::vector<std::unique_ptr<PortWatch>> fWatches;
    std::vector<int> fPwmLast;
    quint32 fSteps = 0;
    std::function<void(const PinChange &)> fOnPin;
    std::function<void(quint8)> fOnSerial;
    std::deque<quint8> fRxQueue;
    bool fRxTimer = false;
    quint64 fLineFree = 0;
    quint32 fRxVector = 0;
    bool fAwaitStart = false;
    bool fArmed = false;
    std::optional<double> fStartMs;
    std::unique_ptr<sim_lcd_t> fLcd;
    std::unique_ptr<sim_bmp180_t> fBmp;
    std::vector<std::unique_ptr<sim_dht22_t>> fDhts;
    std::vector<std::unique_ptr<sim_hcsr04_t>> fSonars;
    std::vector<std::unique_ptr<sim_encoder_t>> fEncoders;
    std::vector<std::pair<QByteArray, quint32>> fSymbols;
};
