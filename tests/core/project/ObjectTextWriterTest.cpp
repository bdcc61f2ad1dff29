#include "project/ObjectTextWriter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The lines a writer call produces inside a top-level object.
QByteArray propertyLines(const std::function<void(ObjectTextWriter &)> &write)
{
    ObjectTextWriter writer;
    writer.beginObject(u"b"_s, u"T"_s);
    write(writer);
    writer.endObject();
    QByteArray data = writer.data();
    const QByteArray header = "object b: T\r\n";
    const QByteArray footer = "end\r\n";
    EXPECT_TRUE(data.startsWith(header));
    EXPECT_TRUE(data.endsWith(footer));
    return data.mid(header.size(), data.size() - header.size() - footer.size());
}

QByteArray stringLines(const QString &value)
{
    return propertyLines([&](ObjectTextWriter &w) { w.writeString(u"Hint"_s, value); });
}

struct StringCase {
    const char *name;
    QString value;
    QByteArray written;
};

void PrintTo(const StringCase &c, std::ostream *os) { *os << c.name; }

class ObjectTextWriterString : public testing::TestWithParam<StringCase> {};

TEST_P(ObjectTextWriterString, EncodesAndWraps)
{
    EXPECT_EQ(stringLines(GetParam().value), GetParam().written);
}

const QString Greek78 =
    u"Σταματά το πρόγραμμα για όσα χιλιοστά δευτερολέπτου λέει η τιμή (1000 = 1 sec)"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, ObjectTextWriterString,
    testing::Values(
        StringCase{"GreekAndRuns", u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s,
                   "  Hint = #928#949#961#943#956#949#957#949' %p1 '#967#953#955#953#959#963"
                   "#964#940' '#948#949#965#964#949#961#959#955#941#960#964#959#965\r\n"},
        StringCase{"PlainAscii", u"delay(%p1);"_s, "  Hint = 'delay(%p1);'\r\n"},
        StringCase{"ApostropheAsCode", u"Don't"_s, "  Hint = 'Don'#39't'\r\n"},
        StringCase{"OnlyApostrophes", u"''"_s, "  Hint = #39#39\r\n"},
        StringCase{"Char127InRunsControlAnd128AsCodes", u"a\u007F~\r\n\u0080b"_s,
                   "  Hint = 'a\x7F~'#13#10#128'b'\r\n"},
        StringCase{"SurrogatePairAsTwoCodes", QString::fromUcs4(U"x\U0001F600"),
                   "  Hint = 'x'#55357#56832\r\n"},
        StringCase{"Empty", QString(), "  Hint = ''\r\n"},
        StringCase{"Exactly64StaysOnPropertyLine", QString(64, u'x'),
                   "  Hint = '" + QByteArray(64, 'x') + "'\r\n"},
        StringCase{"SixtyFiveWrapsOntoThirdLine", QString(65, u'x'),
                   "  Hint = \r\n    '" + QByteArray(64, 'x') + "' +\r\n    'x'\r\n"},
        StringCase{"CodeEndingAt64", QString(63, u'x') + u"ΩΩ"_s,
                   "  Hint = \r\n    '" + QByteArray(63, 'x') + "'#937 +\r\n    #937\r\n"},
        StringCase{"RunEndingAt64BeforeApostrophe", QString(64, u'x') + u"'"_s,
                   "  Hint = \r\n    '" + QByteArray(64, 'x') + "' +\r\n    #39\r\n"},
        StringCase{"TwoFullLinesNoTrailingJoin", QString(128, u'y'),
                   "  Hint = \r\n    '" + QByteArray(64, 'y') + "' +\r\n    '" + QByteArray(64, 'y')
                       + "'\r\n"},
        // 78 characters; the run " (1000 = 1 sec)" crosses the mark and is cut.
        StringCase{"Greek78WrapsOnceAfter64th", Greek78,
                   "  Hint = \r\n"
                   "    #931#964#945#956#945#964#940' '#964#959' '#960#961#972#947#961#945#956"
                   "#956#945' '#947#953#945' '#972#963#945' '#967#953#955#953#959#963#964#940"
                   "' '#948#949#965#964#949#961#959#955#941#960#964#959#965' '#955#941#949#953"
                   "' '#951' '#964#953#956#942' ' +\r\n"
                   "    '(1000 = 1 sec)'\r\n"}),
    [](const testing::TestParamInfo<StringCase> &info) { return std::string(info.param.name); });

TEST(ObjectTextWriterStringLength, Greek78IsSeventyEightCharacters)
{
    // Guards the table above: the case only means something at this length.
    EXPECT_EQ(Greek78.size(), 78);
    EXPECT_EQ(Greek78.indexOf(u"(1000"_s), 64);
}

