#pragma once

#include "ToneWave.h"

#include <QIODevice>
#include <QObject>

#include <atomic>
#include <memory>

class QAudioSink;

// Plays the simulated buzzer's note on the computer's sound output, where it has one;
// without one it stays silent and costs nothing.
class BuzzerSound : public QObject {
    Q_OBJECT
public:
    explicit BuzzerSound(QObject *parent = nullptr);
    ~BuzzerSound() override;

    // The note to play, 0 for silence. The sound starts with the first note.
    void setFrequency(double hz);
    // Silence and the output let go (the run ended).
    void stop();
    bool playing() const;

private:
    // Hands the sound output the wave's samples as it asks for them.
    class Source : public QIODevice {
    public:
        explicit Source(int sampleRate);
        std::atomic<double> frequency{0};

    protected:
        qint64 readData(char *data, qint64 maxSize) override;
        qint64 writeData(const char *, qint64) override { return -1; }

    private:
        ToneWave fWave;
    };

    QAudioSink *fSink = nullptr;
    std::unique_ptr<Source> fSource;
};
