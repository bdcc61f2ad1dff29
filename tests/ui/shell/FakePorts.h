#pragma once

#include "serial/PortEnvironment.h"

#include <QStringList>

// Stand-ins for the machine's serial ports in widget tests: the ports a refresh finds
// and the USB news the window hears, both changed by the test while the window runs.
class FakePortSource : public PortSource {
public:
    QStringList listPorts(DebugLog &) const override { return ports; }
    QStringList ports;
};

class FakeHotPlug : public HotPlugMonitor {
public:
    bool start(Handler h) override
    {
        handler = std::move(h);
        return true;
    }
    // A board or another device plugged in or pulled out.
    void deliver(const UsbDeviceEvent &event)
    {
        if (handler)
            handler(event);
    }
    Handler handler;
};

// Makes the stand-ins for one window; the pointers stay valid while it lives.
struct FakePorts {
    PortEnvironment environment(const QStringList &found)
    {
        PortEnvironment env;
        auto s = std::make_unique<FakePortSource>();
        s->ports = found;
        source = s.get();
        env.sources.push_back(std::move(s));
        auto h = std::make_unique<FakeHotPlug>();
        hotPlug = h.get();
        env.hotPlug = std::move(h);
        return env;
    }
    FakePortSource *source = nullptr;
    FakeHotPlug *hotPlug = nullptr;
};
