#pragma once

#include <QtGlobal>

// The buzzer's note as sound: a square wave, 16-bit signed mono samples at a given
// rate. A change of note goes on from where the wave is, so that it does not click;
// a frequency of 0 (or one the rate cannot carry) is silence.
class ToneWave {
public:
    static constexpr qint16 Amplitude = 4000;

    explicit ToneWave(int sampleRate) : fRate(sampleRate) {}

    int sampleRate() const { return fRate; }
    double frequency() const { return fHz; }
    void setFrequency(double hz);
    // The next `count` samples.
    void fill(qint16 *samples, qsizetype count);

private:
    int fRate;
    double fHz = 0;
    double fPhase = 0;  // where in the period the wave is, 0 to the rate
};
