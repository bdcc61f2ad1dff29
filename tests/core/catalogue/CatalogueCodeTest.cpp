// What the catalogue's prototypes generate once placed in a program.
#include "support/ProjectFixture.h"

#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "devices/DeviceTypes.h"

namespace {

struct PlacedCodeCase {
    const char *name;
    const char16_t *commandText;
    const char16_t *expected;
};

class CataloguePlacedCode : public ProjectFixture, public ::testing::WithParamInterface<PlacedCodeCase> {};

TEST_P(CataloguePlacedCode, FreshCopyGenerates)
{
    TKeloBlock *b = place(QString::fromUtf16(GetParam().commandText));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetArduinoCommand(1), QString::fromUtf16(GetParam().expected));
}

const PlacedCodeCase kPlaced[] = {
    {"Start", u"Έναρξη προγράμματος", u""},
    {"End", u"Τερματισμός προγράμματος", u"while(1);"},
    {"RepeatTimes", u"Επανάλαβε %p1 φορές", u"for (int ik1=0;ik1<5;ik1++){"},
    {"RepeatForever", u"Επανάλαβε συνεχώς", u"while (1){"},
    {"PinHigh", u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)", u"if (digitalRead(55) == HIGH ){"},
    {"PinLow", u"Εάν το pin %p2 %p1 είναι 0 (low=0 Volt)", u"if (digitalRead(55) == LOW ){"},
    {"Wait", u"Περίμενε %p1 χιλιοστά δευτερολέπτου", u"delay(1000);"},
    {"Output", u"Διαμόρφωσε το pin %p1 για έξοδο", u"pinMode(2,OUTPUT);"},
    {"Input", u"Διαμόρφωσε το pin %p1 για είσοδο", u"pinMode(2,INPUT);"},
    {"SetHigh", u"Θέσε το pin %p1 σε 1 (high=5 Volt)", u"digitalWrite(2,HIGH);"},
    {"SetLow", u"Θέσε το pin %p1 σε 0 (low=0 Volt)", u"digitalWrite(2,LOW);"},
};

INSTANTIATE_TEST_SUITE_P(General, CataloguePlacedCode, ::testing::ValuesIn(kPlaced),
                         [](const auto &info) { return std::string(info.param.name); });

class CatalogueDeviceCode : public ProjectFixture {
protected:
    void addDevices(int type, int count)
    {
        for (int i = 0; i < count; ++i)
            project.devices().AddDevice(type, &prompt);
    }
};

TEST_F(CatalogueDeviceCode, RobotCommandsUseTheRobotsName)
{
    addDevices(DeviceTypes::Laser, 3);
    addDevices(DeviceTypes::ROBOT, 1);
    TKeloBlock *forward = place(u"%pd → Robot Μπροστά"_s);
    project.workspace().deviceRefresh(DeviceTypes::ROBOT);
    EXPECT_EQ(forward->PDevice(), 3);
    EXPECT_EQ(forward->GetArduinoCommand(1), u"Robot_3.run(1);//Forward"_s);
    EXPECT_EQ(place(u"%pd → Στροφή Δεξιά για %p2 χιλ. δευτερολέπτου"_s)->GetArduinoCommand(2),
              u"Robot_3.goRight();\r\n        delay(300);\r\n        Robot_3.run(4);"_s);
}

TEST_F(CatalogueDeviceCode, SwitchNegationAndLcdWithoutChooser)
{
    addDevices(DeviceTypes::Switch, 1);
    addDevices(DeviceTypes::LCD_Serial, 1);
    project.devices().SetParam(0, 1, 4);
    auto *sw = static_cast<TKeloControlElseBlock *>(place(u"%pd → Εάν %p1 πατήθηκε ο διακόπτης"_s));
    sw->DeviceComboChange(0);
    EXPECT_EQ(sw->GetArduinoCommand(1), u"if ((digitalRead(4)==HIGH)) {"_s);
    sw->CompareListChange(1);
    EXPECT_EQ(sw->GetArduinoCommand(1), u"if (!(digitalRead(4)==HIGH)) {"_s);

    TKeloBlock *print = place(u"Τύπωσε στην LCD κείμενο %ps "_s);
    EXPECT_TRUE(print->Enabled());
    EXPECT_EQ(print->GetParam2(), 4);
    EXPECT_EQ(print->GetArduinoCommand(1), u"Serial_LCD_1.print(\"MESG\");"_s);
}

TEST_F(CatalogueDeviceCode, DeviceBlocksFollowTheirDevices)
{
    TKeloBlock *proto = pb.prototype(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s);
    ASSERT_NE(proto, nullptr);
    EXPECT_FALSE(proto->Enabled());
    addDevices(DeviceTypes::Servo, 2);
    EXPECT_TRUE(proto->Enabled());
    EXPECT_FALSE(pb.prototype(u"%pd → Robot Μπροστά"_s)->Enabled());

    TKeloBlock *turn = place(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s);
    turn->DeviceComboChange(1);
    turn->SetParam1(30);
    EXPECT_EQ(turn->GetArduinoCommand(1), u"Servo_1.servoRight(30);"_s);
    // Removing the chosen servo re-binds the block to the one left.
    project.devices().KillDevice(1);
    EXPECT_EQ(turn->ParamD(), u"Servo_0"_s);
    EXPECT_EQ(turn->PDevice(), 0);
    // Removing the last one disables the palette and the placed block alike.
    project.devices().KillDevice(0);
    EXPECT_FALSE(proto->Enabled());
    EXPECT_FALSE(turn->Enabled());
    EXPECT_EQ(turn->rawParam1(), 0);
    EXPECT_TRUE(turn->ctrlD.items.isEmpty());
}

TEST_F(CatalogueDeviceCode, RemovedDeviceMovesBlocksWithIt)
{
    addDevices(DeviceTypes::Laser, 1);
    addDevices(DeviceTypes::Servo, 1);
    TKeloBlock *turn = place(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"_s);
    turn->DeviceComboChange(0);
    ASSERT_EQ(turn->PDevice(), 1);
    project.devices().KillDevice(0);  // the servo moves to position 0
    EXPECT_EQ(turn->ParamD(), u"Servo_1"_s);
    EXPECT_EQ(turn->PDevice(), 0);
}

} // namespace
