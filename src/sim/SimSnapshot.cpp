#include "SimSnapshot.h"

SimSnapshot SimSnapshot::take(const DeviceMeter &meter, const std::vector<TActiveDevice> &devices, double nowMs)
{
    SimSnapshot s;
    s.programMs = nowMs;
    s.pins = meter.pins();
    for (size_t i = 0; i < devices.size(); ++i) {
        const int p = int(i);
        Device d;
        d.position = p;
        d.typeId = devices[i].DeviceTypeID;
        d.name = devices[i].Name;
        d.lit = meter.lit(p);
        d.hz = meter.frequencyHz(p, nowMs);
        d.degrees = meter.servoDegrees(p);
        d.motor = meter.motorDirection(p);
        d.wheels = meter.robotWheels(p);
        s.devices.push_back(d);
    }
    return s;
}
