#include "Simulation.h"

#include "SimSerialLink.h"
#include "devices/DeviceTypes.h"
#include "project/Project.h"
#include "serial/FirmwareLine.h"
#include "serial/LiveConnection.h"
#include "util/ClockRef.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"
#include "util/VirtualClock.h"

#include <QDir>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// The transfer of a long program to the Mega takes a while (a pause after every word);
// a firmware that has not started the program by then never will.
constexpr double StartLimitMs = 120000;
} // namespace

SimSetup SimSetup::fromProject(Project &project)
{
    SimSetup s;
    if (TKeloBlock *start = project.workspace().findStartBlock())
        s.program = LiveProgram::encode(start, project.devices(), project.variables());
    for (int i = 0; i < project.devices().count(); ++i)
        s.devices.push_back(project.devices().device(i));
    s.boardTypeId = project.devices().BoardTypeId();
    return s;
}

Simulation::Simulation(SimSetup setup)
    : fSetup(std::move(setup)), fChip(BoardPins::chipOfBoard(fSetup.boardTypeId)),
      fClock(std::make_unique<VirtualClock>()), fLog(std::make_unique<NullDebugLog>()),
      fPrompt(std::make_unique<RecordingUserPrompt>())
{
}

Simulation::~Simulation()
{
    // The connection talks to the board through the link it owns: it goes first.
    fConnection.reset();
}

QString Simulation::firmwareFile(const QString &folder, BoardPins::Chip chip)
{
    return QDir(folder).filePath(chip == BoardPins::Chip::Uno ? u"Morvane.ino.Uno.elf"_s : u"Morvane.ino.Mega.elf"_s);
}

bool Simulation::start(const QString &firmwareFolder, QString *error)
{
    if (!fSetup.program) {
        *error = LiveConnection::noStartBlockMessage();
        return false;
    }
    fBoard = SimBoard::open(firmwareFile(firmwareFolder, fChip), fChip, error);
    if (!fBoard)
        return false;
    // What the firmware does before the program starts is told once the start is
    // known, timed from it.
    fBoard->setPinListener([this](const PinChange &c) {
        if (!fRunning)
            fEarly.push_back(c);
        else if (fOnPin)
            fOnPin({c.ms - fStartMs, c.pin, c.kind, c.value});
    });
    attachDevices();
    fConnection = std::make_unique<LiveConnection>(std::make_unique<SimSerialLink>(*fBoard, *fClock),
                                                   std::make_unique<ClockRef>(*fClock), fLog.get(), fPrompt.get());
    const QString running = FirmwareLine::read(u"Program start"_s)->text;
    fConnection->setEvents({nullptr,
                            [this](bool sent) {
                                fTransferOver = true;
                                fTransferSent = sent;
                                if (sent)
                                    fBoard->markStartAtLastByte();
                            },
                            [this, running](const FirmwareLine &line) {
                                if (line.problem)
                                    fBoardError = line.text;
                                else if (line.text == running && fTransferSent)
                                    fRunning = true;
                            },
                            // The running block is read from the chip's memory, at any
                            // moment, rather than from the board's reports at its waits.
                            nullptr});
    fConnection->acConnectExecute(fSetup.program, u"simulated"_s);
    while (!fRunning) {
        if (!fBoardError.isEmpty()) {
            *error = fBoardError;
            return false;
        }
        if (fTransferOver && !fTransferSent) {
            *error = fPrompt->messages.isEmpty() ? LiveConnection::noAnswerMessage() : fPrompt->messages.last();
            return false;
        }
        if (fBoard->nowMs() > StartLimitMs || !runHost(fBoard->nowMs() + 1)) {
            *error = u"Το πρόγραμμα δεν ξεκίνησε στην προσομοίωση."_s;
            return false;
        }
    }
    fStartMs = fBoard->startMs().value_or(fBoard->nowMs());
    if (fOnPin)
        for (const PinChange &c : fEarly)
            fOnPin({c.ms - fStartMs, c.pin, c.kind, c.value});
    fEarly.clear();
    return true;
}

bool Simulation::runHost(double untilMs)
{
    // The host's side (the live connection's timers and reads) runs on whole
    // milliseconds of the same clock.
    const quint64 end = fBoard->cyclesOfMs(untilMs);
    while (fBoard->cycle() < end) {
        const quint64 nextHost = fBoard->cyclesOfMs(double(fClock->nowMs() + 1));
        if (!fBoard->runUntilCycle(std::min(end, nextHost)))
            return false;
        if (fBoard->cycle() >= nextHost)
            fClock->advance(1);
    }
    return true;
}

QString Simulation::runningBlock() const
{
    static const QByteArray symbol("morvaneRunningBlock");
    const std::optional<quint32> at = fBoard ? fBoard->dataSymbol(symbol) : std::nullopt;
    if (!at || !fSetup.program)
        return {};
    const int record = fBoard->dataByte(*at) | fBoard->dataByte(*at + 1) << 8;
    return record < fSetup.program->recordBlocks.size() ? fSetup.program->recordBlocks[record] : QString();
}

