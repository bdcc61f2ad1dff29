#include "project/ObjectTextReader.h"
#include "project/ObjectTextWriter.h"

#include <gtest/gtest.h>

#include <QFile>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct ToleranceCase {
    const char *name;
    QByteArray text;
    std::function<void(const ObjectTextObject &)> check;
};

void PrintTo(const ToleranceCase &c, std::ostream *os) { *os << c.name; }

class ObjectTextReaderTolerance : public testing::TestWithParam<ToleranceCase> {};

TEST_P(ObjectTextReaderTolerance, Reads)
{
    const ObjectTextParseResult result = ObjectTextReader::parse(GetParam().text);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    ASSERT_EQ(result.objects.size(), 1);
    GetParam().check(result.objects.first());
}

const ObjectTextValue &valueOf(const ObjectTextObject &o, const QString &name)
{
    static const ObjectTextValue missing;
    const ObjectTextProperty *p = o.property(name);
    EXPECT_NE(p, nullptr) << name.toStdString();
    return p ? p->value : missing;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ObjectTextReaderTolerance,
    testing::Values(
        ToleranceCase{"KeywordsInCapitals", "OBJECT b: TKeloBlock\r\n  Left = 1\r\nEnd\r\n",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(o.keyword, u"object"_s);
                          EXPECT_EQ(o.name, u"b"_s);
                          EXPECT_EQ(o.className, u"TKeloBlock"_s);
                          EXPECT_EQ(valueOf(o, u"Left"_s).toInt(), 1);
                      }},
        ToleranceCase{"InheritedWithIndex", "Inherited b: T [3]\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(o.keyword, u"inherited"_s);
                          EXPECT_EQ(o.index, 3);
                      }},
        ToleranceCase{"InlineWithoutName", "inline TFrame\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(o.keyword, u"inline"_s);
                          EXPECT_TRUE(o.name.isEmpty());
                          EXPECT_EQ(o.className, u"TFrame"_s);
                      }},
        ToleranceCase{"WhiteSpaceAnywhereLoneLfAndBlankLines",
                      "\n\n\tobject\n b \n:\n T\n\n   Left\n=\n-7\n\n\tend\n\n\n",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(o.line, 3);
                          EXPECT_EQ(valueOf(o, u"Left"_s).toInt(), -7);
                          EXPECT_EQ(o.properties.first().line, 8);
                      }},
        ToleranceCase{"KeywordPrefixesAreNames", "object b: T\n Ending = 1\n Objective = 2\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(valueOf(o, u"Ending"_s).toInt(), 1);
                          EXPECT_EQ(valueOf(o, u"Objective"_s).toInt(), 2);
                      }},
        ToleranceCase{"HexadecimalIntegers",
                      "object b: T\n A = $FF\n B = $ff000005\n C = $FFFFFFFFFFFFFFFF\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(valueOf(o, u"A"_s).toInt(), 255);
                          EXPECT_EQ(valueOf(o, u"B"_s).toColor(), TColor(0xFF000005));
                          EXPECT_EQ(valueOf(o, u"C"_s).toInt(), -1);
                      }},
        ToleranceCase{"IdentifiersBooleansColoursReferences",
                      "object b: T\n Margins.Left = 0\n A = true\n B = FALSE\n C = clGreen\n"
                      " D = frmVimsel.keloBlock__7\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(valueOf(o, u"margins.left"_s).toInt(), 0);
                          EXPECT_TRUE(valueOf(o, u"A"_s).toBool());
                          bool ok = true;
                          EXPECT_FALSE(valueOf(o, u"B"_s).toBool(&ok));
                          EXPECT_TRUE(ok);
                          EXPECT_EQ(valueOf(o, u"C"_s).toColor(), 0x008000);
                          EXPECT_EQ(valueOf(o, u"D"_s).text(), u"frmVimsel.keloBlock__7"_s);
                          valueOf(o, u"D"_s).toBool(&ok);
                          EXPECT_FALSE(ok);
                      }},
        ToleranceCase{"StringPiecesDoubledApostrophesAndPlusJoins",
                      "object b: T\n A = 'Don''t'\n B = '''x'''\n C = ''\n"
                      " D = 'ab'#13#10'c' +\r\n   #946 +\n\n  'd'#$3B3\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(valueOf(o, u"A"_s).toString(), u"Don't"_s);
                          EXPECT_EQ(valueOf(o, u"B"_s).toString(), u"'x'"_s);
                          bool ok = false;
                          EXPECT_TRUE(valueOf(o, u"C"_s).toString(&ok).isEmpty());
                          EXPECT_TRUE(ok);
                          EXPECT_EQ(valueOf(o, u"D"_s).toString(), u"ab\r\ncβdγ"_s);
                      }},
        ToleranceCase{"Floats", "object b: T\n A = 1.5\n B = -2.5E-3\n C = 3s\n D = 1E2\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(valueOf(o, u"A"_s).kind(), ObjectTextValue::Kind::Float);
                          EXPECT_DOUBLE_EQ(valueOf(o, u"A"_s).toDouble(), 1.5);
                          EXPECT_DOUBLE_EQ(valueOf(o, u"B"_s).toDouble(), -0.0025);
                          EXPECT_EQ(valueOf(o, u"B"_s).text(), u"-2.5E-3"_s);
                          EXPECT_EQ(valueOf(o, u"C"_s).text(), u"3s"_s);
                          EXPECT_DOUBLE_EQ(valueOf(o, u"C"_s).toDouble(), 3.0);
                          EXPECT_DOUBLE_EQ(valueOf(o, u"D"_s).toDouble(), 100.0);
                      }},
        ToleranceCase{"Sets", "object b: T\n A = [akLeft,akTop ,\n akRight]\n B = [ ]\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(valueOf(o, u"A"_s).setElements(),
                                    QStringList({u"akLeft"_s, u"akTop"_s, u"akRight"_s}));
                          EXPECT_EQ(valueOf(o, u"B"_s).kind(), ObjectTextValue::Kind::Set);
                          EXPECT_TRUE(valueOf(o, u"B"_s).setElements().isEmpty());
                      }},
        ToleranceCase{"ListsNested", "object b: T\n A = (\n 1 'x' +\n 'y' (2 ()) clRed)\nend",
                      [](const ObjectTextObject &o) {
                          const QList<ObjectTextValue> items = valueOf(o, u"A"_s).listItems();
                          ASSERT_EQ(items.size(), 4);
                          EXPECT_EQ(items[0].toInt(), 1);
                          EXPECT_EQ(items[1].toString(), u"xy"_s);
                          EXPECT_EQ(items[2].listItems().size(), 2);
                          EXPECT_EQ(items[3].text(), u"clRed"_s);
                      }},
        ToleranceCase{"BinaryAcrossLines", "object b: T\n A = {\n 0A0b\n FF}\n B = {}\nend",
                      [](const ObjectTextObject &o) {
                          EXPECT_EQ(valueOf(o, u"A"_s).binaryData(), QByteArray::fromHex("0a0bff"));
                          EXPECT_EQ(valueOf(o, u"B"_s).kind(), ObjectTextValue::Kind::Binary);
                      }},
        ToleranceCase{"Collections",
                      "object b: T\n A = <\n item\n Caption = 'x'\n Width = 5\n end\n"
                      " ITEM [2]\n END>\n B = <>\nend",
                      [](const ObjectTextObject &o) {
                          const auto items = valueOf(o, u"A"_s).collectionItems();
                          ASSERT_EQ(items.size(), 2);
                          EXPECT_EQ(items[0].index, -1);
                          ASSERT_EQ(items[0].properties.size(), 2);
                          EXPECT_EQ(items[0].properties[0].value.toString(), u"x"_s);
                          EXPECT_EQ(items[0].properties[1].line, 5);
                          EXPECT_EQ(items[1].index, 2);
                          EXPECT_TRUE(valueOf(o, u"B"_s).collectionItems().isEmpty());
                      }},
        ToleranceCase{"NestedObjects",
                      "object a: T\n Left = 1\n object b: U\n  Top = 2\n  object c: V\n  end\n end\n"
                      " inherited d: W\n end\nend",
                      [](const ObjectTextObject &o) {
                          ASSERT_EQ(o.children.size(), 2);
                          const ObjectTextObject &b = o.children[0];
                          EXPECT_EQ(b.name, u"b"_s);
                          EXPECT_EQ(b.line, 3);
                          EXPECT_EQ(valueOf(b, u"Top"_s).toInt(), 2);
                          ASSERT_EQ(b.children.size(), 1);
                          EXPECT_EQ(b.children[0].className, u"V"_s);
                          EXPECT_EQ(o.children[1].keyword, u"inherited"_s);
                      }}),
    [](const testing::TestParamInfo<ToleranceCase> &info) { return std::string(info.param.name); });

