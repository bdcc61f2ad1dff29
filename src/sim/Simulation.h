#pragma once

#include "BoardPins.h"
#include "SimBoard.h"
#include "devices/TActiveDevice.h"
#include "serial/LiveProgram.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class LiveConnection;
class Project;
class VirtualClock;
class RecordingUserPrompt;
class NullDebugLog;

// What a simulation runs: the program encoded as live mode sends it, and the board
// and devices it runs with. Taken from the project at the start, so that the project
// may change while the simulation runs on another thread.
struct SimSetup {
    std::optional<LiveProgram> program;  // none: the project has no start block
    std::vector<TActiveDevice> devices;
    int boardTypeId = 0;

    static SimSetup fromProject(Project &project);
};

// The pupil's program run by the interpreter firmware on a simulated board: the
// program goes to the firmware through the program's own live connection, byte for
// byte and pause for pause, over the board's simulated serial line. Simulated time
// runs only when advance() is called; the caller paces it.
class Simulation {
public:
    // A change of a pin, timed from the start of the pupil's program (negative for
    // what the firmware did before it, setting up the devices).
    using PinChange = SimBoard::PinChange;

    explicit Simulation(SimSetup setup);
    ~Simulation();
    Simulation(const Simulation &) = delete;
    Simulation &operator=(const Simulation &) = delete;

    // The firmware image for the board in a folder (Morvane.ino.Uno.elf or
    // Morvane.ino.Mega.elf).
    static QString firmwareFile(const QString &folder, BoardPins::Chip chip);

    void setPinListener(std::function<void(const PinChange &)> fn) { fOnPin = std::move(fn); }

    // Loads the firmware, sends the program and runs until the program starts. False
    // with a Greek message when it does not: no start block, no firmware image, or
    // the firmware refused the program (too big for the Uno, say, with the Mega
    // suggested).
    bool start(const QString &firmwareFolder, QString *error);
    // Runs the program on for ms of simulated time. False when the chip stopped.
    bool advance(double ms);
    // Simulated milliseconds since the program started.
    double programMs() const;
    // The block the firmware runs now (the name of the block behind the record it is
    // at, read from its memory), empty when none.
    QString runningBlock() const;

    SimBoard &board() { return *fBoard; }
    const SimSetup &setup() const { return fSetup; }

    // Inputs by device position, before or after the start; false when the device is
    // not of that kind.
    bool setSwitch(int position, bool pressed);
    bool setDistance(int position, int centimetres);
    bool setClimate(int position, double celsius, double percent);
    bool setBarometer(int position, double hectopascals, double celsius);
    bool setAnalog(int position, int reading);

    // The values a device starts with before the pupil moves a slider.
    static constexpr int DefaultDistanceCm = 100;
    static constexpr double DefaultCelsius = 22.0;
    static constexpr double DefaultPercent = 50.0;
    static constexpr double DefaultHectopascals = 1013.25;
    static constexpr int DefaultAnalog = 512;

private:
    void attachDevices();
    bool runHost(double untilMs);
    int partIndex(int position, int typeId) const;
    void applyInput(int position);

    SimSetup fSetup;
    BoardPins::Chip fChip;
    std::unique_ptr<SimBoard> fBoard;
    std::unique_ptr<VirtualClock> fClock;
    std::unique_ptr<NullDebugLog> fLog;
    std::unique_ptr<RecordingUserPrompt> fPrompt;
    std::unique_ptr<LiveConnection> fConnection;
    std::function<void(const PinChange &)> fOnPin;
    double fStartMs = 0;
    std::vector<PinChange> fEarly;
    std::map<int, std::pair<double, double>> fInputs;
    bool fRunning = false;
    bool fTransferOver = false;
    bool fTransferSent = false;
    QString fBoardError;
};
