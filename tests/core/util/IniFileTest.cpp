#include "util/IniFile.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

IniFile parsed(const QByteArray &bytes)
{
    IniFile ini;
    ini.parse(bytes);
    return ini;
}

TEST(IniFileTest, NamesIgnoreCaseAndWhitespace)
{
    const IniFile ini = parsed("[ Var Count ]\nCount = 3 \n[Σχέδιο]\nΌνομα=Α\n");
    EXPECT_EQ(ini.readString(u"var count"_s, u"COUNT"_s), u"3"_s);
    EXPECT_EQ(ini.readString(u"σχέδιο"_s, u"όνομα"_s), u"Α"_s);
    EXPECT_TRUE(ini.hasKey(u"VAR COUNT"_s, u"count"_s));
    EXPECT_FALSE(ini.hasKey(u"Var Count"_s, u"Other"_s));
    EXPECT_EQ(ini.readString(u"Missing"_s, u"Count"_s, u"def"_s), u"def"_s);
    EXPECT_EQ(ini.sectionNames(), (QStringList{u"Var Count"_s, u"Σχέδιο"_s}));
}

TEST(IniFileTest, FirstOfRepeatedSectionsAndKeysCounts)
{
    IniFile ini = parsed("[A]\nk=1\nK=2\n[a]\nk=3\n");
    EXPECT_EQ(ini.readInteger(u"A"_s, u"k"_s, 0), 1);
    ini.writeInteger(u"a"_s, u"k"_s, 9);
    EXPECT_EQ(ini.toBytes(), "[A]\r\nk=9\r\nK=2\r\n[a]\r\nk=3\r\n");
    EXPECT_EQ(ini.sectionNames(), QStringList{u"A"_s});
}

TEST(IniFileTest, WritingUpdatesInPlaceAndAppendsNewKeysAndSections)
{
    IniFile ini = parsed("; made by hand\n"
                         "[First]\n"
                         "  Count = 1 \n"
                         "; keep me\n"
                         "Other=x\n"
                         "\n"
                         "[Second]\n"
                         "a=1\n");
    ini.writeInteger(u"first"_s, u"COUNT"_s, 5);   // keeps its line and its spelling
    ini.writeString(u"First"_s, u"New"_s, u"n"_s);  // after the last line, before the blank
    ini.writeString(u"Third"_s, u"b"_s, u"2"_s);
    EXPECT_EQ(ini.toBytes(), "; made by hand\r\n"
                             "[First]\r\n"
                             "Count=5\r\n"
                             "; keep me\r\n"
                             "Other=x\r\n"
                             "New=n\r\n"
                             "\r\n"
                             "[Second]\r\n"
                             "a=1\r\n"
                             "[Third]\r\n"
                             "b=2\r\n");
}

TEST(IniFileTest, UntouchedFileIsWrittenBackWithCrlfOnly)
{
    const QByteArray lf = "[S]\nkey = value ; not a comment\n\n\n[T]\r\nx=1";
    QByteArray crlf = lf;
    crlf.replace("\r\n", "\n").replace("\n", "\r\n").append("\r\n");
    EXPECT_EQ(parsed(lf).toBytes(), crlf);
    EXPECT_EQ(parsed(lf).readString(u"S"_s, u"key"_s), u"value ; not a comment"_s);
}

struct IntCase {
    const char *name;
    const char *value;  // nullptr: no such key
    int lenient;        // readInteger with default 42
    bool strict;
};

class IniFileIntTest : public testing::TestWithParam<IntCase> {};

TEST_P(IniFileIntTest, ReadsLikeGetPrivateProfileInt)
{
    const IntCase &c = GetParam();
    IniFile ini;
    if (c.value)
        ini.parse(QByteArray("[S]\nk=") + c.value + '\n');
    EXPECT_EQ(ini.readInteger(u"S"_s, u"k"_s, 42), c.lenient);
    int out = -7;
    EXPECT_EQ(ini.readIntegerStrict(u"S"_s, u"k"_s, out), c.strict);
    EXPECT_EQ(out, c.strict ? c.lenient : -7);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniFileIntTest,
    testing::Values(IntCase{"Plain", "12", 12, true}, IntCase{"Negative", "-1", -1, true},
                    IntCase{"Padded", " +7 ", 7, true}, IntCase{"Quoted", "\"3\"", 3, true},
                    IntCase{"LeadingDigits", "12abc", 12, false},
                    IntCase{"NotANumber", "abc", 0, false}, IntCase{"SignOnly", "-", 0, false},
                    IntCase{"Empty", "", 42, false}, IntCase{"Missing", nullptr, 42, false},
                    IntCase{"MaxInt", "2147483647", 2147483647, true},
                    IntCase{"MinInt", "-2147483648", -2147483647 - 1, true},
                    IntCase{"TooBigIsClamped", "99999999999999999999", 2147483647, false},
                    IntCase{"TooSmallIsClamped", "-2147483649", -2147483647 - 1, false}),
    [](const testing::TestParamInfo<IntCase> &info) { return std::string(info.param.name); });

