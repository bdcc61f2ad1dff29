#include "catalogue/DeviceCatalogue.h"

#include "devices/DeviceTypes.h"

using namespace Qt::StringLiterals;

// Rows name only the fields they set; every other field keeps its default on purpose.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif

namespace {

const QString kEndIf = u"Τέλος Εάν"_s;

// All device blocks share one dark colour; the panels differ only in what they hold.
constexpr TColor kDeviceBlockColor = 13107;

PanelSpec devicePanel(const QString &component, const QString &caption, int deviceType,
                      QList<PrototypeSpec> prototypes)
{
    PanelSpec panel{.component = component,
                    .caption = caption,
                    .baseColor = kDeviceBlockColor,
                    .deviceType = deviceType,
                    .tab = DevicesTab,
                    .fillsGroup = false,
                    .prototypes = std::move(prototypes)};
    for (PrototypeSpec &p : panel.prototypes)
        p.DeviceOnlyCommandID = deviceType;
    stackPrototypes(panel, kFirstPrototypeTop);
    return panel;
}

// A sensor reading: a value block, dropped into a slot and never part of a chain.
// Like a variable's value block it keeps its own text as its question.
PrototypeSpec reading(int id, const QString &text, const QString &code, const QString &hint)
{
    return {.kind = ProtoKind::Value, .CommndID = id, .CommandText = text, .ArduCmd = code,
            .TotalParams = 0, .param1question = text, .MyHint = hint,
            .topNose = false, .botNose = false};
}

} // namespace

