#pragma once

#include "devices/DeviceListener.h"

#include <QWidget>

class ActiveDevices;
class QButtonGroup;

// The "Συσκευές" page. For now it holds the board-model choice "Επίλεξε Μοντέλο";
// the device tiles and the set-up windows join it later.
class DevicesPage : public QWidget, private DeviceListener {
    Q_OBJECT
public:
    explicit DevicesPage(ActiveDevices &devices, QWidget *parent = nullptr);
    ~DevicesPage() override;

    static QStringList boardNames();
    // The board radio buttons; their ids are the board model's type ids.
    QButtonGroup *boardGroup() const { return fBoards; }

private:
    void boardModelChanged() override;
    void showBoard();

    ActiveDevices &fDevices;
    QButtonGroup *fBoards;
};
