#include "support/ProjectFixture.h"

#include "devices/DeviceTypes.h"

namespace {

struct ExpansionCase {
    const char *name;
    const char16_t *templ;
    int param1, param2;
    const char16_t *paramStr;
    int depth;
    const char16_t *expected;
};

class TemplateExpansion : public ProjectFixture, public ::testing::WithParamInterface<ExpansionCase> {};

TEST_P(TemplateExpansion, Expands)
{
    const ExpansionCase &c = GetParam();
    TKeloBlock *b = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    b->ArduCmd = QString::fromUtf16(c.templ);
    b->SetParam1(c.param1);
    b->SetParam2(c.param2);
    b->SetParamStr(QString::fromUtf16(c.paramStr));
    EXPECT_EQ(b->GetArduinoCommand(c.depth), QString::fromUtf16(c.expected));
    // The working text is cleared: a second expansion gives the same.
    EXPECT_EQ(b->GetArduinoCommand(c.depth), QString::fromUtf16(c.expected));
}

const ExpansionCase kCases[] = {
    {"NoPlaceholders", u"while(1);", 0, 0, u"", 1, u"while(1);"},
    {"EmptyTemplate", u"", 0, 0, u"", 1, u""},
    {"TwiceAndCaseSensitive", u"%p1+%p1+%P1", 3, 0, u"", 1, u"3+3+%P1"},
    {"Negative", u"f(%p1,%p2);", -1, 7, u"", 1, u"f(-1,7);"},
    {"NotWithOne", u"if (%not(x))", 1, 0, u"", 1, u"if (!(x))"},
    {"NotWithZero", u"if (%not(x))", 0, 0, u"", 1, u"if ((x))"},
    {"NotWithTwo", u"if (%not(x))", 2, 0, u"", 1, u"if ((x))"},
    {"LoopCounterDepth3", u"%k", 0, 0, u"", 3, u"ik3"},
    {"LineBreakDepth0", u"a%nlb", 0, 0, u"", 0, u"a\r\n b"},
    {"LineBreakDepth2", u"a;%nl b;", 0, 0, u"", 2, u"a;\r\n        b;"},
    {"TextParameterExpandsLaterPlaceholders", u"print(\"%ps\");", 0, 0, u"%k %p1", 2, u"print(\"ik2 %p1\");"},
    {"DeviceParamsWithoutDevice", u"%dp1/%dp6/[%dn]", 0, 0, u"", 1, u"-1/-1/[]"},
    {"PdIsParameterOne", u"%pd", 42, 0, u"", 1, u"42"},
    // A pupil's text stands inside a C string: quotes, backslashes and line breaks are
    // escaped there, and only there.
    {"TextInStringIsEscaped", u"lcd.print(\"%ps\");", 0, 0, u"say \"hi\" \\o/\r\n", 1,
     u"lcd.print(\"say \\\"hi\\\" \\\\o/\\r\\n\");"},
    {"TextAfterEscapedQuoteStillInString", u"f(\"a\\\"%ps\");", 0, 0, u"\"", 1, u"f(\"a\\\"\\\"\");"},
    {"TextOutsideStringsUnchanged", u"x = %ps; s = \"%ps\";", 0, 0, u"\"q\"", 1, u"x = \"q\"; s = \"\\\"q\\\"\";"},
};

INSTANTIATE_TEST_SUITE_P(Cases, TemplateExpansion, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

class TemplateWithSlot : public ProjectFixture {};

TEST_F(TemplateWithSlot, ValueBlockReplacesP1ButNotPdOrNot)
{
    project.variables().Newvar(u"Μετρητής"_s);
    TKeloBlock *b = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    b->ArduCmd = u"%p1|%pd|%not"_s;
    b->SetParam1(7);
    b->SetVarParam1(pb.placeVariable(u"Μετρητής"_s));
    EXPECT_EQ(b->GetArduinoCommand(4), u"Metritis|7|"_s);
}

TEST_F(TemplateWithSlot, DeviceCommandUsesItsDevice)
{
    ActiveDevices &d = project.devices();
    d.AddDevice(DeviceTypes::Laser, &prompt);
    const int second = d.AddDevice(DeviceTypes::Laser, &prompt);
    d.SetParam(second, 1, 12);
    TKeloBlock *b = place(u"%pd → Ενεργοποίησε το Laser/LED "_s);
    b->DeviceComboChange(1);
    EXPECT_EQ(b->ParamD(), u"LaserLED_1"_s);
    EXPECT_EQ(b->GetArduinoCommand(1), u"digitalWrite(12,HIGH);"_s);
}

TEST_F(TemplateWithSlot, EscapingLeavesTheStoredTextAlone)
{
    TKeloBlock *b = place(u"Τύπωσε στην LCD κείμενο %ps "_s);
    b->ParamStrEditChange(u"\"A\\B\""_s);
    EXPECT_EQ(b->GetArduinoCommand(1), u".print(\"\\\"A\\\\B\\\"\");"_s);
    EXPECT_EQ(b->ParamStr(), u"\"A\\B\""_s);
}

TEST_F(TemplateWithSlot, MissingVariableGivesNoVar)
{
    project.variables().Newvar(u"x"_s);
    TKeloBlock *v = pb.placeVariable(u"x"_s);
    project.variables().DeleteVar(u"x"_s);
    EXPECT_EQ(v->GetArduinoCommand(1), u"NoVAR"_s);
}

} // namespace