TEST(ObjectTextReader, RawBytesAreUtf8ElseGreekCodePage)
{
    const ObjectTextParseResult utf8 =
        ObjectTextReader::parse(QByteArray("\xEF\xBB\xBFobject b: T\n A = '\xCE\x95'\nend"));
    ASSERT_TRUE(utf8.ok) << utf8.error.toStdString();
    EXPECT_EQ(utf8.objects[0].properties[0].value.toString(), u"Ε"_s);

    const ObjectTextParseResult cp1253 = ObjectTextReader::parse(QByteArray("object b: T\n A = '\xC5\xEB'\nend"));
    ASSERT_TRUE(cp1253.ok) << cp1253.error.toStdString();
    EXPECT_EQ(cp1253.objects[0].properties[0].value.toString(), u"Ελ"_s);
}

struct ErrorCase {
    const char *name;
    QByteArray text;
    int line;
    qsizetype objectsKept;
    const char *reason;
};

void PrintTo(const ErrorCase &c, std::ostream *os) { *os << c.name; }

class ObjectTextReaderError : public testing::TestWithParam<ErrorCase> {};

TEST_P(ObjectTextReaderError, StopsWithLineAndKeepsEarlierObjects)
{
    const ErrorCase &c = GetParam();
    const ObjectTextParseResult result = ObjectTextReader::parse(c.text);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorLine, c.line);
    EXPECT_EQ(result.error, u"%1 on line %2"_s.arg(QString::fromLatin1(c.reason)).arg(c.line));
    EXPECT_EQ(result.objects.size(), c.objectsKept);
}

