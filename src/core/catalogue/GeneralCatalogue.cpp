#include "catalogue/GeneralCatalogue.h"

using namespace Qt::StringLiterals;

// Rows name only the fields they set; every other field keeps its default on purpose.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif

namespace {

PanelSpec generalPanel(const QString &component, const QString &caption, TColor baseColor,
                       QList<PrototypeSpec> prototypes)
{
    PanelSpec panel{.component = component,
                    .caption = caption,
                    .baseColor = baseColor,
                    .deviceType = -1,
                    .tab = GeneralTab,
                    .fillsGroup = false,
                    .prototypes = std::move(prototypes)};
    stackPrototypes(panel, kFirstPrototypeTop);
    return panel;
}

// The pin commands share their questions and hint; only the text and the code differ.
PrototypeSpec pinCommand(int id, const QString &text, const QString &code)
{
    return {.kind = ProtoKind::Command, .CommndID = id, .CommandText = text, .ArduCmd = code,
            .TotalParams = 1, .Param1 = 2,
            .param1question = u"Δώσε το pin του Arduino "_s, .param1prompt = u"pin"_s,
            .MyHint = u"A0=pin54 A1=pin55 ... A15=pin69"_s};
}

PrototypeSpec pinCondition(int id, const QString &text, const QString &code)
{
    return {.kind = ProtoKind::Condition, .CommndID = id, .CommandText = text, .ArduCmd = code,
            .TotalParams = 2, .Param1 = 0, .Param2 = 55,
            .param1prompt = u"δεν"_s,
            .param2question = u"Δώσε το pin του Arduino "_s, .param2prompt = u"pin"_s,
            .MyHint = u"for MEGA:A0=pin54 A1=pin55 ... A15=pin69"_s,
            .EndBlockText = u"Τέλος Εάν"_s};
}

} // namespace

namespace GeneralCatalogue {

PanelSpec startEndPanel()
{
    return generalPanel(u"strtPanel"_s, u"Έναρξη - Λήξη"_s, 32768, {
        // The start block heads every program, so nothing may sit above it; its
        // sketch line is indentation only.
        {.kind = ProtoKind::Command, .CommndID = 1, .CommandText = u"Έναρξη προγράμματος"_s,
         .topNose = false},
        {.kind = ProtoKind::Command, .CommndID = 2, .CommandText = u"Τερματισμός προγράμματος"_s,
         .ArduCmd = u"while(1);"_s, .botNose = false},
    });
}

PanelSpec loopPanel()
{
    return generalPanel(u"LoopPanel"_s, u"Βρόχοι"_s, 128, {
        {.kind = ProtoKind::Loop, .CommndID = 70, .CommandText = u"Επανάλαβε %p1 φορές"_s,
         .ArduCmd = u"for (int %k=0;%k<%p1;%k++){"_s, .TotalParams = 1, .Param1 = 5,
         .MyHint = u"Επαναλαμβάνει τις εντολές που περιέχονται όσες φορές θέλουμε"_s,
         .EndBlockText = u"Τέλος Επανάληψης"_s},
        {.kind = ProtoKind::Loop, .CommndID = 72, .CommandText = u"Επανάλαβε συνεχώς"_s,
         .ArduCmd = u"while (1){"_s, .TotalParams = 0, .Param1 = 0,
         .MyHint = u"Επαναλαμβάνει τις εντολές που περιέχονται για πάντα"_s,
         .EndBlockText = u"Τέλος Επανάληψης"_s},
    });
}

PanelSpec conditionPanel()
{
    return generalPanel(u"CtrlPanel"_s, u"Έλεγχοι"_s, 33410, {
        pinCondition(94, u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s,
                     u"if (digitalRead(%p2) %p1 HIGH ){"_s),
        pinCondition(95, u"Εάν το pin %p2 %p1 είναι 0 (low=0 Volt)"_s,
                     u"if (digitalRead(%p2) %p1 LOW ){"_s),
    });
}

PanelSpec variousPanel()
{
    return generalPanel(u"variousPanel"_s, u"Διάφορα"_s, 0xFF0080, {
        {.kind = ProtoKind::Command, .CommndID = 250,
         .CommandText = u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, .ArduCmd = u"delay(%p1);"_s,
         .TotalParams = 1, .Param1 = 1000,
         .param1question = u"Δώσε τα χιλιοστά δευτερολέπτου (1000=1 δευτ) "_s,
         .param1prompt = u"Χιλιοστά"_s},
        pinCommand(200, u"Διαμόρφωσε το pin %p1 για έξοδο"_s, u"pinMode(%p1,OUTPUT);"_s),
        pinCommand(201, u"Διαμόρφωσε το pin %p1 για είσοδο"_s, u"pinMode(%p1,INPUT);"_s),
        pinCommand(202, u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s, u"digitalWrite(%p1,HIGH);"_s),
        pinCommand(203, u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s, u"digitalWrite(%p1,LOW);"_s),
    });
}

PanelSpec variablesPanel()
{
    PanelSpec panel{
        .component = u"VarPanel"_s,
        .caption = u"Μεταβλητές"_s,
        .baseColor = 0x004C0B5F, // written in the window design as "$004C0B5F"
        .deviceType = -1,
        .tab = VariablesTab,
        .fillsGroup = true,
        .prototypes = {
            {.kind = ProtoKind::VarCommand, .CommndID = 230,
             .CommandText = u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s, .ArduCmd = u"%v2=%p1;"_s,
             .TotalParams = 2,
             .MyHint = u"Θέτει μια τιμή ή μεταβλητή στην μεταβλητή που επιλέγουμε"_s},
            {.kind = ProtoKind::VarCommand, .CommndID = 231,
             .CommandText = u"Άλλαξε κατά %p1 την Μεταβλητή %p2"_s, .ArduCmd = u"%v2+=%p1;"_s,
             .TotalParams = 2,
             .MyHint = u"Αλλάζει κατά τιμή ή μεταβλητή την μεταβλητή που επιλέγουμε"_s},
        }};
    stackPrototypes(panel, kFirstVariablePrototypeTop);
    return panel;
}

} // namespace GeneralCatalogue
