#pragma once

#include "ToneWave.h"

#include <QObject>

class SoundOutput;
class QTimer;

// Plays the simulated buzzer's note on the computer's sound output, where it has one;
// without one it stays silent and costs nothing. The samples are written as the
// output has room for them, a few milliseconds at a time.
class BuzzerSound : public QObject {
    Q_OBJECT
public:
    explicit BuzzerSound(QObject *parent = nullptr);
    ~BuzzerSound() override;

    // The note to play, 0 for silence. The sound starts with the first note.
    void setFrequency(double hz);
    // Silence until the next note (the run ended).
    void stop();

private:
    void feed();

    ToneWave fWave;
    SoundOutput *fOutput = nullptr;
    bool fOpenTried = false;
    QTimer *fFeeder;
};
