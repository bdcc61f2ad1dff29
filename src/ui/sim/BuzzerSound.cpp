#include "sim/BuzzerSound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
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

BuzzerSound::~BuzzerSound()
{
    fFeeder->stop();
    // Not destroyed (see stop()): the sound server lets go of it when the program ends.
    if (fSink)
        fSink->setParent(nullptr);
}

void BuzzerSound::setFrequency(double hz)
{
    fWave.setFrequency(hz);
    if (hz <= 0)
        return;
    if (fSink) {
        if (fSink->state() == QAudio::SuspendedState) {
            fSink->resume();
            fFeeder->start();
        }
        return;
    }
    // The output is looked for with the first note: a computer without one, or a
    // program that never sounds, opens nothing.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(SampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return;
    fSink = new QAudioSink(device, format, this);
    fSink->setBufferSize(SampleRate * BufferMs / 1000 * int(sizeof(qint16)));
    fOutput = fSink->start();
    if (!fOutput) {
        stop();
        return;
    }
    feed();
    fFeeder->start();
}

void BuzzerSound::feed()
{
    if (!fSink || !fOutput)
        return;
    const qsizetype room = qsizetype(fSink->bytesFree() / qint64(sizeof(qint16)));
    if (room <= 0)
        return;
    std::vector<qint16> samples(static_cast<size_t>(room));
    fWave.fill(samples.data(), room);
    fOutput->write(reinterpret_cast<const char *>(samples.data()), qint64(room) * qint64(sizeof(qint16)));
}

void BuzzerSound::stop()
{
    fFeeder->stop();
    fWave.setFrequency(0);
    // Qt 6.4's PulseAudio output crashes when a sink that was written to is stopped
    // and then destroyed: the sink is suspended and kept for the next note instead.
    if (fSink)
        fSink->suspend();
}