const QByteArray TwoGood = "object a: T\r\n  Left = 1\r\nend\r\nobject b: T\r\nend\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ObjectTextReaderError,
    testing::Values(
        ErrorCase{"EmptyFile", "", 1, 0, "No object found"},
        ErrorCase{"OnlyWhiteSpace", "\r\n  \r\n", 3, 0, "No object found"},
        ErrorCase{"MissingEqualsAfterTwoObjects", TwoGood + "object c: T\r\n  Left 1\r\nend\r\n", 7, 2,
                  "'=' expected"},
        ErrorCase{"GarbageAfterLastEnd", TwoGood + "\r\nxyz\r\n", 7, 2, "'object' expected"},
        ErrorCase{"MissingEndAtEndOfFile", TwoGood + "object c: T\r\n  Left = 1\r\n", 8, 2,
                  "'end' expected"},
        ErrorCase{"MissingClassName", "object a: 5\r\nend", 1, 0, "Identifier expected"},
        ErrorCase{"UnterminatedString", "object a: T\n Hint = 'abc\n end", 2, 0, "Unterminated string"},
        ErrorCase{"PlusWithoutString", "object a: T\n Hint = 'abc' +\n\n 5\nend", 4, 0, "String expected"},
        ErrorCase{"CharCodeOutOfRange", "object a: T\n Hint = #1114112\nend", 2, 0, "Invalid character code"},
        ErrorCase{"IntegerOutOfRange", "object a: T\n A = 99999999999999999999\nend", 2, 0,
                  "Integer out of range"},
        ErrorCase{"HexadecimalOutOfRange", "object a: T\n A = $10000000000000000\nend", 2, 0,
                  "Integer out of range"},
        ErrorCase{"OddBinaryDigits", "object a: T\n A = {0A B}\nend", 2, 0, "Invalid binary value"},
        ErrorCase{"UnclosedList", "object a: T\n A = (1 2\n", 3, 0, "')' expected"},
        ErrorCase{"BadSet", "object a: T\n A = [a b]\nend", 2, 0, "']' expected"},
        ErrorCase{"CollectionWithoutItem", "object a: T\n A = <\n X = 1\n end>\nend", 3, 0,
                  "'item' expected"},
        ErrorCase{"ValueMissing", "object a: T\n A = )\nend", 2, 0, "Invalid property value"},
        ErrorCase{"DeeplyNestedLists", "object a: T\n A = " + QByteArray(100000, '('), 2, 0,
                  "Values nested too deeply"}),
    [](const testing::TestParamInfo<ErrorCase> &info) { return std::string(info.param.name); });

