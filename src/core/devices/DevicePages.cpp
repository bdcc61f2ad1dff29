#include "devices/DevicePages.h"

#include "devices/ActiveDevices.h"

using namespace Qt::StringLiterals;

int DevicePages::pageOfDevice(int position)
{
    return position + 1;
}

int DevicePages::deviceOfPage(const ActiveDevices &devices, int page)
{
    const int position = page - 1;
    return (position >= 0 && position <= devices.LastDeviceIndex()) ? position : -1;
}

QString DevicePages::pageCaption(const ActiveDevices &devices, int position)
{
    return devices.device(position).Name;
}

QString DevicePages::boardPageCaption(const ActiveDevices &devices)
{
    const QString name = devices.BoardName();
    return name.isEmpty() ? u"Arduino"_s : name;
}

QList<int> DevicePages::match(const QList<Shown> &shown, const ActiveDevices &devices)
{
    const int count = devices.count();
    QList<int> result(count, -1);
    QList<bool> taken(shown.size(), false);

    for (int k = 0; k < count; ++k) {
        const QString &name = devices.device(k).Name;
        for (int i = 0; i < shown.size(); ++i) {
            if (!taken[i] && shown[i].name == name) {
                result[k] = i;
                taken[i] = true;
                break;
            }
        }
    }
    for (int k = 0; k < count && k < shown.size(); ++k) {
        if (result[k] >= 0 || taken[k])
            continue;
        if (shown[k].typeId == devices.device(k).DeviceTypeID && devices.findByName(shown[k].name) < 0) {
            result[k] = k;
            taken[k] = true;
        }
    }
    return result;
}
