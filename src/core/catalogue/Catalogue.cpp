#include "catalogue/Catalogue.h"

#include "catalogue/DeviceCatalogue.h"
#include "catalogue/GeneralCatalogue.h"
#include "devices/DeviceTypes.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kPanelLightenPercent = 30;
constexpr int kPanelBottomMargin = 40;

} // namespace

const QList<PanelSpec> &paletteBuildOrder()
{
    static const QList<PanelSpec> panels = {
        GeneralCatalogue::startEndPanel(),
        GeneralCatalogue::loopPanel(),
        GeneralCatalogue::conditionPanel(),
        GeneralCatalogue::variousPanel(),
        DeviceCatalogue::lcdPanel(),
        DeviceCatalogue::laserPanel(),
        DeviceCatalogue::soundPanel(),
        DeviceCatalogue::ultrasonicPanel(),
        DeviceCatalogue::servoPanel(),
        DeviceCatalogue::switchPanel(),
        DeviceCatalogue::temperaturePanel(),
        GeneralCatalogue::variablesPanel(),
        DeviceCatalogue::barometerPanel(),
        DeviceCatalogue::analogInPanel(),
        DeviceCatalogue::dcMotorPanel(),
        DeviceCatalogue::robotPanel(),
    };
    return panels;
}

QStringList paletteTabCaptions()
{
    return {u"Γενικές Εντολές"_s, u"Εντολές Συσκευών"_s, u"Μεταβλητές"_s};
}

TColor panelColor(const PanelSpec &panel)
{
    return LighterColor(panel.baseColor, kPanelLightenPercent);
}

int panelHeight(const PanelSpec &panel, int protoHeight)
{
    if (panel.fillsGroup)
        return -1;
    if (panel.prototypes.isEmpty())
        return kPanelBottomMargin;
    return panel.prototypes.constLast().Top + protoHeight + kPanelBottomMargin;
}

const QList<DeviceTileSpec> &deviceTiles()
{
    // The robot's counter was named with a capital L; the case-blind lookup still finds it.
    static const QList<DeviceTileSpec> tiles = {
        {DeviceTypes::LCD_Serial, u"pnlLCD"_s, u"Serial LCD 16x2"_s, u"lblLCD"_s, u"LCDadd"_s},
        {DeviceTypes::Laser, u"pnlLaser"_s, u"Laser/LED"_s, u"lblLaser"_s, u"LaserAdd"_s},
        {DeviceTypes::Sound, u"pnlSound"_s, u"Ήχος - Buzzer"_s, u"lblSound"_s, u"SoundAdd"_s},
        {DeviceTypes::UltraSonic, u"pnlUSonic"_s, u"Μετρ. Απόστασης"_s, u"lblUSonic"_s, u"USonicAdd"_s},
        {DeviceTypes::Servo, u"pnlServo"_s, u"Servo Μοτέρ"_s, u"lblServo"_s, u"ServoAdd"_s},
        {DeviceTypes::Switch, u"pnlSwitch"_s, u"Διακόπτης/Κουμπί"_s, u"lblSwitch"_s, u"SwitchAdd"_s},
        {DeviceTypes::Temp, u"pnlTemp"_s, u"Θερμοκρασία/Υγρασία"_s, u"lblTemp"_s, u"TempAdd"_s},
        {DeviceTypes::BMP, u"pnlBMP"_s, u"Βαρομετρική Πίεση"_s, u"lblBMP"_s, u"BMPAdd"_s},
        {DeviceTypes::ANIN, u"pnlAnalogIn"_s, u"Αναλογική Συσκευή"_s, u"lblAnalogIn"_s, u"AnalogInAdd"_s},
        {DeviceTypes::DCMOTOR, u"pnlDcMotor"_s, u"Κινητήρας"_s, u"lblDcMotor"_s, u"DcMotorAdd"_s},
        {DeviceTypes::ROBOT, u"pnlRobot"_s, u"Σύστημα Robot"_s, u"LblRobot"_s, u"RobotAdd"_s},
    };
    return tiles;
}

QString getPanelAddButtonName(const QString &panelName)
{
    return panelName.mid(3) + u"Add"_s;
}

QString getPanelCountLabelName(const QString &panelName)
{
    return u"lbl"_s + panelName.mid(3);
}
