#pragma once

#include <QList>
#include <QString>

class ActiveDevices;

// The device notebook of the devices page: page 0 shows the board, page k + 1 the
// set-up window of the device at position k, captioned with the device's name.
class DevicePages {
public:
    static constexpr int BoardPage = 0;

    static int pageOfDevice(int position);
    // The device a page shows; -1 for the board page and pages beyond the devices.
    static int deviceOfPage(const ActiveDevices &devices, int page);
    static QString pageCaption(const ActiveDevices &devices, int position);
    // The board's name; without a board the page keeps the caption of its design,
    // so that its tab never goes blank.
    static QString boardPageCaption(const ActiveDevices &devices);

    // A device page as it is shown: the name and type of the device it was made for.
    struct Shown {
        QString name;
        int typeId = -1;
    };
    // Which of the shown pages keeps showing each device after the list changed: one
    // entry per device position, the index in shown of its page or -1 when the device
    // needs a new page. Shown pages that no entry names have lost their device.
    //
    // A page follows its device by name, since names stay unique and survive moves;
    // a device renamed where it stands (a loaded name replacing the given one) keeps
    // the page at its position when the type matches and the old name is gone.
    static QList<int> match(const QList<Shown> &shown, const ActiveDevices &devices);
};
