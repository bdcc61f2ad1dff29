#include "util/Cp1253.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Cp1253Test, DecodesGreekAndItsIrregularPlaces)
{
    // Ά and the accented capitals sit apart from the alphabet; 0xD2 and 0xFF are holes.
    EXPECT_EQ(Cp1253::decode("\xA2\xB8\xB9\xBA\xBC\xBE\xBF\xC0\xC1\xD1\xD3\xD9\xDA\xDB"),
              u"ΆΈΉΊΌΎΏΐΑΡΣΩΪΫ"_s);
    EXPECT_EQ(Cp1253::decode("\xDC\xE0\xE1\xF2\xF3\xFE"), u"άΰαςσώ"_s);
    EXPECT_EQ(Cp1253::decode("\x80\xA1\xB4\xAF"), u"€΅΄―"_s);
    EXPECT_EQ(Cp1253::decode("a\xD2\xFF\x81"), u"a\uFFFD\uFFFD\uFFFD"_s);
}

TEST(Cp1253Test, DecodeTextPrefersValidUtf8)
{
    EXPECT_EQ(Cp1253::decodeText("\xCE\xB1\xCE\xB2"), u"αβ"_s);
    EXPECT_EQ(Cp1253::decodeText("\xEF\xBB\xBF\xCE\xB1"), u"α"_s);
    EXPECT_EQ(Cp1253::decodeText("\xE1\xE2"), u"αβ"_s);
    // A UTF-8 sequence cut off at the end is not UTF-8.
    EXPECT_EQ(Cp1253::decodeText("\xCE\xB1\xCE"), u"Ξ±Ξ"_s);
}

} // namespace
