#pragma once

#include "devices/DeviceListener.h"
#include "util/PictureLabel.h"

#include <QList>
#include <QString>
#include <QWidget>

class ActiveDevices;
class DeviceTile;
class DeviceWindowFrame;
class TDefDevForm;
class UserPrompt;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;

// The "Συσκευές" page: on the left a scrolling column with one tile per device type,
// whose "ADD" buttons add devices; on the right the device notebook, whose page 0
// holds the board choice "Επίλεξε Μοντέλο" with the board's pinout and whose page
// k + 1 holds the set-up window of the device at position k.
//
// The page mirrors the project's device list, whoever changes it (the tiles, a
// window's close box, opening a project, a new project): it listens to the list and
// brings tiles, pages and windows in line after every change.
class DevicesPage : public QWidget, private DeviceListener {
    Q_OBJECT
public:
    // The prompt shows the message of a refused addition; pictures come from imagesDir.
    DevicesPage(ActiveDevices &devices, UserPrompt *prompt, const QString &imagesDir,
                QWidget *parent = nullptr);
    ~DevicesPage() override;

    static QStringList boardNames();
    // The board radio buttons; their ids are the board model's type ids.
    QButtonGroup *boardGroup() const { return fBoards; }
    // Puts a widget under the board choice (live mode's firmware button).
    void addBelowBoardChoice(QWidget *widget);
    QTabWidget *deviceNotebook() const { return fNotebook; }
    QScrollArea *tilesArea() const { return fTilesArea; }
    QLabel *pinoutPicture() const { return fPinout; }
    // The pinout file shown on the board page, empty when the picture is cleared.
    QString pinoutPictureFile() const { return fPinoutFile; }

    // The tile of a device type (its "tag"), or null.
    DeviceTile *FindDeviceTile(int typeId) const;
    // A tile's "ADD" button and count label, found by the names that tie them to it.
    QAbstractButton *getPanelAddButton(const QWidget *pnl) const;
    QLabel *getPanelCountLabel(const QWidget *pnl) const;

    // The set-up window of the device at position, and the page frame around it.
    TDefDevForm *deviceWindow(int position) const;
    DeviceWindowFrame *deviceFrame(int position) const;

    // What every "ADD" button does: adds one device of the type of the button's tile.
    // Returns its position, or -1 when none was added.
    int AddDevice(QAbstractButton *button);
    // Removes every device; the board stays.
    void ClearDevices();

    // The device tiles show their types' counts and "ADD" buttons again, and the
    // board page its board; neither changes the project. Every port refresh ends
    // with both.
    void addDevices();
    void BoardModelChanged();

signals:
    // The device list or the board changed, and the page shows it: blocks may show
    // other devices now.
    void deviceListChanged();

private:
    struct DevicePage {
        DeviceWindowFrame *frame = nullptr;
        QString name;
        int typeId = -1;
    };

    void boardModelChanged() override;
    void devicesChanged() override;

    QWidget *createTiles();
    QWidget *createBoardPage();
    void syncDevices();
    void syncPages();
    void syncTiles();
    void showBoard();
    // Every window marks the pins the board lacks.
    void showPinsOnBoard();

    ActiveDevices &fDevices;
    UserPrompt *fPrompt;
    const QString fImagesDir;
    QButtonGroup *fBoards = nullptr;
    QVBoxLayout *fBoardColumn = nullptr;
    QTabWidget *fNotebook = nullptr;
    QScrollArea *fTilesArea = nullptr;
    PictureLabel *fPinout = nullptr;
    QString fPinoutFile;
    QList<DeviceTile *> fTiles;
    QList<DevicePage> fPages;
    bool fSyncing = false;
    bool fSyncAgain = false;
};
