#include "variables/GreekToLatin.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Case {
    const char *name;
    QString in;
    QString out;
};

class GreekToLatinTest : public testing::TestWithParam<Case> {};

TEST_P(GreekToLatinTest, Transliterates)
{
    EXPECT_EQ(GreekToLatin(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Names, GreekToLatinTest,
    testing::Values(
        Case{"Counter", u"Μετρητής"_s, u"Metritis"_s},
        Case{"SpaceAndCapitalChi", u"Θέση Χ"_s, u"Thesi_Ch"_s},
        Case{"CommaPsiOmega", u"ψ,ω"_s, u"ps_o"_s},
        // Capital eta with accent is not in the table.
        Case{"CapitalEtaWithAccentKept", u"Ήλιος"_s, u"Ήlios"_s},
        // The uneven pairs: υ/Υ differ, Η goes to I like Ι.
        Case{"Upsilons", u"υύΥΎ"_s, u"uuYY"_s},
        Case{"Etas", u"ηήΗ"_s, u"iiI"_s},
        Case{"Iotas", u"ιίϊΐΙΊ"_s, u"iiiiII"_s},
        Case{"Omicrons", u"οόωώΟΌΩΏ"_s, u"ooooOOOO"_s},
        Case{"AlphasEpsilons", u"αάΑΆεέΕΈ"_s, u"aaAAeeEE"_s},
        Case{"Sigmas", u"σςΣ"_s, u"ssS"_s},
        Case{"Digraphs", u"θΘχΧψΨ"_s, u"thThchChpsPs"_s},
        Case{"SingleLetters", u"βγδζκλμνξπρτφΒΓΔΖΚΛΜΝΞΠΡΤΦ"_s,
             u"bgdzklmnxprtfBGDZKLMNXPRTF"_s},
        // Not in the table: dialytika forms other than ϊ/ΐ, Latin, digits, punctuation.
        Case{"CopiedUnchanged", u"ϋΰΪΫ·;aZ_09-.!΄"_s, u"ϋΰΪΫ·;aZ_09-.!΄"_s},
        // Accents as combining marks are not folded into the letter.
        Case{"DecomposedAccentKept", u"α\u0301"_s, u"a\u0301"_s},
        Case{"Empty", QString(), QString()}),
    [](const testing::TestParamInfo<Case> &info) { return std::string(info.param.name); });

} // namespace
