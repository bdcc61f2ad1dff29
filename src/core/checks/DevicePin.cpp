#include "checks/DevicePin.h"

#include "checks/BoardPins.h"
#include "checks/GreekList.h"
#include "devices/DeviceTypes.h"
#include "devices/TActiveDevice.h"

#include <QHash>

using namespace Qt::StringLiterals;

QList<DevicePin> DevicePin::of(const TActiveDevice &device, int position, const BoardPins &board)
{
    using R = Role;
    const auto &p = device.ActDevParams;
    QList<DevicePin> pins;
    const auto add = [&](int index, R role, const QString &label) {
        pins.append({position, device.Name, p[std::size_t(index)], p[std::size_t(index)], role, label});
    };
    switch (device.DeviceTypeID) {
    case DeviceTypes::Laser:
        add(1, R::Output, u"Signal Pin"_s);
        break;
    case DeviceTypes::Switch:
        add(1, R::Input, u"Signal Pin"_s);
        break;
    case DeviceTypes::Sound:
    case DeviceTypes::Servo:
        add(1, R::Driven, u"Signal Pin"_s);
        break;
    case DeviceTypes::Temp:
        add(1, R::Driven, u"DATA PIN"_s);
        break;
    case DeviceTypes::UltraSonic:
        add(1, R::Driven, u"Trig Pin"_s);
        add(2, R::Sensed, u"Echo Pin"_s);
        break;
    case DeviceTypes::DCMOTOR:
        add(1, R::Driven, u"IN1"_s);
        add(2, R::Driven, u"IN2"_s);
        break;
    case DeviceTypes::ANIN: {
        add(1, R::AnalogueInput, u"Signal Pin"_s);
        const int pin = board.analogInputPin(pins.last().setting);
        if (pin >= 0)
            pins.last().pin = pin;
        break;
    }
    case DeviceTypes::ROBOT:
        add(1, R::Driven, u"IN1"_s);
        add(2, R::Driven, u"IN2"_s);
        add(3, R::Driven, u"IN3"_s);
        add(4, R::Driven, u"IN4"_s);
        // No photo-interrupter is wired while its pin is 0.
        if (p[5] > 0)
            add(5, R::Interrupt, u"PhotoInt"_s);
        add(7, R::Pwm, u"En1,2"_s);
        break;
    default:
        break;
    }
    return pins;
}

bool DevicePin::usesI2c(const TActiveDevice &device)
{
    switch (device.DeviceTypeID) {
    case DeviceTypes::LCD_Serial:
    case DeviceTypes::BMP:
        return true;
    case DeviceTypes::ROBOT:
        return device.ActDevParams[6] > 0;
    default:
        return false;
    }
}

QString DevicePin::where(const QList<DevicePin> &pins, const BoardPins &board)
{
    QList<int> order;
    QHash<int, QStringList> labels;
    for (const DevicePin &p : pins) {
        if (!labels.contains(p.pin))
            order.append(p.pin);
        labels[p.pin].append(p.label);
    }
    QStringList parts;
    for (int pin : order) {
        const QStringList &l = labels[pin];
        parts.append((l.size() == 1 ? u"το "_s : u"τα "_s) + GreekList::join(l) + u" στο pin "_s + board.pinName(pin));
    }
    return GreekList::join(parts);
}
