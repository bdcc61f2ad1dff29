#include "codegen/DeviceCode.h"

#include "devices/TActiveDevice.h"

using namespace Qt::StringLiterals;

namespace DeviceCode {

enum Code { Robot = 50, DcMotor = 60, Sound = 110, Lcd = 120, Laser = 130, UltraSonic = 140,
            Switch = 145, Servo = 150, AnalogIn = 165, Temp = 170, Bmp = 176 };

QString substituteParams(const QString &text, const TActiveDevice &device)
{
    QString t = text;
    for (int k = 1; k <= 7; ++k) {
        const QString ph = u"%dp"_s + QString::number(k);
        if (t.contains(ph))
            t.replace(ph, QString::number(device.ActDevParams[std::size_t(k)]));
    }
    return t;
}

static QStringList substituted(const QStringList &lines, const TActiveDevice &device)
{
    QStringList out;
    out.reserve(lines.size());
    for (const QString &l : lines)
        out.append(substituteParams(l, device));
    return out;
}

QStringList includeLines(int code)
{
    QString headers;
    switch (code) {
    case Robot: headers = u"helper_3dmath.h,MPU6050_6Axis_MotionApps20.h,KeloGyro.h,MVRobot.h"_s; break;
    case DcMotor: headers = u"KeloMotor.h"_s; break;
    case Sound: headers = u"Speaker.h"_s; break;
    case Lcd: headers = u"I2Cdev.h,Wire.h,LiquidCrystal_I2C.h"_s; break;
    case UltraSonic: headers = u"MVSonicSensor.h"_s; break;
    case Servo: headers = u"KeloServo.h"_s; break;
    case Temp: headers = u"DHT.h"_s; break;
    case Bmp: headers = u"KeloBMP.h"_s; break;
    default: return {};
    }
    QStringList lines;
    for (const QString &h : headers.split(u','))
        lines.append(u"#include \"%s\""_s.replace(u"%s"_s, h));
    return lines;
}

QStringList declarationLines(int code, const TActiveDevice &d)
{
    const QString &n = d.Name;
    switch (code) {
    case Robot: return {u"MV_Robot "_s + n + u';'};
    case DcMotor: return {u"KELO_DCMotor "_s + n + u';'};
    case Sound: return substituted({u"Speaker "_s + n + u"(%dp1);"_s}, d);
    case Lcd:
        return {u"#define I2C_ADDR          0x27        //Define I2C Address where the PCF8574A is"_s,
                u"#define BACKLIGHT_PIN      3"_s,
                u"#define En_pin             2"_s,
                u"#define Rw_pin             1"_s,
                u"#define Rs_pin             0"_s,
                u"#define D4_pin             4"_s,
                u"#define D5_pin             5"_s,
                u"#define D6_pin             6"_s,
                u"#define D7_pin             7"_s,
                u"LiquidCrystal_I2C "_s + n
                    + u"(I2C_ADDR, En_pin,Rw_pin,Rs_pin,D4_pin,D5_pin,D6_pin,D7_pin);  //Serial LCD"_s};
    case UltraSonic: return {u"MV_SonicSensor "_s + n + u';'};
    case Servo: return {u"KELO_Servo "_s + n + u';'};
    case Temp: return substituted({u"DHT "_s + n + u"(%dp1,%dp2);"_s}, d);
    case Bmp: return {u"Kelo_BMP "_s + n + u';'};
    default: return {};
    }
}

QStringList setupLines(int code, const TActiveDevice &d, int motors)
{
    const QString &n = d.Name;
    QStringList lines;
    switch (code) {
    case Robot:
        lines << u"  "_s + n + u".init(%dp1,%dp2,%dp3,%dp4,%dp5,%dp6,%dp7);"_s;
        if (d.ActDevParams[5] > 0)
            lines << u"  pinMode (%dp5, INPUT) ;"_s
                  << u"  attachInterrupt(digitalPinToInterrupt(%dp5), speedencint, CHANGE);"_s;
        lines << u"  pinMode (%dp7, OUTPUT) ;"_s;
        break;
    case DcMotor: lines << u"  "_s + n + u".init( "_s + QString::number(motors) + u" ,%dp1,%dp2);"_s; break;
    case Lcd:
        lines << u"  "_s + n + u".begin(16, 2);"_s << u"  //Switch on the backlight"_s
              << u"  "_s + n + u".setBacklightPin(BACKLIGHT_PIN,POSITIVE);"_s
              << u"  "_s + n + u".setBacklight(HIGH);"_s << u"  "_s + n + u".print(F(\"LCD OK....\"));"_s;
        break;
    case Laser: lines << u"  pinMode(%dp1,OUTPUT);"_s; break;
    case UltraSonic:
        lines << u"  "_s + n + u".setSonicParams(5,400,%dp1,%dp2);//min distance 5cm, check every 400ms"_s
              << u"   "_s + n + u".init();"_s;
        break;
    case Servo: lines << u"  "_s + n + u".init(%dp1);"_s; break;
    case AnalogIn: lines << u"  pinMode(%dp1,INPUT);"_s; break;
    case Temp: lines << u"  "_s + n + u".begin();"_s; break;
    default: break;
    }
    return substituted(lines, d);
}

QStringList interruptLines(int code, const TActiveDevice &d)
{
    if (code != Robot)
        return {};
    return {u"//AttachInterrupt function for Robot class"_s, u" void speedencint(){"_s,
            QString(7, u' ') + d.Name + u".handleInterrupt();"_s, u"}"_s, QString()};
}

} // namespace DeviceCode