bool Simulation::advance(double ms)
{
    return runHost(fBoard->nowMs() + ms);
}

double Simulation::programMs() const
{
    return fBoard ? fBoard->nowMs() - fStartMs : 0;
}

void Simulation::attachDevices()
{
    for (size_t i = 0; i < fSetup.devices.size(); ++i) {
        const TActiveDevice &d = fSetup.devices[i];
        const auto &p = d.ActDevParams;
        const int position = int(i);
        switch (d.DeviceTypeID) {
        case DeviceTypes::LCD_Serial: fBoard->attachDisplay(); break;
        case DeviceTypes::BMP:
            fBoard->attachBarometer();
            fBoard->setBarometer(DefaultCelsius, DefaultHectopascals);
            break;
        case DeviceTypes::Temp:
            fBoard->attachDht(p[1], p[2]);
            fBoard->setDht(partIndex(position, DeviceTypes::Temp), DefaultCelsius, DefaultPercent);
            break;
        case DeviceTypes::UltraSonic:
            fBoard->attachSonar(p[1], p[2]);
            fBoard->setSonar(partIndex(position, DeviceTypes::UltraSonic), DefaultDistanceCm);
            break;
        case DeviceTypes::ROBOT: fBoard->attachWheelSensor(p[1], p[5]); break;
        case DeviceTypes::Switch: fBoard->setInput(p[1], false); break;
        case DeviceTypes::ANIN: fBoard->setAnalog(p[1], DefaultAnalog); break;
        default: break;
        }
        applyInput(position);
    }
}

// The index of a device among the board's parts of its kind: the devices of that
// type before it whose pins are on the board.
int Simulation::partIndex(int position, int typeId) const
{
    int k = 0;
    for (int i = 0; i < position; ++i) {
        const TActiveDevice &d = fSetup.devices[size_t(i)];
        if (d.DeviceTypeID != typeId)
            continue;
        const int second = typeId == DeviceTypes::UltraSonic ? d.ActDevParams[2] : d.ActDevParams[1];
        if (BoardPins::portBit(fChip, d.ActDevParams[1]) && BoardPins::portBit(fChip, second))
            ++k;
    }
    return k;
}

namespace {
const TActiveDevice *deviceOf(const SimSetup &s, int position, int typeId)
{
    if (position < 0 || position >= int(s.devices.size()) || s.devices[size_t(position)].DeviceTypeID != typeId)
        return nullptr;
    return &s.devices[size_t(position)];
}
} // namespace

// An input set before the start is kept and given to the device when it is attached.
void Simulation::applyInput(int position)
{
    const auto it = fInputs.find(position);
    if (!fBoard || it == fInputs.end())
        return;
    const TActiveDevice &d = fSetup.devices[size_t(position)];
    const double a = it->second.first, b = it->second.second;
    switch (d.DeviceTypeID) {
    case DeviceTypes::Switch: fBoard->setInput(d.ActDevParams[1], a != 0); break;
    case DeviceTypes::UltraSonic: fBoard->setSonar(partIndex(position, DeviceTypes::UltraSonic), int(a)); break;
    case DeviceTypes::Temp: fBoard->setDht(partIndex(position, DeviceTypes::Temp), a, b); break;
    case DeviceTypes::BMP: fBoard->setBarometer(b, a); break;
    case DeviceTypes::ANIN: fBoard->setAnalog(d.ActDevParams[1], int(a)); break;
    default: break;
    }
}

bool Simulation::setSwitch(int position, bool pressed)
{
    if (!deviceOf(fSetup, position, DeviceTypes::Switch))
        return false;
    fInputs[position] = {pressed ? 1 : 0, 0};
    applyInput(position);
    return true;
}

bool Simulation::setDistance(int position, int centimetres)
{
    if (!deviceOf(fSetup, position, DeviceTypes::UltraSonic))
        return false;
    fInputs[position] = {centimetres, 0};
    applyInput(position);
    return true;
}

bool Simulation::setClimate(int position, double celsius, double percent)
{
    if (!deviceOf(fSetup, position, DeviceTypes::Temp))
        return false;
    fInputs[position] = {celsius, percent};
    applyInput(position);
    return true;
}

bool Simulation::setBarometer(int position, double hectopascals, double celsius)
{
    if (!deviceOf(fSetup, position, DeviceTypes::BMP))
        return false;
    fInputs[position] = {hectopascals, celsius};
    applyInput(position);
    return true;
}

bool Simulation::setAnalog(int position, int reading)
{
    if (!deviceOf(fSetup, position, DeviceTypes::ANIN))
        return false;
    fInputs[position] = {reading, 0};
    applyInput(position);
    return true;
}
