#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One labelled pin spin box of a set-up window.
struct DeviceFormField {
    QString label;
    int param = 0; // the device parameter it edits, 1..7
    QString hint;  // the spin box's tool tip
};

// What the device set-up windows show, per device type, and the few rules behind it:
// which spin boxes follow the board's highest pin and which picture file shows a kind.
// Picture names are plain file names inside the program's images folder.
class DeviceFormTexts {
public:
    // The label under the device picture.
    static QString captionLabel(int typeId);
    // The caption of the group box that holds the spin boxes.
    static QString settingsCaption(int typeId);
    // Beside a pin the chosen board lacks: the pin is kept, and is good again on a
    // board that has it.
    static QString pinNotOnBoard(const QString &boardName);
    // The wiring help, one entry per shown line.
    static QStringList wiringHelp(int typeId);
    static QString pinHint();

    // The visible pin spin boxes, top to bottom.
    static QList<DeviceFormField> pinFields(int typeId);
    // Whether a parameter is a pin: its spin box offers the pins of the biggest board.
    // Kinds and the sensor type keep their own range.
    static bool isPin(int typeId, int param);

    // Types whose parameter 2 is a kind chosen from a list with a picture per kind
    // (Laser, Switch, ANIN).
    static bool hasKindList(int typeId);
    static QString kindListCaption(int typeId);
    static QStringList kindNames(int typeId);
    // The files that may show a kind, in the order they are tried.
    static QStringList kindPictureNames(int typeId, int kind);

    // The Temp window's "Type:" list; the numbers are TempSensorType's.
    static QStringList tempTypeNames();
    static QString tempPictureName(int sensorType);

    // The name of the type's tile on the devices page, and its picture, which is also
    // the picture of set-up windows that show no kind.
    static QString tilePanelName(int typeId);
    static QString tilePictureName(int typeId);
};
