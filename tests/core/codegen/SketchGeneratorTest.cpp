#include "support/ProjectFixture.h"

#include "codegen/SketchGenerator.h"
#include "devices/DeviceTypes.h"
#include "project/ExampleProject.h"

namespace {

class SketchGeneratorTest : public ProjectFixture {
protected:
    int addDevice(int type, std::initializer_list<int> params = {})
    {
        const int k = project.devices().AddDevice(type, &prompt);
        int i = 1;
        for (int p : params)
            project.devices().SetParam(k, i++, p);
        return k;
    }
    // The lines between two markers of the sketch (the first marker excluded).
    QStringList section(const QStringList &lines, const QString &from, const QString &to)
    {
        const qsizetype a = lines.indexOf(from), b = lines.indexOf(to, a + 1);
        return a < 0 || b < 0 ? QStringList() : lines.mid(a + 1, b - a - 1);
    }
    QStringList setupSection(const QStringList &lines) { return section(lines, u"void setup() {"_s, u"}"_s); }
};

TEST_F(SketchGeneratorTest, BlinkExampleGivesTheTwentyLines)
{
    buildBlinkExample(project);
    const QStringList expected{
        u"#include \"Arduino.h\""_s, QString(), u" "_s, u"int Metritis;"_s, QString(), u"void setup() {"_s,
        u"  pinMode(13,OUTPUT);"_s, u"}"_s, QString(), u"void loop() {"_s, u"   "_s, u"   while (1){"_s,
        u"      digitalWrite(13,HIGH);"_s, u"      delay(500);"_s, u"      digitalWrite(13,LOW);"_s,
        u"      delay(500);"_s, u"   }"_s, u"   "_s, u"}"_s, QString()};
    EXPECT_EQ(sketch(), expected);
    // Generating again gives the same text.
    EXPECT_EQ(sketch(), expected);
    EXPECT_TRUE(SketchGenerator::sketchText(expected).endsWith(u"}\r\n\r\n"_s));
}

TEST_F(SketchGeneratorTest, StartBlockAloneGivesTheMinimalSketch)
{
    place(u"Έναρξη προγράμματος"_s);
    log.lines.clear();
    const QStringList expected{u"#include \"Arduino.h\""_s, QString(), u" "_s, QString(), u"void setup() {"_s,
                               u"}"_s, QString(), u"void loop() {"_s, u"   "_s, u"}"_s, QString()};
    EXPECT_EQ(sketch(), expected);
    EXPECT_EQ(log.lines, (QStringList{u"Blocks:1"_s, u"Sending CMD=1 Dev= -1 p_1=0 v_1=0 v_1=0 p_2=0"_s}));
}

TEST_F(SketchGeneratorTest, MissingStartBlockTellsTheUser)
{
    place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    EXPECT_FALSE(project.generateSketch().has_value());
    EXPECT_EQ(prompt.messages, QStringList{u"Δεν βρέθηκε το block \"Έναρξη Προγράμματος\" !!!"_s});
    EXPECT_TRUE(log.lines.filter(u"Blocks:"_s).isEmpty());
}

TEST_F(SketchGeneratorTest, FirstStartBlockInChildOrderIsUsed)
{
    TKeloBlock *first = place(u"Έναρξη προγράμματος"_s);
    TKeloBlock *second = place(u"Έναρξη προγράμματος"_s);
    pb.below(second, place(u"Τερματισμός προγράμματος"_s));
    pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);  // loose: no code
    EXPECT_FALSE(sketch().contains(u"   while(1);"_s));
    first->BringToFront();
    EXPECT_TRUE(sketch().contains(u"   while(1);"_s));
    EXPECT_FALSE(sketch().contains(u"   delay(1000);"_s));
}

TEST_F(SketchGeneratorTest, ValueBlockOfTheFirstVariableIsNoStartBlock)
{
    // The first variable's id is 1, which its value blocks carry as their command.
    project.variables().Newvar(u"Μετρητής"_s);
    TKeloBlock *loose = pb.placeVariable(u"Μετρητής"_s);
    ASSERT_EQ(loose->CommndID, 1);
    TKeloBlock *start = place(u"Έναρξη προγράμματος"_s);
    pb.below(start, place(u"Τερματισμός προγράμματος"_s));
    EXPECT_TRUE(sketch().contains(u"   while(1);"_s));
    EXPECT_FALSE(sketch().contains(u"   Metritis"_s));
}

