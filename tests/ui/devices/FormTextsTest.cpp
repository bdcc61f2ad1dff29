#include "DeviceFormTestSupport.h"
#include "devices/DeviceFormFactory.h"
#include "devices/DeviceFormTexts.h"
#include "devices/DeviceTypes.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<TDefDevForm> formOf(ActiveDevices &devices, int typeId)
{
    const int k = addDevice(devices, typeId);
    return std::unique_ptr<TDefDevForm>(createDeviceForm(typeId, devices, k, shippedImagesDir()));
}

QStringList labelTexts(const QWidget *box)
{
    QStringList texts;
    for (const QLabel *l : box->findChildren<QLabel *>())
        if (!l->isHidden())
            texts.append(l->text());
    return texts;
}

TEST(DeviceForms, FactoryBuildsEveryTypeWithItsCaptionAndHelp)
{
    ActiveDevices devices;
    for (int t = 0; t < DeviceTypes::count(); ++t) {
        auto form = formOf(devices, t);
        ASSERT_NE(form, nullptr) << t;
        EXPECT_EQ(form->GetDeviceTypeId(), t);
        EXPECT_EQ(form->windowTitle(), DeviceTypes::at(t).FormCaption);
        EXPECT_EQ(form->HelpText()->toPlainText(), DeviceFormTexts::wiringHelp(t).join(u'\n'));
        EXPECT_FALSE(form->pictureFile().isEmpty()) << t;
    }
    EXPECT_EQ(createDeviceForm(DeviceTypes::count(), devices, 0, shippedImagesDir()), nullptr);
}

TEST(DeviceForms, RobotWindowTexts)
{
    ActiveDevices devices;
    auto form = formOf(devices, DeviceTypes::ROBOT);
    EXPECT_EQ(form->windowTitle(), u"Robot"_s);
    EXPECT_EQ(form->CaptionLabel()->text(), u"Σύστημα Robot (2 κινητήρες + Photo Interrupter)"_s);
    EXPECT_EQ(form->SettingsBox()->title(), u"Ρύθμιση Συστήματος"_s);
    EXPECT_EQ(labelTexts(form->SettingsBox()),
              (QStringList{u"IN1:"_s, u"IN2:"_s, u"IN3:"_s, u"IN4:"_s, u"En1,2:"_s, u"PhotoInt:"_s}));
    EXPECT_EQ(form->FieldLabel(7)->text(), u"En1,2:"_s);
    EXPECT_EQ(form->ParamSE(7)->toolTip(), u"Uno,Nano: 3, 5, 6, 9, 10, 11 Mega: 2 - 13, 44 - 46"_s);
    EXPECT_EQ(form->ParamSE(5)->toolTip(), u"Διάλεξε το Pin που έχεις συνδέσει την συσκευή"_s);
    auto *gyro = form->SettingsBox()->findChild<QCheckBox *>();
    ASSERT_NE(gyro, nullptr);
    EXPECT_EQ(gyro->text(), u"Γυροσκόπιο:"_s);
    EXPECT_EQ(gyro->toolTip(), u"Αν υπάρχει γυροσκόπιο mpu6050 συνδεδεμένο"_s);
    EXPECT_TRUE(form->ParamSE(6)->isHidden());
}

TEST(DeviceForms, LaserAndServoWindowTexts)
{
    ActiveDevices devices;
    auto laser = formOf(devices, DeviceTypes::Laser);
    EXPECT_EQ(laser->CaptionLabel()->text(), u"Laser & LED"_s);
    EXPECT_EQ(laser->SettingsBox()->title(), u"Ρύθμιση Συσκευής"_s);
    EXPECT_EQ(labelTexts(laser->SettingsBox()),
              (QStringList{u"Signal Pin:"_s, u"Επιλέξτε Διακόπτη"_s}));
    auto *kinds = laser->SettingsBox()->findChild<QListWidget *>();
    ASSERT_NE(kinds, nullptr);
    ASSERT_EQ(kinds->count(), 2);
    EXPECT_EQ(kinds->item(1)->text(), u"Led Λαμπάκι"_s);

    auto servo = formOf(devices, DeviceTypes::Servo);
    EXPECT_EQ(servo->CaptionLabel()->text(), u"Micro Servo 9G"_s);
    EXPECT_EQ(labelTexts(servo->SettingsBox()),
              (QStringList{u"Signal Pin (Πορτοκαλί):"_s, u"Γείωση GND (Καφέ)"_s,
                           u"Τάση VCC (Κόκκινο)"_s}));
}

// The Uno and Nano carry SDA on A4 and SCL on A5; help that swaps them leaves the
// I2C devices dead.
TEST(DeviceForms, I2cHelpNamesTheBusPinsTheRightWayRound)
{
    for (int t : {int(DeviceTypes::LCD_Serial), int(DeviceTypes::BMP)}) {
        const QStringList help = DeviceFormTexts::wiringHelp(t);
        EXPECT_TRUE(help.contains(u"SDA pin A4 "_s)) << t;
        EXPECT_TRUE(help.contains(u"SCL pin A5"_s)) << t;
    }
    EXPECT_EQ(DeviceFormTexts::wiringHelp(DeviceTypes::ROBOT).size(), 22);
}

// Every picture a window or tile names is shipped.
TEST(DeviceForms, ShippedPicturesCoverEveryWindowAndBoard)
{
    QStringList names{u"Arduino Uno Pin.png"_s, u"Arduino Nano Pin.png"_s,
                      u"Arduino Mega Pin.png"_s};
    for (int t = 0; t < DeviceTypes::count(); ++t) {
        names.append(DeviceFormTexts::tilePictureName(t));
        for (int kind = 0; kind < DeviceFormTexts::kindNames(t).size(); ++kind)
            names.append(DeviceFormTexts::kindPictureNames(t, kind).last());
    }
    for (int type : {11, 21, 22})
        names.append(DeviceFormTexts::tempPictureName(type));
    for (const QString &name : names)
        EXPECT_TRUE(QFileInfo::exists(shippedImagesDir() + u'/' + name)) << name.toStdString();
}

} // namespace
