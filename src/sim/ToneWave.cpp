#include "ToneWave.h"

#include <algorithm>
#include <cmath>

void ToneWave::setFrequency(double hz)
{
    // Above half the rate the wave cannot be told apart from another one: silence.
    fHz = hz > 0 && hz < fRate / 2.0 ? hz : 0;
}

void ToneWave::fill(qint16 *samples, qsizetype count)
{
    if (fHz <= 0) {
        std::fill(samples, samples + count, qint16(0));
        return;
    }
    // The wave's place counted in Hz-samples, one period being the rate: whole
    // numbers stay exact, so a period is exactly rate / frequency samples long.
    for (qsizetype i = 0; i < count; ++i) {
        samples[i] = fPhase < fRate / 2.0 ? Amplitude : qint16(-Amplitude);
        fPhase += fHz;
        if (fPhase >= fRate)
            fPhase = std::fmod(fPhase, double(fRate));
    }
}
