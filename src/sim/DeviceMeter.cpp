#include "DeviceMeter.h"

#include "devices/DeviceTypes.h"

#include <algorithm>

namespace {
constexpr double ShortestPulseUs = 600;
constexpr double LongestPulseUs = 2400;
constexpr double NoteWindowMs = 50;
} // namespace

DeviceMeter::DeviceMeter(std::vector<TActiveDevice> devices) : fDevices(std::move(devices))
{
    // The pins the devices are wired to are in use from the start, inputs until the
    // program says otherwise.
    for (const TActiveDevice &d : fDevices) {
        const auto &p = d.ActDevParams;
        switch (d.DeviceTypeID) {
        case DeviceTypes::Laser:
        case DeviceTypes::Sound:
        case DeviceTypes::Servo:
        case DeviceTypes::Switch:
        case DeviceTypes::Temp: fPins[p[1]]; break;
        case DeviceTypes::UltraSonic:
        case DeviceTypes::DCMOTOR: fPins[p[1]], fPins[p[2]]; break;
        case DeviceTypes::ROBOT:
            for (int i : {1, 2, 3, 4, 5, 7})
                fPins[p[i]];
            break;
        default: break;
        }
    }
}

void DeviceMeter::pinChanged(const SimBoard::PinChange &c)
{
    Pin &p = fPins[c.pin];
    switch (c.kind) {
    case SimBoard::PinKind::Mode: p.mode = c.value; break;
    case SimBoard::PinKind::Pwm: p.pwm = c.value; break;
    case SimBoard::PinKind::Level: {
        p.level = c.value;
        Edges &e = fEdges[c.pin];
        if (c.value) {
            // The period over the rises of the last 50 ms: one edge's lateness (a few
            // microseconds) spread over many periods.
            e.rises.push_back(c.ms);
            while (e.rises.front() < c.ms - NoteWindowMs)
                e.rises.pop_front();
            if (e.rises.size() >= 2)
                e.periodMs = (e.rises.back() - e.rises.front()) / double(e.rises.size() - 1);
            else if (e.lastRise >= 0)
                e.periodMs = c.ms - e.lastRise;
            e.lastRise = c.ms;
        } else if (e.lastRise >= 0) {
            e.widthUs = (c.ms - e.lastRise) * 1000.0;
        }
        break;
    }
    }
}

const TActiveDevice *DeviceMeter::device(int position, int typeId) const
{
    if (position < 0 || position >= int(fDevices.size()) || fDevices[size_t(position)].DeviceTypeID != typeId)
        return nullptr;
    return &fDevices[size_t(position)];
}

int DeviceMeter::level(int pin) const
{
    const auto it = fPins.find(pin);
    return it == fPins.end() ? 0 : it->second.level;
}

bool DeviceMeter::lit(int position) const
{
    const TActiveDevice *d = device(position, DeviceTypes::Laser);
    return d && level(d->ActDevParams[1]);
}

double DeviceMeter::frequencyHz(int position, double nowMs) const
{
    const TActiveDevice *d = device(position, DeviceTypes::Sound);
    if (!d)
        return 0;
    const auto it = fEdges.find(d->ActDevParams[1]);
    if (it == fEdges.end() || it->second.periodMs <= 0)
        return 0;
    const Edges &e = it->second;
    // Silent once no rise has come for two periods (and a little more for slow notes).
    if (nowMs - e.lastRise > std::max(2 * e.periodMs, 5.0))
        return 0;
    return 1000.0 / e.periodMs;
}

std::optional<double> DeviceMeter::servoDegrees(int position) const
{
    const TActiveDevice *d = device(position, DeviceTypes::Servo);
    if (!d)
        return std::nullopt;
    const auto it = fEdges.find(d->ActDevParams[1]);
    if (it == fEdges.end() || it->second.widthUs < 0)
        return std::nullopt;
    const double w = std::clamp(it->second.widthUs, ShortestPulseUs, LongestPulseUs);
    return (w - ShortestPulseUs) * 180.0 / (LongestPulseUs - ShortestPulseUs);
}

int DeviceMeter::direction(int pinA, int pinB) const
{
    const int a = level(pinA), b = level(pinB);
    return a == b ? 0 : (a ? 1 : -1);
}

int DeviceMeter::motorDirection(int position) const
{
    const TActiveDevice *d = device(position, DeviceTypes::DCMOTOR);
    return d ? direction(d->ActDevParams[1], d->ActDevParams[2]) : 0;
}

std::pair<int, int> DeviceMeter::robotWheels(int position) const
{
    const TActiveDevice *d = device(position, DeviceTypes::ROBOT);
    if (!d)
        return {0, 0};
    const auto &p = d->ActDevParams;
    int speed = 255;
    const auto it = fPins.find(p[7]);
    if (it != fPins.end())
        speed = it->second.pwm >= 0 ? it->second.pwm : (it->second.level ? 255 : 0);
    return {direction(p[1], p[2]) * speed, direction(p[3], p[4]) * speed};
}