TEST(IniFileTest, ValuesReadBackExactly)
{
    const QStringList values{u" lead"_s, u"trail\t"_s, u"\"quoted\""_s, u"'q'"_s, u"a=b;c"_s,
                             u"\"half"_s, QString()};
    IniFile ini;
    for (int i = 0; i < values.size(); ++i)
        ini.writeString(u"S"_s, QString::number(i), values[i]);
    ini.writeString(u"S"_s, u"lines"_s, u"one\r\ntwo"_s);
    const IniFile back = parsed(ini.toBytes());
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.readString(u"S"_s, QString::number(i), u"missing"_s), values[i]) << i;
    EXPECT_EQ(back.readString(u"S"_s, u"lines"_s), u"one  two"_s);
    EXPECT_EQ(back.sectionNames(), QStringList{u"S"_s});
}

TEST(IniFileTest, EncodingOnDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"Options.ini"_s);

    IniFile missing(path);
    EXPECT_TRUE(missing.load());
    EXPECT_TRUE(missing.sectionNames().isEmpty());

    // Greek Windows wrote "Μετρητής" in Windows-1253.
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[\xD3\xF7\xDD\xE4\xE9\xEF]\r\nName=\xCC\xE5\xF4\xF1\xE7\xF4\xDE\xF2\r\n");
    }
    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readString(u"Σχέδιο"_s, u"Name"_s), u"Μετρητής"_s);

    // Saved as UTF-8 without byte-order mark, and read back as UTF-8.
    ini.writeString(u"Σχέδιο"_s, u"Other"_s, u"Θέση"_s);
    ASSERT_TRUE(ini.save());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), u"[Σχέδιο]\r\nName=Μετρητής\r\nOther=Θέση\r\n"_s.toUtf8());
    IniFile again(path);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.readString(u"σχέδιο"_s, u"other"_s), u"Θέση"_s);

    // A byte-order mark is accepted. A text beginning with that character after the
    // mark keeps it through writing and reading.
    EXPECT_EQ(parsed("\xEF\xBB\xBF[A]\nk=\xCE\xB1\n").readString(u"A"_s, u"k"_s), u"α"_s);
    const QByteArray marks = parsed("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBFk=1").toBytes();
    EXPECT_EQ(parsed(marks).toBytes(), marks);
}

TEST(IniFileTest, SaveFailureNamesTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"no/such/folder/x.adv"_s);
    IniFile ini(path);
    ini.writeInteger(u"A"_s, u"k"_s, 1);
    QString error;
    EXPECT_FALSE(ini.save(&error));
    EXPECT_EQ(error, u"Unable to write to "_s + path);
}

TEST(IniFileTest, ManyKeysStayLinear)
{
    // Keys added to the first of two sections: a list that inserted lines in the middle
    // of the file, or searched keys one by one, would take seconds here.
    IniFile ini = parsed("[A]\n[B]\nb=1\n");
    QElapsedTimer timer;
    timer.start();
    constexpr int N = 50000;
    for (int i = 0; i < N; ++i)
        ini.writeInteger(u"A"_s, u"Key"_s + QString::number(i), i);
    for (int i = 0; i < N; ++i)
        ini.writeInteger(u"a"_s, u"KEY"_s + QString::number(i), -i);
    const IniFile back = parsed(ini.toBytes());
    EXPECT_EQ(back.readInteger(u"A"_s, u"Key49999"_s, 0), -49999);
    EXPECT_EQ(back.readInteger(u"B"_s, u"b"_s, 0), 1);
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(IniFileTest, ChangeFileExt)
{
    EXPECT_EQ(IniFile::changeFileExt(u"robot.vzl"_s, u".adv"_s), u"robot.adv"_s);
    EXPECT_EQ(IniFile::changeFileExt(u"C:\\a.b\\robot"_s, u".adv"_s), u"C:\\a.b\\robot.adv"_s);
    EXPECT_EQ(IniFile::changeFileExt(u"robot."_s, u".var"_s), u"robot.var"_s);
}

} // namespace
