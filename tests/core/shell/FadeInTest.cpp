#include "shell/FadeIn.h"

#include <gtest/gtest.h>

namespace {

TEST(FadeIn, TicksSetZeroToTwoHundredFortyThenTheWindowIsOpaque)
{
    FadeIn fade;
    for (int showing = 0; showing < 2; ++showing) {
        fade.start();
        EXPECT_EQ(fade.initialOpacity(), 0);
        std::vector<int> opacities;
        for (;;) {
            const FadeIn::Tick t = fade.tick();
            opacities.push_back(t.opacity);
            if (!t.again)
                break;
            ASSERT_LT(opacities.size(), 100u);
        }
        EXPECT_EQ(opacities, (std::vector<int>{0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 220, 240}));
    }
}

} // namespace