QByteArray readFixture(const char *relative)
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/") + QString::fromLatin1(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TEST(ObjectTextExample, ReadAndWrittenBackByteForByte)
{
    const QByteArray bytes = readFixture("objecttext/example30.vzl");
    ASSERT_FALSE(bytes.isEmpty());
    const ObjectTextParseResult result = ObjectTextReader::parse(bytes);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    ASSERT_EQ(result.objects.size(), 1);
    const ObjectTextObject &block = result.objects[0];
    EXPECT_EQ(block.name, u"keloBlock__2"_s);
    EXPECT_EQ(block.className, u"TKeloBlock"_s);
    EXPECT_EQ(block.properties.size(), 28);
    EXPECT_EQ(block.property(u"CommandText"_s)->value.toString(),
              u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    EXPECT_EQ(block.property(u"param1question"_s)->value.toString(),
              u"Δώσε τα χιλιοστά δευτερολέπτου (1000=1 δευτ) "_s);
    EXPECT_EQ(block.property(u"Color"_s)->value.toColor(), 16711808);
    EXPECT_EQ(block.property(u"BorderColor"_s)->value.toColor(), 0x0000FF);
    EXPECT_EQ(block.property(u"ArduCmd"_s)->line, 29);

    ObjectTextWriter writer;
    writer.writeObject(block);
    EXPECT_EQ(writer.data(), bytes);
}

TEST(ObjectTextExample, TypedWriterCallsProduceTheFile)
{
    const QByteArray bytes = readFixture("objecttext/example30.vzl");
    ASSERT_FALSE(bytes.isEmpty());
    ObjectTextWriter w;
    w.beginObject(u"keloBlock__2"_s, u"TKeloBlock"_s);
    w.writeInteger(u"Left"_s, 40);
    w.writeInteger(u"Top"_s, 74);
    w.writeInteger(u"Width"_s, 330);
    w.writeInteger(u"Height"_s, 44);
    w.writeMargins(3, 3, 3, 3);
    w.writeColor(u"Color"_s, KeloColor::rgb(128, 0, 255));
    for (const QString &p : {u"Param1Attaching"_s, u"Param2Attaching"_s, u"CtrlAttachUp"_s, u"CtrlAttachDn"_s})
        w.writeBool(p, false);
    w.writeString(u"CommandText"_s, u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    w.writeBool(u"NewlyCreated"_s, false);
    w.writeInteger(u"CommndID"_s, 250);
    w.writeInteger(u"Param1"_s, 500);
    w.writeInteger(u"Param2"_s, 0);
    w.writeInteger(u"PDevice"_s, -1);
    w.writeBool(u"topNose"_s, true);
    w.writeBool(u"botNose"_s, true);
    w.writeReference(u"LinkFrom"_s, u"keloBlock__1"_s);
    w.writeInteger(u"TotalParams"_s, 1);
    w.writeString(u"param1question"_s, u"Δώσε τα χιλιοστά δευτερολέπτου (1000=1 δευτ) "_s);
    w.writeString(u"param1prompt"_s, u"Χιλιοστά"_s);
    w.writeInteger(u"Id"_s, 2);
    w.writeColor(u"BorderColor"_s, KeloColor::Red);
    w.writeColor(u"CommandColor"_s, KeloColor::White);
    w.writeString(u"LinkFromName"_s, u"keloBlock__1"_s);
    w.writeBool(u"prototype"_s, false);
    w.writeInteger(u"DeviceOnlyCommandID"_s, -1);
    w.writeString(u"ArduCmd"_s, u"delay(%p1);"_s);
    w.endObject();
    EXPECT_EQ(w.data(), bytes);
}

TEST(ObjectTextRoundTrip, EveryKindKeepsItsValueAndItsBytes)
{
    // Long enough that work per character beyond a constant would show.
    QString longText;
    longText.reserve(200000);
    for (int i = 0; i < 20000; ++i)
        longText += u"Κείμενο 'ok' \r\n"_s.at(i % 15);
    const QString tricky = u"Don't \u007F\u0080 ΑΒΓ"_s + QString(70, u'a') + u"'"_s;
    QList<ObjectTextCollectionItem> items(1);
    items[0].index = 0;
    items[0].properties.append({u"Caption"_s, ObjectTextValue::string(tricky), 0});

    ObjectTextWriter w;
    w.beginObject(u"keloBlock__3"_s, u"TKeloLoopBlock"_s);
    w.writeInteger(u"Big"_s, std::numeric_limits<qint64>::min());
    w.writeBool(u"Flag"_s, true);
    w.writeColor(u"Color"_s, TColor(0xFF000019));
    w.writeColor(u"Named"_s, 0xC0DCC0);
    w.writeString(u"Hint"_s, tricky);
    w.writeString(u"Long"_s, longText);
    w.writeReference(u"LinkTo"_s, u"keloBlock__9"_s);
    w.writeMargins(0, 1, 2, 3);
    w.writeValue(u"Scale"_s, ObjectTextValue::floating(0.25, u"0.25"_s));
    w.writeValue(u"Anchors"_s, ObjectTextValue::set({u"akLeft"_s}));
    w.writeValue(u"Lines"_s, ObjectTextValue::list({ObjectTextValue::string(tricky),
                                                    ObjectTextValue::list({ObjectTextValue::integer(-5)})}));
    w.writeValue(u"Data"_s, ObjectTextValue::binary(QByteArray(70, '\x5A')));
    w.writeValue(u"Items"_s, ObjectTextValue::collection(items));
    w.beginObject(u"child"_s, u"TChild"_s);
    w.writeString(u"Hint"_s, tricky);
    w.endObject();
    w.endObject();
    const QByteArray bytes = w.data();
    for (char c : bytes)
        ASSERT_TRUE(c >= 0) << "non-ASCII byte written";

    const ObjectTextParseResult result = ObjectTextReader::parse(bytes);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    ASSERT_EQ(result.objects.size(), 1);
    const ObjectTextObject &o = result.objects[0];
    EXPECT_EQ(o.property(u"Big"_s)->value.toInt(), std::numeric_limits<qint64>::min());
    EXPECT_TRUE(o.property(u"Flag"_s)->value.toBool());
    EXPECT_EQ(o.property(u"Color"_s)->value.toColor(), TColor(0xFF000019));
    EXPECT_EQ(o.property(u"Named"_s)->value.toColor(), 0xC0DCC0);
    EXPECT_EQ(o.property(u"Hint"_s)->value.toString(), tricky);
    EXPECT_EQ(o.property(u"Long"_s)->value.toString(), longText);
    EXPECT_EQ(o.property(u"LinkTo"_s)->value.text(), u"frmVimsel.keloBlock__9"_s);
    EXPECT_EQ(o.property(u"Margins.Left"_s)->value.toInt(), 0);
    EXPECT_EQ(o.property(u"Margins.Right"_s)->value.toInt(), 2);
    EXPECT_EQ(o.property(u"Margins.Bottom"_s), nullptr);
    EXPECT_EQ(o.property(u"Lines"_s)->value.listItems()[0].toString(), tricky);
    EXPECT_EQ(o.property(u"Data"_s)->value.binaryData(), QByteArray(70, '\x5A'));
    EXPECT_EQ(o.property(u"Items"_s)->value.collectionItems(), items);
    ASSERT_EQ(o.children.size(), 1);
    EXPECT_EQ(o.children[0].property(u"Hint"_s)->value.toString(), tricky);

    ObjectTextWriter again;
    again.writeObject(o);
    EXPECT_EQ(again.data(), bytes);
}

} // namespace
