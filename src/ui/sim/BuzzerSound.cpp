#include "sim/BuzzerSound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace {

constexpr int SampleRate = 48000;

} // namespace

BuzzerSound::Source::Source(int sampleRate) : fWave(sampleRate)
{
    open(QIODevice::ReadOnly);
}

qint64 BuzzerSound::Source::readData(char *data, qint64 maxSize)
{
    const qsizetype samples = qsizetype(maxSize / qint64(sizeof(qint16)));
    fWave.setFrequency(frequency.load());
    fWave.fill(reinterpret_cast<qint16 *>(data), samples);
    return samples * qint64(sizeof(qint16));
}

BuzzerSound::BuzzerSound(QObject *parent) : QObject(parent) {}

BuzzerSound::~BuzzerSound()
{
    stop();
}

void BuzzerSound::setFrequency(double hz)
{
    if (fSource)
        fSource->frequency = hz;
    if (fSink || hz <= 0)
        return;
    // The output is looked for with the first note: a computer without one, or a
    // program that never sounds, opens nothing.
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(SampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format))
        return;
    fSource = std::make_unique<Source>(SampleRate);
    fSource->frequency = hz;
    fSink = new QAudioSink(output, format, this);
    // A short buffer: the note follows the program within a few frames.
    fSink->setBufferSize(SampleRate / 20 * int(sizeof(qint16)));
    fSink->start(fSource.get());
}

void BuzzerSound::stop()
{
    if (fSink) {
        fSink->stop();
        delete fSink;
        fSink = nullptr;
    }
    fSource.reset();
}

bool BuzzerSound::playing() const
{
    return fSink != nullptr;
}
