#include "sim/BuzzerSound.h"

#include "sim/SoundOutput.h"

#include <QTimer>

#include <vector>

namespace {

constexpr int SampleRate = 48000;
// The output holds this much: the note follows the program within it.
constexpr int BufferMs = 60;

} // namespace

BuzzerSound::BuzzerSound(QObject *parent) : QObject(parent), fWave(SampleRate), fFeeder(new QTimer(this))
{
    fFeeder->setInterval(10);
    connect(fFeeder, &QTimer::timeout, this, &BuzzerSound::feed);
}

// The output is not destroyed (see SoundOutput::suspend()): the sound server lets go
// of it when the program ends.
BuzzerSound::~BuzzerSound() = default;

void BuzzerSound::setFrequency(double hz)
{
    fWave.setFrequency(hz);
    if (hz <= 0)
        return;
    if (fOutput) {
        if (fOutput->suspended()) {
            fOutput->resume();
            fFeeder->start();
        }
        return;
    }
    // The output is opened with the first note: a computer without one, or a program
    // that never sounds, opens nothing.
    if (fOpenTried)
        return;
    fOpenTried = true;
    fOutput = SoundOutput::open(SampleRate, BufferMs);
    if (!fOutput)
        return;
    feed();
    fFeeder->start();
}

void BuzzerSound::feed()
{
    if (!fOutput)
        return;
    const qsizetype room = fOutput->room();
    if (room <= 0)
        return;
    std::vector<qint16> samples(static_cast<size_t>(room));
    fWave.fill(samples.data(), room);
    fOutput->write(samples.data(), room);
}

void BuzzerSound::stop()
{
    fFeeder->stop();
    fWave.setFrequency(0);
    if (fOutput)
        fOutput->suspend();
}
