#include "checks/BoardPins.h"

#include "checks/GreekList.h"

#include <algorithm>

using namespace Qt::StringLiterals;

BoardPins::BoardPins(int boardTypeId)
{
    switch (boardTypeId) {
    case 2:
        fName = u"Arduino Mega"_s;
        fMega = true;
        fDigitalPins = 70;
        fFirstAnalog = 54;
        fAnalogCount = 16;
        fPwm = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 44, 45, 46};
        fInterrupt = {2, 3, 18, 19, 20, 21};
        fI2c = {20, 21};
        fServoTimer = {11, 12};
        return;
    case 1:
        fName = u"Arduino Nano"_s;
        fAnalogCount = 8;
        break;
    default:
        fName = u"Arduino Uno"_s;
        break;
    }
    fPwm = {3, 5, 6, 9, 10, 11};
    fInterrupt = {2, 3};
    fI2c = {18, 19};
    fServoTimer = {9, 10};
}

int BoardPins::analogInputPin(int value) const
{
    if (value >= 0 && value < fAnalogCount)
        return fFirstAnalog + value;
    if (value >= fFirstAnalog && value < fFirstAnalog + fAnalogCount)
        return value;
    return -1;
}

QString BoardPins::pinName(int pin) const
{
    if (pin >= fFirstAnalog && pin < fFirstAnalog + fAnalogCount)
        return QString::number(pin) + u" (A"_s + QString::number(pin - fFirstAnalog) + u')';
    return QString::number(pin);
}

QString BoardPins::label(int pin) const
{
    if (pin >= fFirstAnalog && pin < fFirstAnalog + fAnalogCount)
        return u'A' + QString::number(pin - fFirstAnalog);
    return QString::number(pin);
}

QString BoardPins::pinRange() const
{
    const int lastDigitalAnalog = fDigitalPins - fFirstAnalog - 1;
    QString text = u"0 έως "_s + QString::number(fDigitalPins - 1) + u" (τα A0–A"_s
                   + QString::number(lastDigitalAnalog) + u" είναι τα "_s + QString::number(fFirstAnalog) + u'–'
                   + QString::number(fDigitalPins - 1) + u')';
    if (fAnalogCount > lastDigitalAnalog + 1)
        text += u"· τα A6 και A7 είναι μόνο αναλογικές είσοδοι"_s;
    return text;
}

QString BoardPins::analogRange() const
{
    const QString last = QString::number(fAnalogCount - 1);
    return u"A0–A"_s + last + u" ("_s + QString::number(fFirstAnalog) + u'–'
           + QString::number(fFirstAnalog + fAnalogCount - 1) + u" ή 0–"_s + last + u')';
}

QString BoardPins::choosePins(QList<int> pins)
{
    std::sort(pins.begin(), pins.end());
    pins.erase(std::unique(pins.begin(), pins.end()), pins.end());
    QStringList parts;
    for (qsizetype i = 0; i < pins.size();) {
        qsizetype j = i;
        while (j + 1 < pins.size() && pins[j + 1] == pins[j] + 1)
            ++j;
        if (j - i >= 2) {
            parts.append(QString::number(pins[i]) + u'–' + QString::number(pins[j]));
        } else {
            for (qsizetype k = i; k <= j; ++k)
                parts.append(QString::number(pins[k]));
        }
        i = j + 1;
    }
    return GreekList::choice(parts);
}