TEST(ObjectTextWriterColor, NamesFromTheTableElseDecimal)
{
    const struct {
        TColor value;
        const char *written;
    } cases[] = {
        {0x008000, "clGreen"},
        {0x000080, "clMaroon"},
        {0x0000FF, "clRed"},
        {0xFFFFFF, "clWhite"},
        {0xA4A0A0, "clMedGray"},
        {33410, "33410"},
        {16711808, "16711808"},
        {TColor(0xFF000005), "clWindow"},
        {TColor(0xFF00001E), "clMenuBar"},
        {TColor(0xFF000019), "-16777191"},  // system colour 25 has no name
        {0x1FFFFFFF, "clNone"},
        {0x20000000, "clDefault"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_EQ(propertyLines([&](ObjectTextWriter &w) { w.writeColor(u"Color"_s, c.value); }),
                  QByteArray("  Color = ") + c.written + "\r\n");
        TColor back = 0;
        const QString text = QString::fromLatin1(c.written);
        if (ObjectTextWriter::colorFromName(text, &back))
            EXPECT_EQ(back, c.value);
        else
            EXPECT_EQ(text.toInt(), c.value);
    }
}

TEST(ObjectTextWriterColor, ReaderSideIgnoresCaseAndRejectsOtherNames)
{
    TColor color = 0;
    EXPECT_TRUE(ObjectTextWriter::colorFromName(u"CLRED"_s, &color));
    EXPECT_EQ(color, 0x0000FF);
    EXPECT_FALSE(ObjectTextWriter::colorFromName(u"clOrange"_s, &color));
    EXPECT_FALSE(ObjectTextWriter::colorFromName(u"16711808"_s, &color));
    bool found = true;
    EXPECT_EQ(ObjectTextWriter::colorName(16711808, &found), u"16711808"_s);
    EXPECT_FALSE(found);
}

TEST(ObjectTextWriter, ScalarKindsReferencesAndMargins)
{
    const QByteArray lines = propertyLines([](ObjectTextWriter &w) {
        w.writeInteger(u"Left"_s, 40);
        w.writeInteger(u"PDevice"_s, -1);
        w.writeBool(u"topNose"_s, true);
        w.writeBool(u"prototype"_s, false);
        w.writeReference(u"LinkFrom"_s, u"keloBlock__7"_s);
        w.writeMargins(3, 3, 3, 3);
        w.writeMargins(0, 3, 3, 5);
        w.writeIdent(u"Align"_s, u"alClient"_s);
    });
    EXPECT_EQ(lines,
              "  Left = 40\r\n"
              "  PDevice = -1\r\n"
              "  topNose = True\r\n"
              "  prototype = False\r\n"
              "  LinkFrom = frmVimsel.keloBlock__7\r\n"
              "  Margins.Left = 0\r\n"
              "  Margins.Bottom = 5\r\n"
              "  Align = alClient\r\n");
}

TEST(ObjectTextWriter, NestedObjectsIndentTheirLinesAndWrappedStrings)
{
    ObjectTextWriter w;
    w.beginObject(u"inherited"_s, u"a"_s, u"TA"_s, 2);
    w.writeInteger(u"Tag"_s, 1);
    w.beginObject(QString(), u"TB"_s);
    w.writeString(u"Hint"_s, QString(65, u'z'));
    w.endObject();
    w.endObject();
    EXPECT_EQ(w.data(),
              "inherited a: TA [2]\r\n"
              "  Tag = 1\r\n"
              "  object TB\r\n"
              "    Hint = \r\n"
              "      '" + QByteArray(64, 'z') + "' +\r\n"
              "      'z'\r\n"
              "  end\r\n"
              "end\r\n");
}

TEST(ObjectTextWriter, CompoundKindsLayout)
{
    QList<ObjectTextCollectionItem> items(2);
    items[0].properties.append({u"Caption"_s, ObjectTextValue::string(u"x"_s), 0});
    items[1].index = 4;
    const QByteArray lines = propertyLines([&](ObjectTextWriter &w) {
        w.writeValue(u"Anchors"_s, ObjectTextValue::set({u"akLeft"_s, u"akTop"_s}));
        w.writeValue(u"Empty"_s, ObjectTextValue::set({}));
        w.writeValue(u"Scale"_s, ObjectTextValue::floating(1.5, u"1.50s"_s));
        w.writeValue(u"Lines"_s, ObjectTextValue::list({ObjectTextValue::string(u"a"_s),
                                                        ObjectTextValue::integer(7)}));
        w.writeValue(u"Short"_s, ObjectTextValue::binary(QByteArray::fromHex("00ff10")));
        w.writeValue(u"Long"_s, ObjectTextValue::binary(QByteArray(33, '\xAB')));
        w.writeValue(u"Columns"_s, ObjectTextValue::collection(items));
        w.writeValue(u"None"_s, ObjectTextValue::collection({}));
    });
    EXPECT_EQ(lines,
              "  Anchors = [akLeft, akTop]\r\n"
              "  Empty = []\r\n"
              "  Scale = 1.50s\r\n"
              "  Lines = (\r\n"
              "    'a'\r\n"
              "    7)\r\n"
              "  Short = {00FF10}\r\n"
              "  Long = {\r\n"
              "    " + QByteArray(64, 'A').replace("AA", "AB") + "\r\n"
              "    AB}\r\n"
              "  Columns = <\r\n"
              "    item\r\n"
              "      Caption = 'x'\r\n"
              "    end\r\n"
              "    item [4]\r\n"
              "    end>\r\n"
              "  None = <>\r\n");
}

} // namespace
