// The sound module: the default sound output through QtMultimedia's QAudioSink.
#include "sim/SoundOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

namespace {

class QtSoundOutput : public SoundOutput {
public:
    QtSoundOutput(QAudioSink *sink, QIODevice *device) : fSink(sink), fDevice(device) {}

    qsizetype room() const override { return qsizetype(fSink->bytesFree() / qint64(sizeof(qint16))); }
    void write(const qint16 *samples, qsizetype count) override
    {
        fDevice->write(reinterpret_cast<const char *>(samples), qint64(count) * qint64(sizeof(qint16)));
    }
    void suspend() override { fSink->suspend(); }
    void resume() override { fSink->resume(); }
    bool suspended() const override { return fSink->state() == QAudio::SuspendedState; }

private:
    QAudioSink *fSink;
    QIODevice *fDevice;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *vimselOpenSoundOutput(int sampleRate, int bufferMs)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return nullptr;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return nullptr;
    auto *sink = new QAudioSink(device, format);
    sink->setBufferSize(sampleRate * bufferMs / 1000 * int(sizeof(qint16)));
    QIODevice *output = sink->start();
    if (!output) {
        // Nothing was written to it: it may go.
        delete sink;
        return nullptr;
    }
    return new QtSoundOutput(sink, output);
}