TEST_F(SketchGeneratorTest, DeviceLinesInDeviceOrder)
{
    place(u"Έναρξη προγράμματος"_s);
    addDevice(DeviceTypes::Servo, {9});
    addDevice(DeviceTypes::LCD_Serial);
    addDevice(DeviceTypes::Servo, {10});
    addDevice(DeviceTypes::UltraSonic, {7, 8});
    addDevice(DeviceTypes::DCMOTOR, {3, 4});
    addDevice(DeviceTypes::DCMOTOR, {5, 6});
    addDevice(DeviceTypes::Temp, {2, -1});
    const QStringList lines = sketch();
    EXPECT_EQ(lines.count(u"#include \"KeloServo.h\""_s), 2);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{u"#include \"Arduino.h\""_s, u"#include \"KeloServo.h\""_s,
                                            u"#include \"I2Cdev.h\""_s}));
    const qsizetype servo0 = lines.indexOf(u"KELO_Servo Servo_0;"_s);
    const qsizetype define = lines.indexOf(u"#define I2C_ADDR          0x27        //Define I2C Address where the PCF8574A is"_s);
    const qsizetype lcd = lines.indexOf(
        u"LiquidCrystal_I2C Serial_LCD_1(I2C_ADDR, En_pin,Rw_pin,Rs_pin,D4_pin,D5_pin,D6_pin,D7_pin);  //Serial LCD"_s);
    const qsizetype servo2 = lines.indexOf(u"KELO_Servo Servo_2;"_s);
    EXPECT_TRUE(servo0 >= 0 && servo0 < define && define + 9 == lcd && lcd < servo2);
    EXPECT_TRUE(lines.contains(u"DHT Temp_6(2,-1);"_s));
    const QStringList setup = setupSection(lines);
    EXPECT_EQ(setup, (QStringList{u"  Servo_0.init(9);"_s,
                                  u"  Serial_LCD_1.begin(16, 2);"_s,
                                  u"  //Switch on the backlight"_s,
                                  u"  Serial_LCD_1.setBacklightPin(BACKLIGHT_PIN,POSITIVE);"_s,
                                  u"  Serial_LCD_1.setBacklight(HIGH);"_s,
                                  u"  Serial_LCD_1.print(F(\"LCD OK....\"));"_s,
                                  u"  Servo_2.init(10);"_s,
                                  u"  USonic_3.setSonicParams(5,400,7,8);//min distance 5cm, check every 400ms"_s,
                                  u"   USonic_3.init();"_s,
                                  u"  DCMotor_4.init( 0 ,3,4);"_s,
                                  u"  DCMotor_5.init( 0 ,5,6);"_s,
                                  u"  Temp_6.begin();"_s}));
}

TEST_F(SketchGeneratorTest, RobotWithoutPhotoInterrupter)
{
    place(u"Έναρξη προγράμματος"_s);
    addDevice(DeviceTypes::ROBOT, {5, 6, 7, 8, 0, 1, 11});
    const QStringList lines = sketch();
    EXPECT_EQ(setupSection(lines), (QStringList{u"  Robot_0.init(5,6,7,8,0,1,11);"_s, u"  pinMode (11, OUTPUT) ;"_s}));
    EXPECT_EQ(section(lines, u" "_s, u"void setup() {"_s).mid(0, 5),
              (QStringList{u"//AttachInterrupt function for Robot class"_s, u" void speedencint(){"_s,
                           u"       Robot_0.handleInterrupt();"_s, u"}"_s, QString()}));

    project.devices().SetParam(0, 5, 2);
    EXPECT_EQ(setupSection(sketch()),
              (QStringList{u"  Robot_0.init(5,6,7,8,2,1,11);"_s, u"  pinMode (2, INPUT) ;"_s,
                           u"  attachInterrupt(digitalPinToInterrupt(2), speedencint, CHANGE);"_s,
                           u"  pinMode (11, OUTPUT) ;"_s}));
}

TEST_F(SketchGeneratorTest, DeviceLogLines)
{
    place(u"Έναρξη προγράμματος"_s);
    addDevice(DeviceTypes::Laser, {13, 1});
    log.lines.clear();
    sketch();
    EXPECT_EQ(log.lines.mid(1, 11),
              (QStringList{u"------------------------"_s, u"Setup Cmd:130"_s, u"Device ID:0"_s, u"Param 1  :13"_s,
                           u"Param 2  :1"_s, u"Param 3  :0"_s, u"Param 4  :0"_s, u"Param 5  :0"_s,
                           u"Param 6  :0"_s, u"Param 7  :0"_s, u"------------------------"_s}));
}

TEST_F(SketchGeneratorTest, VariableNamesAreTransliterated)
{
    place(u"Έναρξη προγράμματος"_s);
    project.variables().Newvar(u"Count 2"_s);
    project.variables().Newvar(u"Ήλιος"_s);
    const QStringList lines = sketch();
    EXPECT_TRUE(lines.contains(u"int Count_2;"_s));
    EXPECT_TRUE(lines.contains(u"int Ήlios;"_s));
}

} // namespace
