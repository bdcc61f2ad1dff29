#include "blocks/KeloEditRules.h"

#include <gtest/gtest.h>

using namespace KeloEditRules;
using namespace Qt::StringLiterals;

TEST(KeloEditRules, WholeNumberTexts)
{
    struct Case { QString text; bool whole; int value; };
    const Case cases[] = {
        {u"0"_s, true, 0},
        {u"32768"_s, true, 32768},
        {u"-32767"_s, true, -32767},
        {u"007"_s, true, 7},
        {u"-0"_s, true, 0},
        {u"2147483647"_s, true, 2147483647},
        {u"-2147483648"_s, true, -2147483647 - 1},
        {u""_s, false, 0},
        {u"-"_s, false, 0},          // the first key of a negative number
        {u"1.5"_s, false, 0},
        {u"1,5"_s, false, 0},
        {u"--1"_s, false, 0},
        {u"1-"_s, false, 0},
        {u"+5"_s, false, 0},
        {u" 5"_s, false, 0},
        {u"2147483648"_s, false, 0}, // beyond 32 bits
        {u"\u0661"_s, false, 0},     // a digit of another script
    };
    for (const Case &c : cases) {
        EXPECT_EQ(IsWholeNumber(c.text), c.whole) << c.text.toStdString();
        EXPECT_EQ(ValueOf(c.text), c.value) << c.text.toStdString();
    }
}

TEST(KeloEditRules, ClampAppliesUpperBoundFirst)
{
    EXPECT_EQ(Clamp(40000, -32767, 32768), 32768);
    EXPECT_EQ(Clamp(-40000, -32767, 32768), -32767);
    EXPECT_EQ(Clamp(5, -32767, 32768), 5);
    EXPECT_EQ(Clamp(50, 10, 0), 10);  // crossed bounds: the lower one wins
}

TEST(KeloEditRules, KeyFilter)
{
    struct Case { const char *name; QString text; int selStart; int selLength; QChar ch; bool accepted; };
    const QChar sep = u'.';
    const Case cases[] = {
        {"digit", u"12"_s, 1, 0, u'7', true},
        {"backspace", u"12"_s, 2, 0, QChar(8), true},
        {"letter", u"12"_s, 2, 0, u'a', false},
        {"space", u"12"_s, 2, 0, u' ', false},
        {"other separator", u"12"_s, 2, 0, u',', false},
        {"code above 255", u"12"_s, 2, 0, QChar(0x0661), false},
        {"minus at start", u"12"_s, 0, 0, u'-', true},
        {"minus at caret 2", u"12"_s, 2, 0, u'-', false},
        {"minus into empty text", u""_s, 0, 0, u'-', true},
        {"second minus", u"-12"_s, 0, 0, u'-', false},
        {"second minus elsewhere", u"-12"_s, 3, 0, u'-', false},
        {"minus over the selected minus", u"-12"_s, 0, 3, u'-', true},
        {"minus over a selection from 1", u"512"_s, 1, 2, u'-', false},
        {"separator", u"1"_s, 1, 0, sep, true},
        {"second separator", u"1.5"_s, 3, 0, sep, false},
        {"separator replacing the selected one", u"1.5"_s, 1, 1, sep, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AcceptsKey(c.text, c.selStart, c.selLength, c.ch, sep), c.accepted) << c.name;
}

TEST(KeloEditRules, KeyFilterUsesTheGivenSeparator)
{
    EXPECT_TRUE(AcceptsKey(u"1"_s, 1, 0, u',', u','));
    EXPECT_FALSE(AcceptsKey(u"1"_s, 1, 0, u'.', u','));
    EXPECT_FALSE(AcceptsKey(u"1,2"_s, 3, 0, u',', u','));
}

TEST(KeloEditRules, DigitsOfFreeTextAreRed)
{
    const QStringList pieces = DrawnPieces(u"A1B2"_s);
    ASSERT_EQ(pieces, QStringList({u"A"_s, u"1"_s, u"B"_s, u"2"_s}));
    QList<bool> red;
    for (const QString &p : pieces)
        red.append(IsDrawnRed(p, false));
    EXPECT_EQ(red, QList<bool>({false, true, false, true}));
    for (const QString &p : pieces)
        EXPECT_FALSE(IsDrawnRed(p, true)) << p.toStdString();
}

TEST(KeloEditRules, DrawnPiecesKeepCharactersWhole)
{
    // A letter with a combining accent and a character outside the 16-bit range
    // are one piece each.
    const QString accented = u"\u03B1\u0301"_s;
    const QString text = accented + u"\U0001F600"_s + u"5"_s;
    EXPECT_EQ(DrawnPieces(text), QStringList({accented, u"\U0001F600"_s, u"5"_s}));
    EXPECT_TRUE(DrawnPieces(QString()).isEmpty());
}

TEST(KeloEditRules, FittedWidthNeverBelowTheWidthOfZero)
{
    EXPECT_EQ(FittedTextWidth(7, 0), 15);
    EXPECT_EQ(FittedTextWidth(7, 30), 38);
}

TEST(KeloEditRules, ReducedItemIndex)
{
    EXPECT_EQ(ReducedItemIndex(0, 6), 0);
    EXPECT_EQ(ReducedItemIndex(5, 6), 5);
    EXPECT_EQ(ReducedItemIndex(9, 6), 5);
    EXPECT_EQ(ReducedItemIndex(-1, 6), std::nullopt);
    EXPECT_EQ(ReducedItemIndex(0, 0), std::nullopt);
}
