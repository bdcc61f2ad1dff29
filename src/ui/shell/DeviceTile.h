#pragma once

#include "util/PictureLabel.h"

#include <QFrame>

class QLabel;
class QPushButton;
struct DeviceTileSpec;

// One tile of the devices page: the device's picture, its caption in bold, the count
// of devices of its type in green at the lower left and the "ADD" button at the lower
// right. The tile's "tag" property is its type id, the button's "tag" the count; the
// parts carry the names that tie them to the tile (pnlLCD, lblLCD, LCDadd).
class DeviceTile : public QFrame {
    Q_OBJECT
public:
    static constexpr int TileWidth = 270;

    DeviceTile(const DeviceTileSpec &tile, const QString &imagesDir, QWidget *parent = nullptr);

    int typeId() const { return fTypeId; }
    QPushButton *addButton() const { return fAdd; }
    QLabel *countLabel() const { return fCount; }
    QLabel *picture() const { return fPicture; }
    QLabel *caption() const { return fCaption; }

    // The number of devices of the type, and whether one more may be added.
    void showCount(int count, bool canAdd);

private:
    const int fTypeId;
    PictureLabel *fPicture;
    QLabel *fCaption;
    QLabel *fCount;
    QPushButton *fAdd;
};
