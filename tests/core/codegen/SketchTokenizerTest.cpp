// The pieces of sketch lines the code view colours.
#include "codegen/SketchTokenizer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TokenCase {
    const char *name;
    QString line;
    bool startsInComment;
    // Each coloured piece as "kind:text".
    QStringList pieces;
    bool endsInComment;
};

void PrintTo(const TokenCase &c, std::ostream *os)
{
    *os << c.name;
}

QString kindName(SketchToken::Kind k)
{
    switch (k) {
    case SketchToken::Kind::Keyword: return u"kw"_s;
    case SketchToken::Kind::Directive: return u"dir"_s;
    case SketchToken::Kind::Number: return u"num"_s;
    case SketchToken::Kind::String: return u"str"_s;
    case SketchToken::Kind::Comment: return u"com"_s;
    case SketchToken::Kind::Variable: return u"var"_s;
    }
    return {};
}

class SketchTokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(SketchTokens, ColourTheRightPieces)
{
    const TokenCase &c = GetParam();
    const SketchTokenizer tokenizer({u"Metritis"_s, u"Thesi_Ch"_s});
    bool comment = c.startsInComment;
    QStringList pieces;
    for (const SketchToken &t : tokenizer.tokens(c.line, &comment))
        pieces << kindName(t.kind) + u':' + c.line.mid(t.start, t.length);
    EXPECT_EQ(pieces, c.pieces);
    EXPECT_EQ(comment, c.endsInComment);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SketchTokens,
    ::testing::Values(
        TokenCase{"LoopHeader", u"   for (int ik1=0;ik1<3;ik1++){"_s, false,
                  {u"kw:for"_s, u"kw:int"_s, u"num:0"_s, u"num:3"_s}, false},
        TokenCase{"PupilsVariablesOnly", u"      Metritis=Thesi_Ch+Metritis2;"_s, false,
                  {u"var:Metritis"_s, u"var:Thesi_Ch"_s}, false},
        TokenCase{"IncludeWithQuotes", u"#include \"Arduino.h\""_s, false,
                  {u"dir:#include"_s, u"str:\"Arduino.h\""_s}, false},
        TokenCase{"IncludeWithAngles", u"  #include <Wire.h>"_s, false, {u"dir:#include"_s, u"str:<Wire.h>"_s}, false},
        TokenCase{"DefineWithHexAndComment",
                  u"#define I2C_ADDR          0x27        //Define I2C Address where the PCF8574A is"_s, false,
                  {u"dir:#define"_s, u"num:0x27"_s, u"com://Define I2C Address where the PCF8574A is"_s}, false},
        TokenCase{"EscapedQuoteStaysInTheString", u"  lcd.print(\"a\\\"b // c\"); // note"_s, false,
                  {u"str:\"a\\\"b // c\""_s, u"com:// note"_s}, false},
        TokenCase{"UnclosedStringEndsWithTheLine", u"x = \"abc"_s, false, {u"str:\"abc"_s}, false},
        TokenCase{"CharacterAndNegativeNumber", u"c = 'x'; delay(-1);"_s, false, {u"str:'x'"_s, u"num:1"_s}, false},
        TokenCase{"GreekLettersMakeOneName", u"int Μetritis1 = 2;"_s, false, {u"kw:int"_s, u"num:2"_s}, false},
        TokenCase{"BlockCommentOpens", u"a /* one"_s, false, {u"com:/* one"_s}, true},
        TokenCase{"BlockCommentGoesOn", u"two three"_s, true, {u"com:two three"_s}, true},
        TokenCase{"BlockCommentCloses", u"four */ while (1){"_s, true, {u"com:four */"_s, u"kw:while"_s, u"num:1"_s},
                  false},
        TokenCase{"EmptyLine", QString(), false, {}, false}),
    [](const ::testing::TestParamInfo<TokenCase> &info) { return std::string(info.param.name); });

TEST(SketchTokenizer, KnowsTheKeywordsAndNothingElse)
{
    for (const char16_t *w : {u"while", u"void", u"if", u"else", u"int", u"return", u"xor_eq", u"alignas"})
        EXPECT_TRUE(SketchTokenizer::isKeyword(QString::fromUtf16(w))) << QString::fromUtf16(w).toStdString();
    for (const char16_t *w : {u"While", u"delay", u"HIGH", u"", u"intx", u"digitalWrite"})
        EXPECT_FALSE(SketchTokenizer::isKeyword(QString::fromUtf16(w))) << QString::fromUtf16(w).toStdString();
}

} // namespace
