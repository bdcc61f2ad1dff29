#pragma once

#include "devices/DeviceListener.h"

#include <QString>
#include <QStringList>

// Writes every notification as one short line, so a test compares the whole sequence.
class RecordingDeviceListener : public DeviceListener {
public:
    void deviceRefresh(int typeId, int position) override
    {
        events.append(QStringLiteral("refresh %1 %2").arg(typeId).arg(position));
    }
    void commandsByType(int typeId, bool enable) override
    {
        events.append(QStringLiteral("commands %1 %2").arg(typeId).arg(enable ? QStringLiteral("on") : QStringLiteral("off")));
    }
    void boardModelChanged() override { events.append(QStringLiteral("board")); }
    void devicesChanged() override { events.append(QStringLiteral("changed")); }

    QStringList events;
};
