#include "checks/CheckTestSupport.h"

#include "checks/VariableNameRule.h"
#include "devices/DeviceTypes.h"

namespace {

using S = CheckScene;

// Rows whose only content is variables, and for some a device or board.
CheckCase vars(const char *name, QStringList names, QStringList expected, std::function<void(S &)> more = {})
{
    return {name,
            [names, more](S &s) {
                if (more)
                    more(s);
                for (const QString &n : names)
                    s.variable(n);
            },
            expected};
}

using VariableName = RuleTable<VariableNameRule>;
TEST_P(VariableName, Finds) { runRow(); }

const CheckCase kVariableName[] = {
    vars("OmicronAndOmegaBothGiveO", {u"Φως"_s, u"Φος"_s}, {u"E variable-name «Φος»"_s}),
    vars("AnAccentMakesNoDifference", {u"Μετρητής"_s, u"Μετρητης"_s}, {u"E variable-name «Μετρητης»"_s}),
    vars("NamesThatTransliterateDifferently", {u"Φως"_s, u"Φυς"_s, u"Θέση"_s, u"Τέση"_s, u"ο"_s, u"Ο"_s}, {}),
    vars("TheSameNameTwice", {u"Χ"_s, u"Χ"_s}, {u"E variable-name «Χ»"_s}),
    vars("CppKeywords", {u"ιντ"_s, u"φορ"_s, u"ιφ"_s, u"typeof"_s},
         {u"E variable-name «ιντ»"_s, u"E variable-name «φορ»"_s, u"E variable-name «ιφ»"_s,
          u"E variable-name «typeof»"_s}),
    vars("ArduinoNames", {u"λοοπ"_s, u"σετυπ"_s, u"Α0"_s, u"σιν"_s},
         {u"E variable-name «λοοπ»"_s, u"E variable-name «σετυπ»"_s, u"E variable-name «Α0»"_s,
          u"E variable-name «σιν»"_s}),
    // B1 is one of binary.h's constants, "#define B1 1".
    vars("BinaryConstants", {u"Β1"_s, u"Β0101"_s}, {u"E variable-name «Β1»"_s, u"E variable-name «Β0101»"_s}),
    // Types, C library functions and the chip's registers the core's headers bring in.
    vars("TypesAndTheCLibrary", {u"βοολεαν"_s, u"στρλεν"_s, u"ΣΡΕΓ"_s},
         {u"E variable-name «βοολεαν»"_s, u"E variable-name «στρλεν»"_s, u"E variable-name «ΣΡΕΓ»"_s}),
    // "int main;" and "int timer0_millis;" compile; the link then fails or runs no program.
    vars("WhatTheCoreDefinesWithoutDeclaringIt", {u"μαιν"_s, u"τιμερ0_μιλλις"_s},
         {u"E variable-name «μαιν»"_s, u"E variable-name «τιμερ0_μιλλις»"_s}),
    // Function-like macros are not expanded in "int min;" or "min = 3;".
    vars("FunctionLikeMacros", {u"μιν"_s, u"Φ"_s, u"βιτΡεαδ"_s}, {}),
    // "__" or "_" and a capital begin the compiler's own names (__LINE__, _BV).
    vars("NamesKeptForTheCompiler", {u"  ΛΙΝΕ  "_s, u" ΒΒ"_s, u" α"_s},
         {u"E variable-name «  ΛΙΝΕ  »"_s, u"E variable-name « ΒΒ»"_s}),
    vars("APortOfTheMegasChip", {u"ΠΟΡΤΑ"_s}, {u"E variable-name «ΠΟΡΤΑ»"_s}, [](S &s) { s.board(2); }),
    vars("NoSuchPortOnTheUno", {u"ΠΟΡΤΑ"_s, u"πόρτα"_s}, {}),
    vars("AnAnalogueInputOfTheMega", {u"Α7"_s, u"Α8"_s, u"Σεριαλ1"_s},
         {u"E variable-name «Α7»"_s, u"E variable-name «Α8»"_s, u"E variable-name «Σεριαλ1»"_s},
         [](S &s) { s.board(2); }),
    vars("NoSuchAnalogueInputOnTheUno", {u"Α7"_s, u"Α8"_s, u"Σεριαλ1"_s}, {u"E variable-name «Α7»"_s}),
    // The Nano's variant only recounts the Uno's analogue inputs: it has the Uno's names.
    vars("TheNanoHasTheUnosNames", {u"Α7"_s, u"Α8"_s}, {u"E variable-name «Α7»"_s}, [](S &s) { s.board(1); }),
    // The Mega's chip has no INTERNAL reference, only INTERNAL1V1 and INTERNAL2V56.
    vars("AMacroOnlyTheUnoHas", {u"ΙΝΤΕΡΝΑΛ"_s}, {}, [](S &s) { s.board(2); }),
    vars("TheNameOfADeviceObject", {u"Τεμπ_0"_s}, {u"E variable-name «Τεμπ_0»"_s},
         [](S &s) { s.device(DeviceTypes::Temp, {2}); }),
    // A laser is only a pin number in the sketch: no object takes its name.
    vars("TheNameOfALaser", {u"ΛασερΛΕΔ_0"_s}, {}, [](S &s) { s.device(DeviceTypes::Laser, {13}); }),
    vars("ALibraryMacroWithItsDevice", {u"Εν_πιν"_s}, {u"E variable-name «Εν_πιν»"_s},
         [](S &s) { s.device(DeviceTypes::LCD_Serial); }),
    vars("ALibraryMacroWithoutItsDevice", {u"Εν_πιν"_s}, {}),
    // A variable may hide a class name: the sketch uses it only before the variables.
    vars("AClassName", {u"DHT"_s, u"String"_s}, {}, [](S &s) { s.device(DeviceTypes::Temp, {2}); }),
    vars("LeadingDigit", {u"2η τιμή"_s}, {u"E variable-name «2η τιμή»"_s}),
    vars("ALetterTheTableLacks", {u"Ήλιος"_s}, {u"E variable-name «Ήλιος»"_s}),
    vars("Punctuation", {u"Χ!"_s}, {u"E variable-name «Χ!»"_s}),
    vars("SpacesAndCommasBecomeUnderscores", {u"Θέση Χ"_s, u"ψ,ω"_s}, {}),
    vars("NoName", {QString()}, {u"E variable-name «»"_s}),
    vars("LatinNames", {u"count"_s, u"x2"_s, u"_tmp"_s}, {}),
};
INSTANTIATE_TEST_SUITE_P(Rows, VariableName, ::testing::ValuesIn(kVariableName), checkCaseName);

class VariableNameTexts : public ProjectFixture {
protected:
    QStringList texts()
    {
        const CheckContext context(project.workspace(), project.devices(), project.variables());
        QList<Finding> found;
        VariableNameRule().check(context, found);
        QStringList t;
        for (const Finding &f : found)
            t.append(f.text);
        return t;
    }
};

TEST_F(VariableNameTexts, NameBothVariablesAndWhatGoesWrong)
{
    project.variables().Newvar(u"Φως"_s);
    project.variables().Newvar(u"Φος"_s);
    project.variables().Newvar(u"Ήλιος!"_s);
    project.variables().Newvar(u"λοοπ"_s);
    EXPECT_EQ(texts(), (QStringList{
                           u"Οι μεταβλητές «Φως» και «Φος» γίνονται και οι δύο «Fos» στον κώδικα του Arduino, οπότε "
                           u"ο κώδικας δεν θα μεταγλωττιστεί. Σβήσε τη μία και φτιάξε τη με άλλο όνομα."_s,
                           u"Η μεταβλητή «Ήλιος!» γίνεται «Ήlios!» στον κώδικα του Arduino, που δεν είναι σωστό "
                           u"όνομα: έχει τα «Ή» και «!», που δεν μπορούν να μπουν σε όνομα. Ο κώδικας δεν θα "
                           u"μεταγλωττιστεί. Ένα όνομα αρχίζει με γράμμα και έχει μόνο γράμματα, αριθμούς και κενά. "
                           u"Σβήσε τη και φτιάξε μια μεταβλητή με άλλο όνομα."_s,
                           u"Η μεταβλητή «λοοπ» γίνεται «loop» στον κώδικα του Arduino, αλλά αυτό το όνομα το έχει "
                           u"ήδη η γλώσσα του Arduino, οπότε ο κώδικας δεν θα μεταγλωττιστεί. Σβήσε τη και φτιάξε μια "
                           u"μεταβλητή με άλλο όνομα."_s}));
}

} // namespace
