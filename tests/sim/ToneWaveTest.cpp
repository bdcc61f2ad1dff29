#include "ToneWave.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Where the wave turns from high to low and back: sample indexes of each edge.
std::vector<qsizetype> edges(const std::vector<qint16> &s)
{
    std::vector<qsizetype> at;
    for (qsizetype i = 1; i < qsizetype(s.size()); ++i)
        if ((s[i] > 0) != (s[i - 1] > 0))
            at.push_back(i);
    return at;
}

TEST(ToneWave, ANoteIsASquareWaveOfItsPeriod)
{
    ToneWave wave(48000);
    wave.setFrequency(1000);  // 48 samples a period
    std::vector<qint16> s(480);
    wave.fill(s.data(), qsizetype(s.size()));
    EXPECT_EQ(s.front(), ToneWave::Amplitude);
    const std::vector<qsizetype> at = edges(s);
    ASSERT_EQ(at.size(), 19u);
    for (size_t i = 0; i < at.size(); ++i)
        EXPECT_EQ(at[i], qsizetype(24 * (i + 1))) << "edge " << i;
    for (qint16 v : s)
        EXPECT_TRUE(v == ToneWave::Amplitude || v == -ToneWave::Amplitude);
}

TEST(ToneWave, ANewNoteGoesOnWithoutAJump)
{
    // A quarter period of 1000 Hz (12 samples), then 500 Hz: the wave goes on from a
    // quarter of the way through, high for the remaining quarter of the new period (24
    // of its 96 samples), rather than starting a whole high half again (48).
    ToneWave wave(48000);
    wave.setFrequency(1000);
    std::vector<qint16> first(12), second(100);
    wave.fill(first.data(), 12);
    wave.setFrequency(500);
    wave.fill(second.data(), 100);
    qsizetype high = 0;
    while (high < 100 && second[high] > 0)
        ++high;
    EXPECT_EQ(high, 24);
}

TEST(ToneWave, SilenceForNoNoteAndForNotesTheRateCannotCarry)
{
    ToneWave wave(8000);
    for (double hz : {0.0, -5.0, 4000.0, 20000.0}) {
        wave.setFrequency(hz);
        std::vector<qint16> s(64, 1);
        wave.fill(s.data(), 64);
        EXPECT_EQ(s, std::vector<qint16>(64, 0)) << hz << " Hz";
    }
}

} // namespace
