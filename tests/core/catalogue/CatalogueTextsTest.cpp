#include "core/catalogue/PanelLookup.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Spot checks of texts where a slip is easy to miss: trailing and double spaces,
// special signs, quotes and line-break placeholders inside templates.
struct TextCase {
    const char *name;
    QString panel;
    int index;
    QString PrototypeSpec::*field;
    QString expected;
};

void PrintTo(const TextCase &c, std::ostream *os) { *os << c.name; }

class CatalogueTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(CatalogueTexts, Exact)
{
    const TextCase &c = GetParam();
    const PanelSpec &panel = panelNamed(c.panel);
    ASSERT_LT(c.index, panel.prototypes.size());
    EXPECT_EQ(panel.prototypes[c.index].*c.field, c.expected);
}

using P = PrototypeSpec;

INSTANTIATE_TEST_SUITE_P(
    Catalogue, CatalogueTexts,
    ::testing::Values(
        TextCase{"StartText", u"strtPanel"_s, 0, &P::CommandText, u"Έναρξη προγράμματος"_s},
        TextCase{"EndCode", u"strtPanel"_s, 1, &P::ArduCmd, u"while(1);"_s},
        TextCase{"CountedLoopCode", u"LoopPanel"_s, 0, &P::ArduCmd, u"for (int %k=0;%k<%p1;%k++){"_s},
        TextCase{"ForeverLoopHint", u"LoopPanel"_s, 1, &P::MyHint,
                 u"Επαναλαμβάνει τις εντολές που περιέχονται για πάντα"_s},
        TextCase{"PinLowConditionText", u"CtrlPanel"_s, 1, &P::CommandText,
                 u"Εάν το pin %p2 %p1 είναι 0 (low=0 Volt)"_s},
        TextCase{"PinConditionCode", u"CtrlPanel"_s, 0, &P::ArduCmd, u"if (digitalRead(%p2) %p1 HIGH ){"_s},
        TextCase{"PinConditionQuestion", u"CtrlPanel"_s, 1, &P::param2question, u"Δώσε το pin του Arduino "_s},
        TextCase{"PinConditionHint", u"CtrlPanel"_s, 1, &P::MyHint, u"for MEGA:A0=pin54 A1=pin55 ... A15=pin69"_s},
        TextCase{"WaitQuestion", u"variousPanel"_s, 0, &P::param1question,
                 u"Δώσε τα χιλιοστά δευτερολέπτου (1000=1 δευτ) "_s},
        TextCase{"WaitHintEmpty", u"variousPanel"_s, 0, &P::MyHint, QString()},
        TextCase{"PinLowCode", u"variousPanel"_s, 4, &P::ArduCmd, u"digitalWrite(%p1,LOW);"_s},
        TextCase{"PinOutputHint", u"variousPanel"_s, 1, &P::MyHint, u"A0=pin54 A1=pin55 ... A15=pin69"_s},
        TextCase{"SetVariableText", u"VarPanel"_s, 0, &P::CommandText, u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s},
        TextCase{"ChangeVariableCode", u"VarPanel"_s, 1, &P::ArduCmd, u"%v2+=%p1;"_s},
        TextCase{"LcdTextText", u"LCDpanel"_s, 2, &P::CommandText, u"Τύπωσε στην LCD κείμενο %ps "_s},
        TextCase{"LcdTextCode", u"LCDpanel"_s, 2, &P::ArduCmd, u"%dn.print(\"%ps\");"_s},
        TextCase{"LcdNumberText", u"LCDpanel"_s, 3, &P::CommandText, u"Τύπωσε στην LCD αριθμό %p1 "_s},
        TextCase{"LcdBothCode", u"LCDpanel"_s, 4, &P::ArduCmd, u"%dn.print(\"%ps\");%dn.print(%p1);"_s},
        TextCase{"LcdCursorText", u"LCDpanel"_s, 1, &P::CommandText, u"Θέσε τον δείκτη LCD [ %p1 , %p2 ]"_s},
        TextCase{"LaserOffText", u"LaserPanel"_s, 1, &P::CommandText, u"%pd → Απενεργοποίησε το Laser/LED "_s},
        TextCase{"SoundBeepHintEmpty", u"SoundPanel"_s, 0, &P::MyHint, QString()},
        TextCase{"SoundToneHint", u"SoundPanel"_s, 1, &P::MyHint,
                 u"συχνότητα σε hz (π.χ. 2000), διάρκεια σε χιλ. δευτερολέπτου"_s},
        TextCase{"UltrasonicConditionCode", u"USonicPanel"_s, 1, &P::ArduCmd,
                 u"if (%dn.distanceFront() %p1 %p2 ) {"_s},
        TextCase{"ServoLeftAtText", u"ServoPanel"_s, 0, &P::CommandText,
                 u"%pd → Μετακίνησε ΣΕ %p1 μοίρες (0-90) Αριστερά"_s},
        TextCase{"SwitchCode", u"SwitchPanel"_s, 1, &P::ArduCmd, u"if (%not(digitalRead(%dp1)==HIGH)) {"_s},
        TextCase{"SwitchNegation", u"SwitchPanel"_s, 0, &P::param1prompt, u"δεν"_s},
        TextCase{"TempConditionText", u"TempPanel"_s, 2, &P::CommandText,
                 u"%pd → Εάν Θερμοκρασία είναι %p1 %p2 (°C)"_s},
        TextCase{"TempConditionCode", u"TempPanel"_s, 2, &P::ArduCmd, u"if (%dn.readTemperature() %p1 %p2) {  "_s},
        TextCase{"HumidityText", u"TempPanel"_s, 3, &P::CommandText, u"%pd → Εάν υγρασία είναι %p1 %p2 %"_s},
        TextCase{"HumidityCode", u"TempPanel"_s, 3, &P::ArduCmd, u"if (%dn.readHumidity() %p1 %p2) {  "_s},
        TextCase{"HumidityHint", u"TempPanel"_s, 3, &P::MyHint,
                 u"Ελέγχει εάν η υγρασία είναι %p1 τον αριθμό τοις εκατό (%)"_s},
        TextCase{"TempNegation", u"TempPanel"_s, 3, &P::param1prompt, u"όχι"_s},
        TextCase{"PressureConditionText", u"BMPPanel"_s, 3, &P::CommandText,
                 u"%pd → Εάν Πίεση (Απόλυτη) είναι %p1  %p2 (mb)"_s},
        TextCase{"RelPressureConditionText", u"BMPPanel"_s, 4, &P::CommandText,
                 u"%pd → Εάν Πίεση (Σχετική) είναι %p1  %p2 (mb)"_s},
        TextCase{"RelPressureText", u"BMPPanel"_s, 1, &P::CommandText, u"%pd → Πίεση (σχετική)"_s},
        TextCase{"BmpTempHint", u"BMPPanel"_s, 5, &P::MyHint,
                 u"Ελέγχει εάν η θερμοκρασία είναι %p1 τους βαθμούς °Κελσίου"_s},
        TextCase{"AnalogConditionText", u"AnalogInPanel"_s, 1, &P::CommandText,
                 u"%pd → Εάν η τιμή της συσκευής είναι %p1 %p2 "_s},
        TextCase{"AnalogConditionCode", u"AnalogInPanel"_s, 1, &P::ArduCmd, u"if (analogRead(%dp1) %p1 %p2) { "_s},
        TextCase{"AnalogReadCode", u"AnalogInPanel"_s, 0, &P::ArduCmd, u"analogRead(%dp1)"_s},
        TextCase{"MotorStopCode", u"DcMotorPanel"_s, 2, &P::ArduCmd, u"%dn.run(4);//Stop"_s},
        TextCase{"RobotSpeedText", u"DcRobotPanel"_s, 1, &P::CommandText, u"%pd → Ταχύτητα (0..255) %p1 "_s},
        TextCase{"RobotSpeedHint", u"DcRobotPanel"_s, 1, &P::MyHint,
                 u"Θέτει την ταχύτητα του οχήματος (255=μέγιστη ταχύτητα) "_s},
        TextCase{"RobotStepCode", u"DcRobotPanel"_s, 5, &P::ArduCmd, u"%dn.stepForward;//Forward"_s},
        TextCase{"RobotStepBackHint", u"DcRobotPanel"_s, 6, &P::MyHint, u"Ένα Βήμα προς τα πίσω"_s},
        TextCase{"RobotTurnHint", u"DcRobotPanel"_s, 9, &P::MyHint, u"Στρίβει Αριστερά 90 μοίρες "_s},
        TextCase{"RobotTimedRightCode", u"DcRobotPanel"_s, 10, &P::ArduCmd,
                 u"%dn.goRight();%nl delay(%p2);%nl %dn.run(4);"_s},
        TextCase{"RobotTimedRightHint", u"DcRobotPanel"_s, 10, &P::MyHint,
                 u"Στρίβει Δεξιά για κάποιο χρόνο σε χιλιοστά του δευτερολέπτου "_s},
        TextCase{"RobotTimedLeftHint", u"DcRobotPanel"_s, 11, &P::MyHint,
                 u"Στρίβει Αριστερά για κάποιο χρόνο σε χιλιοστά του δευτερολέπτου"_s}),
    [](const ::testing::TestParamInfo<TextCase> &info) { return std::string(info.param.name); });

TEST(CatalogueCaptions, PanelCaptions)
{
    EXPECT_EQ(panelNamed(u"strtPanel"_s).caption, u"Έναρξη - Λήξη"_s);
    EXPECT_EQ(panelNamed(u"USonicPanel"_s).caption, u"Απόσταση με υπερήχους"_s);
    EXPECT_EQ(panelNamed(u"TempPanel"_s).caption, u"Θερμοκρασία/Υγρασία"_s);
    EXPECT_EQ(panelNamed(u"DcMotorPanel"_s).caption, u"DcMotorPanel"_s);
    EXPECT_EQ(panelNamed(u"DcRobotPanel"_s).caption, u"Σύστημα Robot"_s);
    EXPECT_EQ(panelNamed(u"VarPanel"_s).caption, u"Μεταβλητές"_s);
}

} // namespace
