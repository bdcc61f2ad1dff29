#include "devices/DeviceTypes.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

const std::array<TDevice, 11> &rows()
{
    static const std::array<TDevice, 11> table{{
        {u"LCD_Serial"_s, u"Serial_LCD"_s, 120, 0, 1},
        {u"Laser"_s, u"LaserLED"_s, 130, 1, 10},
        {u"Sound"_s, u"Sound"_s, 110, 1, 10},
        {u"UltraSonic"_s, u"USonic"_s, 140, 2, 4},
        {u"Servo"_s, u"Servo"_s, 150, 1, 4},
        {u"Switch"_s, u"Switch"_s, 145, 1, 4},
        {u"Temp"_s, u"Temp"_s, 170, 2, 4},
        {u"BMP"_s, u"Baro"_s, 176, 0, 1},
        {u"ANIN"_s, u"AnalogIn"_s, 165, 1, 10},
        {u"DCMOTOR"_s, u"DCMotor"_s, 60, 2, 5},
        {u"ROBOT"_s, u"Robot"_s, 50, 7, 1},
    }};
    return table;
}

} // namespace

int DeviceTypes::count()
{
    return int(rows().size());
}

bool DeviceTypes::valid(int typeId)
{
    return typeId >= 0 && typeId < count();
}

const TDevice &DeviceTypes::at(int typeId)
{
    static const TDevice none;
    return valid(typeId) ? rows()[std::size_t(typeId)] : none;
}