namespace DeviceCatalogue {

PanelSpec lcdPanel()
{
    return devicePanel(u"LCDpanel"_s, u"LCD Οθόνη 16x2"_s, DeviceTypes::LCD_Serial, {
        {.kind = ProtoKind::Command, .CommndID = 122, .CommandText = u"Καθάρισε την LCD"_s,
         .ArduCmd = u"%dn.clear();"_s,
         .MyHint = u"Καθαρίζει την LCD"_s},
        {.kind = ProtoKind::Command, .CommndID = 123, .CommandText = u"Θέσε τον δείκτη LCD [ %p1 , %p2 ]"_s,
         .ArduCmd = u"%dn.setCursor(%p1,%p2);"_s, .TotalParams = 2, .Param1 = 0, .Param2 = 0,
         .MyHint = u"Θέτει τον δείκτη της LCD στην θέση (χ,ψ)"_s},
        {.kind = ProtoKind::Command, .CommndID = 121, .CommandText = u"Τύπωσε στην LCD κείμενο %ps "_s,
         .ArduCmd = u"%dn.print(\"%ps\");"_s, .TotalParams = 2, .Param1 = 0, .ParamStr = u"MESG"_s,
         .MyHint = u"Τυπώνει κείμενο στην LCD"_s},
        {.kind = ProtoKind::Command, .CommndID = 124, .CommandText = u"Τύπωσε στην LCD αριθμό %p1 "_s,
         .ArduCmd = u"%dn.print(%p1);"_s, .TotalParams = 1, .Param1 = 0, .Param2 = 0,
         .MyHint = u"Τυπώνει αριθμό στην LCD"_s},
        {.kind = ProtoKind::Command, .CommndID = 125, .CommandText = u"Τύπωσε στην LCD κείμενο και αριθμό %ps %p1"_s,
         .ArduCmd = u"%dn.print(\"%ps\");%dn.print(%p1);"_s, .TotalParams = 2, .Param1 = 0, .ParamStr = u"MESG"_s,
         .MyHint = u"Τυπώνει κείμενο και αριθμό στην LCD"_s},
    });
}

PanelSpec laserPanel()
{
    return devicePanel(u"LaserPanel"_s, u"Laser/LED Λαμπάκι"_s, DeviceTypes::Laser, {
        {.kind = ProtoKind::Command, .CommndID = 131, .CommandText = u"%pd → Ενεργοποίησε το Laser/LED "_s,
         .ArduCmd = u"digitalWrite(%dp1,HIGH);"_s, .TotalParams = 0,
         .MyHint = u"Ενεργοποιεί το Laser/LED"_s},
        {.kind = ProtoKind::Command, .CommndID = 132, .CommandText = u"%pd → Απενεργοποίησε το Laser/LED "_s,
         .ArduCmd = u"digitalWrite(%dp1,LOW);"_s, .TotalParams = 0,
         .MyHint = u"Απενεργοποιεί το Laser/LED"_s},
    });
}

PanelSpec soundPanel()
{
    return devicePanel(u"SoundPanel"_s, u"Ήχος - Buzzer"_s, DeviceTypes::Sound, {
        {.kind = ProtoKind::Command, .CommndID = 111, .CommandText = u"%pd → Παίξε ήχο beep"_s,
         .ArduCmd = u"%dn.Beep();"_s, .TotalParams = 0},
        {.kind = ProtoKind::Command, .CommndID = 112, .CommandText = u"%pd → Παίξε ήχο με συχνότητα %p1 και διάρκεια %p2"_s,
         .ArduCmd = u"%dn.PlayTone(%p1,%p2);"_s, .TotalParams = 2, .Param1 = 1500, .Param2 = 500,
         .MyHint = u"συχνότητα σε hz (π.χ. 2000), διάρκεια σε χιλ. δευτερολέπτου"_s},
    });
}

PanelSpec ultrasonicPanel()
{
    return devicePanel(u"USonicPanel"_s, u"Απόσταση με υπερήχους"_s, DeviceTypes::UltraSonic, {
        reading(77, u"%pd → Απόσταση"_s,
                u"%dn.distanceFront()"_s,
                u"Η απόσταση από το εμπόδιο"_s),
        {.kind = ProtoKind::Condition, .CommndID = 141, .CommandText = u"%pd → Εάν απόσταση %p1 %p2 εκατοστά"_s,
         .ArduCmd = u"if (%dn.distanceFront() %p1 %p2 ) {"_s, .TotalParams = 2,
         .MyHint = u"Ελέγχει εάν υπάρχει αντικείμενο μπροστά σε απόσταση %p1 τον αριθμό σε εκατοστά"_s,
         .IsSimple = false, .EndBlockText = kEndIf},
    });
}

PanelSpec servoPanel()
{
    return devicePanel(u"ServoPanel"_s, u"Servo Motor SG90"_s, DeviceTypes::Servo, {
        {.kind = ProtoKind::Command, .CommndID = 151, .CommandText = u"%pd → Μετακίνησε ΣΕ %p1 μοίρες (0-90) Αριστερά"_s,
         .ArduCmd = u"%dn.servoLeftAt(%p1);"_s, .TotalParams = 1, .Param1 = 0,
         .MyHint = u"Μετακινεί το Servo στις μοίρες που θέλουμε"_s},
        {.kind = ProtoKind::Command, .CommndID = 152, .CommandText = u"%pd → Μετακίνησε ΣΕ %p1 μοίρες (0-90) Δεξιά"_s,
         .ArduCmd = u"%dn.servoRightAt(%p1);"_s, .TotalParams = 1, .Param1 = 0,
         .MyHint = u"Μετακινεί το Servo στις μοίρες που θέλουμε"_s},
        {.kind = ProtoKind::Command, .CommndID = 153, .CommandText = u"%pd → Μετακίνησε %p1 μοίρες Αριστερά"_s,
         .ArduCmd = u"%dn.servoLeft(%p1);"_s, .TotalParams = 1, .Param1 = 0,
         .MyHint = u"Μετακινεί το Servo τόσες μοίρες επιπλέον στα αριστερά"_s},
        {.kind = ProtoKind::Command, .CommndID = 154, .CommandText = u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s,
         .ArduCmd = u"%dn.servoRight(%p1);"_s, .TotalParams = 1, .Param1 = 0,
         .MyHint = u"Μετακινεί το Servo τόσες μοίρες επιπλέον στα δεξιά"_s},
    });
}

PanelSpec switchPanel()
{
    return devicePanel(u"SwitchPanel"_s, u"Διακόπτης"_s, DeviceTypes::Switch, {
        {.kind = ProtoKind::Condition, .CommndID = 146, .CommandText = u"%pd → Εάν %p1 πατήθηκε ο διακόπτης"_s,
         .ArduCmd = u"if (%not(digitalRead(%dp1)==HIGH)) {"_s, .TotalParams = 2,
         .param1prompt = u"δεν"_s, .MyHint = u"Ελέγχει εάν πατήθηκε/ενεργοποιήθηκε ο διακόπτης"_s,
         .IsSimple = true, .EndBlockText = kEndIf},
        {.kind = ProtoKind::Condition, .CommndID = 146, .CommandText = u"%pd → Εάν %p1 ενεργοποιήθηκε η συσκευή"_s,
         .ArduCmd = u"if (%not(digitalRead(%dp1)==HIGH)) {"_s, .TotalParams = 2,
         .param1prompt = u"δεν"_s, .MyHint = u"Ελέγχει εάν ενεργοποιήθηκε η συσκευή"_s,
         .IsSimple = true, .EndBlockText = kEndIf},
    });
}

PanelSpec temperaturePanel()
{
    return devicePanel(u"TempPanel"_s, u"Θερμοκρασία/Υγρασία"_s, DeviceTypes::Temp, {
        reading(75, u"%pd → Θερμοκρασία"_s,
                u"%dn.readTemperature()"_s,
                u"Η τιμή της θερμοκρασίας της Συσκευής"_s),
        reading(76, u"%pd → Υγρασία"_s,
                u"%dn.readHumidity()"_s,
                u"Η τιμή της υγρασίας της Συσκευής"_s),
        {.kind = ProtoKind::Condition, .CommndID = 171, .CommandText = u"%pd → Εάν Θερμοκρασία είναι %p1 %p2 (°C)"_s,
         .ArduCmd = u"if (%dn.readTemperature() %p1 %p2) {  "_s, .TotalParams = 2,
         .param1prompt = u"όχι"_s, .MyHint = u"Ελέγχει εάν η θερμοκρασία είναι %p1 τους βαθμούς °Κελσίου"_s,
         .IsSimple = false, .EndBlockText = kEndIf},
        {.kind = ProtoKind::Condition, .CommndID = 173, .CommandText = u"%pd → Εάν υγρασία είναι %p1 %p2 %"_s,
         .ArduCmd = u"if (%dn.readHumidity() %p1 %p2) {  "_s, .TotalParams = 2,
         .param1prompt = u"όχι"_s, .MyHint = u"Ελέγχει εάν η υγρασία είναι %p1 τον αριθμό τοις εκατό (%)"_s,
         .IsSimple = false, .EndBlockText = kEndIf},
    });
}

PanelSpec barometerPanel()
{
    return devicePanel(u"BMPPanel"_s, u"Βαρομετρική Πίεση"_s, DeviceTypes::BMP, {
        reading(78, u"%pd → Πίεση (Απόλυτη)"_s,
                u"%dn.getPressure()"_s,
                u"Η τιμή της Πίεσης στο ύψος που βρισκόμαστε"_s),
        reading(79, u"%pd → Πίεση (σχετική)"_s,
                u"%dn.getRelPressure()"_s,
                u"Η τιμή της Πίεσης στο επίπεδο της θάλασσας"_s),
        reading(80, u"%pd → Θερμοκρασία"_s,
                u"%dn.getTemperature()"_s,
                u"Η τιμή της θερμοκρασίας στο περιβάλλον"_s),
        {.kind = ProtoKind::Condition, .CommndID = 177, .CommandText = u"%pd → Εάν Πίεση (Απόλυτη) είναι %p1  %p2 (mb)"_s,
         .ArduCmd = u"if (%dn.getPressure() %p1 %p2){"_s, .TotalParams = 2,
         .param1prompt = u"δεν"_s, .MyHint = u"Ελέγχει εάν η πίεση είναι %p1 την πίεση σε mb"_s,
         .IsSimple = false, .EndBlockText = kEndIf},
        {.kind = ProtoKind::Condition, .CommndID = 178, .CommandText = u"%pd → Εάν Πίεση (Σχετική) είναι %p1  %p2 (mb)"_s,
         .ArduCmd = u"if (%dn.getRelPressure() %p1 %p2){"_s, .TotalParams = 2,
         .param1prompt = u"δεν"_s, .MyHint = u"Ελέγχει εάν η πίεση είναι %p1 την πίεση σε mb"_s,
         .IsSimple = false, .EndBlockText = kEndIf},
        {.kind = ProtoKind::Condition, .CommndID = 179, .CommandText = u"%pd → Εάν Θερμοκρασία είναι %p1 %p2 (°C)"_s,
         .ArduCmd = u"if (%dn.getTemperature() %p1 %p2){"_s, .TotalParams = 2,
         .param1prompt = u"όχι"_s, .MyHint = u"Ελέγχει εάν η θερμοκρασία είναι %p1 τους βαθμούς °Κελσίου"_s,
         .IsSimple = false, .EndBlockText = kEndIf},
    });
}

PanelSpec analogInPanel()
{
    return devicePanel(u"AnalogInPanel"_s, u"Αναλογικές Συσκευές Εισόδου"_s, DeviceTypes::ANIN, {
        reading(78, u"%pd → Τιμή Αναλογικής Συσκευής"_s,
                u"analogRead(%dp1)"_s,
                u"Η τιμή της Αναλογικής Συσκευής (0-1024)"_s),
        {.kind = ProtoKind::Condition, .CommndID = 166, .CommandText = u"%pd → Εάν η τιμή της συσκευής είναι %p1 %p2 "_s,
         .ArduCmd = u"if (analogRead(%dp1) %p1 %p2) { "_s, .TotalParams = 2,
         .param1prompt = u"δεν"_s, .MyHint = u"Ελέγχει εάν η τιμή της αναλογικής συσκευής είναι %p1 την τιμή ελέγχου"_s,
         .IsSimple = false, .EndBlockText = kEndIf},
    });
}

PanelSpec dcMotorPanel()
{
    return devicePanel(u"DcMotorPanel"_s, u"DcMotorPanel"_s, DeviceTypes::DCMOTOR, {
        {.kind = ProtoKind::Command, .CommndID = 61, .CommandText = u"%pd → Κινητήρας Μπροστά"_s,
         .ArduCmd = u"%dn.run(1);//Forward"_s, .TotalParams = 1, .Param1 = 1,
         .MyHint = u"Κίνηση προς τα εμπρός"_s},
        {.kind = ProtoKind::Command, .CommndID = 61, .CommandText = u"%pd → Κινητήρας Πίσω"_s,
         .ArduCmd = u"%dn.run(2);//Backward"_s, .TotalParams = 1, .Param1 = 2,
         .MyHint = u"Κίνηση προς τα πίσω"_s},
        {.kind = ProtoKind::Command, .CommndID = 61, .CommandText = u"%pd → Διακοπή Κινητήρα"_s,
         .ArduCmd = u"%dn.run(4);//Stop"_s, .TotalParams = 1, .Param1 = 4,
         .MyHint = u"Χωρίς Κίνηση"_s},
    });
}

PanelSpec robotPanel()
{
    return devicePanel(u"DcRobotPanel"_s, u"Σύστημα Robot"_s, DeviceTypes::ROBOT, {
        reading(82, u"%pd → Διαδρομή εκ."_s,
                u"%dn.getDistance()"_s,
                u"Η τιμή σε εκατοστά που διάνυσε το Robot"_s),
        {.kind = ProtoKind::Command, .CommndID = 56, .CommandText = u"%pd → Ταχύτητα (0..255) %p1 "_s,
         .ArduCmd = u"%dn.setSpeed(%p1);"_s, .TotalParams = 1, .Param1 = 255,
         .MyHint = u"Θέτει την ταχύτητα του οχήματος (255=μέγιστη ταχύτητα) "_s},
        {.kind = ProtoKind::Command, .CommndID = 51, .CommandText = u"%pd → Robot Μπροστά"_s,
         .ArduCmd = u"%dn.run(1);//Forward"_s, .TotalParams = 1, .Param1 = 1,
         .MyHint = u"Κίνηση προς τα εμπρός"_s},
        {.kind = ProtoKind::Command, .CommndID = 51, .CommandText = u"%pd → Robot Πίσω"_s,
         .ArduCmd = u"%dn.run(2);//Backward"_s, .TotalParams = 1, .Param1 = 2,
         .MyHint = u"Κίνηση προς τα πίσω"_s},
        {.kind = ProtoKind::Command, .CommndID = 55, .CommandText = u"%pd → Όρισε βήμα σε %p1 εκατοστά"_s,
         .ArduCmd = u"%dn.setStepTicks(%p1);"_s, .TotalParams = 1, .Param1 = 10,
         .MyHint = u"Η απόσταση μετακίνησης σε εκατοστά (>10 και <100)"_s},
        {.kind = ProtoKind::Command, .CommndID = 53, .CommandText = u"%pd → Robot Βήμα Μπροστά"_s,
         .ArduCmd = u"%dn.stepForward;//Forward"_s, .TotalParams = 1, .Param1 = 1,
         .MyHint = u"Ένα βήμα προς τα εμπρός"_s},
        {.kind = ProtoKind::Command, .CommndID = 53, .CommandText = u"%pd → Robot Βήμα Πίσω"_s,
         .ArduCmd = u"%dn.stepBackward;//Backward"_s, .TotalParams = 1, .Param1 = 2,
         .MyHint = u"Ένα Βήμα προς τα πίσω"_s},
        {.kind = ProtoKind::Command, .CommndID = 51, .CommandText = u"%pd → Robot Σταμάτα"_s,
         .ArduCmd = u"%dn.run(4);//Stop"_s, .TotalParams = 1, .Param1 = 4,
         .MyHint = u"Χωρίς Κίνηση"_s},
        {.kind = ProtoKind::Command, .CommndID = 52, .CommandText = u"%pd → Στροφή Δεξιά %p2 μοίρες"_s,
         .ArduCmd = u"%dn.turnRight(%p2);"_s, .TotalParams = 2, .Param1 = 5, .Param2 = 90,
         .MyHint = u"Στρίβει Δεξιά 90 μοίρες "_s},
        {.kind = ProtoKind::Command, .CommndID = 52, .CommandText = u"%pd → Στροφή Αριστερά %p2 μοίρες"_s,
         .ArduCmd = u"%dn.turnLeft(%p2);"_s, .TotalParams = 2, .Param1 = 6, .Param2 = 90,
         .MyHint = u"Στρίβει Αριστερά 90 μοίρες "_s},
        {.kind = ProtoKind::Command, .CommndID = 54, .CommandText = u"%pd → Στροφή Δεξιά για %p2 χιλ. δευτερολέπτου"_s,
         .ArduCmd = u"%dn.goRight();%nl delay(%p2);%nl %dn.run(4);"_s, .TotalParams = 2, .Param1 = 5, .Param2 = 300,
         .MyHint = u"Στρίβει Δεξιά για κάποιο χρόνο σε χιλιοστά του δευτερολέπτου "_s},
        {.kind = ProtoKind::Command, .CommndID = 54, .CommandText = u"%pd → Στροφή Αριστερά για %p2 χιλ. δευτερολέπτου"_s,
         .ArduCmd = u"%dn.goLeft();%nl delay(%p2);%nl %dn.run(4);"_s, .TotalParams = 2, .Param1 = 6, .Param2 = 300,
         .MyHint = u"Στρίβει Αριστερά για κάποιο χρόνο σε χιλιοστά του δευτερολέπτου"_s},
    });
}
} // namespace DeviceCatalogue
