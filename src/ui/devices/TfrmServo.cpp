#include "devices/TfrmServo.h"

#include "devices/DeviceTypes.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

void paintWireLabel(QLabel *label, const QColor &colour)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

TfrmServo::TfrmServo(ActiveDevices &devices, int position, const QString &imagesDir,
                     QWidget *parent)
    : TDefDevForm(DeviceTypes::Servo, devices, position, imagesDir, parent)
{
    paintWireLabel(FieldLabel(1), QColor(255, 128, 0));

    auto *ground = new QLabel(u"Γείωση GND (Καφέ)"_s, SettingsBox());
    ground->setObjectName(u"lblGround"_s);
    paintWireLabel(ground, QColor(128, 0, 0));
    auto *supply = new QLabel(u"Τάση VCC (Κόκκινο)"_s, SettingsBox());
    supply->setObjectName(u"lblSupply"_s);
    paintWireLabel(supply, QColor(255, 0, 0));
    SettingsLayout()->addRow(ground);
    SettingsLayout()->addRow(supply);

    loadParams();
}
