#include "devices/ActiveDevices.h"

#include "devices/DeviceTypes.h"
#include "util/UserPrompt.h"

#include <QRegularExpression>
#include <algorithm>
#include <set>

using namespace Qt::StringLiterals;

template<typename Call> void ActiveDevices::notify(Call call)
{
    // A listener may remove itself (or another) while it is told.
    const std::vector<DeviceListener *> listeners = m_listeners;
    for (DeviceListener *l : listeners)
        if (std::find(m_listeners.begin(), m_listeners.end(), l) != m_listeners.end())
            call(l);
}

ActiveDevices::ActiveDevices()
{
    m_board.select(0);
}

const TActiveDevice &ActiveDevices::device(int position) const
{
    static const TActiveDevice none;
    return (position >= 0 && position <= m_last) ? m_devices[std::size_t(position)] : none;
}

int ActiveDevices::typeCount(int typeId) const
{
    int n = 0;
    for (int i = 0; i <= m_last; ++i)
        n += m_devices[std::size_t(i)].DeviceTypeID == typeId ? 1 : 0;
    return n;
}

bool ActiveDevices::canAdd(int typeId) const
{
    return DeviceTypes::valid(typeId) && typeCount(typeId) < DeviceTypes::at(typeId).DeviceMax
        && count() < Capacity;
}

int ActiveDevices::AddDevice(int typeId, UserPrompt *prompt)
{
    return AddDevice(typeId, std::array<int, 8>{}, prompt);
}

int ActiveDevices::AddDevice(int typeId, const std::array<int, 8> &params, UserPrompt *prompt)
{
    if (!DeviceTypes::valid(typeId))
        return -1;
    const TDevice &type = DeviceTypes::at(typeId);
    // The same words for every type, whatever its limit.
    if (typeCount(typeId) >= type.DeviceMax) {
        if (prompt)
            prompt->showMessage(u"Μόνο μια επιτρέπετε!!!"_s);
        return -1;
    }
    // The per-type limits add up to more than the list holds.
    if (count() >= Capacity) {
        if (prompt)
            prompt->showMessage(u"Δεν χωρούν άλλες συσκευές στο έργο."_s);
        return -1;
    }

    const int k = m_last + 1;
    TActiveDevice &record = m_devices[std::size_t(k)];
    record.DeviceTypeID = typeId;
    record.ActDevParamCount = type.DeviceParamCount;
    record.ActDevParams = params;
    record.ActDevParams[0] = 0;
    record.Name = freeName(type.FormCaption, k);
    m_last = k;

    notify([&](DeviceListener *l) { l->commandsByType(typeId, true); });
    // Blocks already on the canvas may wait for a device of this type.
    notify([&](DeviceListener *l) { l->deviceRefresh(typeId, k); });
    notify([](DeviceListener *l) { l->devicesChanged(); });
    return k;
}

void ActiveDevices::KillDevice(int position)
{
    if (position < 0 || position > m_last)
        return;
    const int typeId = m_devices[std::size_t(position)].DeviceTypeID;

    // Every device after the removed one moves down a place and its blocks must re-bind.
    std::set<int> refreshed{typeId};
    for (int i = position + 1; i <= m_last; ++i)
        refreshed.insert(m_devices[std::size_t(i)].DeviceTypeID);

    RemoveActiveDevice(position);

    if (typeCount(typeId) == 0)
        notify([&](DeviceListener *l) { l->commandsByType(typeId, false); });
    for (int t : refreshed) {
        const int at = FindDeviceOfType(t);
        notify([&](DeviceListener *l) { l->deviceRefresh(t, at); });
    }
    notify([](DeviceListener *l) { l->devicesChanged(); });
}

void ActiveDevices::RemoveActiveDevice(int position)
{
    if (position < 0 || position > m_last)
        return;
    for (int i = position; i < m_last; ++i)
        m_devices[std::size_t(i)] = m_devices[std::size_t(i + 1)];
    m_devices[std::size_t(m_last)] = TActiveDevice();
    --m_last;
}

void ActiveDevices::ClearDevices()
{
    // From the end, so that no record ever moves.
    while (m_last >= 0)
        KillDevice(m_last);
}

void ActiveDevices::SetParam(int position, int index1to7, int value)
{
    if (position < 0 || position > m_last || index1to7 < 1 || index1to7 > 7)
        return;
    TActiveDevice &record = m_devices[std::size_t(position)];
    const int before = record.ActDevParams[std::size_t(index1to7)];
    record.ActDevParams[std::size_t(index1to7)] = value;
    const int typeId = record.DeviceTypeID;
    notify([&](DeviceListener *l) { l->deviceRefresh(typeId, position); });
    if (before != value)
        notify([&](DeviceListener *l) { l->deviceEdited(typeId, position); });
}

void ActiveDevices::refreshBlocks(int position)
{
    if (position < 0 || position > m_last)
        return;
    const int typeId = m_devices[std::size_t(position)].DeviceTypeID;
    notify([&](DeviceListener *l) { l->deviceRefresh(typeId, position); });
}

bool ActiveDevices::setDeviceName(int position, const QString &name)
{
    static const QRegularExpression identifier(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    if (position < 0 || position > m_last || !identifier.match(name).hasMatch())
        return false;
    const int holder = findByName(name);
    if (holder == position)
        return true;
    if (holder >= 0)
        return false;
    TActiveDevice &record = m_devices[std::size_t(position)];
    record.Name = name;
    const int typeId = record.DeviceTypeID;
    notify([&](DeviceListener *l) { l->deviceRefresh(typeId, position); });
    notify([](DeviceListener *l) { l->devicesChanged(); });
    return true;
}

int ActiveDevices::FindDeviceOfType(int typeId) const
{
    for (int i = 0; i <= m_last; ++i)
        if (m_devices[std::size_t(i)].DeviceTypeID == typeId)
            return i;
    return -1;
}

QList<QPair<QString, int>> ActiveDevices::GetActiveDevicePins(int devTp) const
{
    QList<QPair<QString, int>> list;
    for (int i = 0; i <= m_last; ++i) {
        const TActiveDevice &d = m_devices[std::size_t(i)];
        if (devTp == -1 || d.DeviceTypeID == devTp)
            list.append({d.Name, i});
    }
    return list;
}

int ActiveDevices::findByName(const QString &name) const
{
    for (int i = 0; i <= m_last; ++i)
        if (m_devices[std::size_t(i)].Name == name)
            return i;
    return -1;
}

void ActiveDevices::setBoardTypeId(int typeId)
{
    m_board.select(typeId);
    notify([](DeviceListener *l) { l->boardModelChanged(); });
}

void ActiveDevices::addListener(DeviceListener *listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void ActiveDevices::removeListener(DeviceListener *listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener),
                      m_listeners.end());
}

// The position's own number keeps the names a project had before any removal; after a
// removal that number may be taken, and the smallest free one keeps names unique.
QString ActiveDevices::freeName(const QString &caption, int position) const
{
    const QString own = caption + u'_' + QString::number(position);
    if (findByName(own) < 0)
        return own;
    for (int n = 0;; ++n) {
        const QString candidate = caption + u'_' + QString::number(n);
        if (findByName(candidate) < 0)
            return candidate;
    }
}
