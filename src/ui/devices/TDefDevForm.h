#pragma once

#include <QString>
#include <QWidget>

class ActiveDevices;
class QFormLayout;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
struct DeviceFormField;
struct TActiveDevice;

// The base of every device set-up window: the device picture with its caption, the
// wiring help, and the spin boxes that edit the device's parameters. The record in the
// device list is the master copy: the spin boxes are loaded from it each time the
// window is shown and write to it on every change.
//
// The window edits the device at ActiveDeviceId. Whoever removes an earlier device
// moves the window down with setActiveDeviceId; -1 detaches it, after which it writes
// nothing.
class TDefDevForm : public QWidget {
    Q_OBJECT

public:
    TDefDevForm(int typeId, ActiveDevices &devices, int position, const QString &imagesDir,
                QWidget *parent = nullptr);

    int ActiveDeviceId() const { return m_position; }
    void setActiveDeviceId(int position) { m_position = position; }
    // The type of device the window sets up.
    int GetDeviceTypeId() const { return m_typeId; }
    // A copy of the device's record (all zeros once detached).
    TActiveDevice ActDev() const;
    QString imagesDir() const { return m_imagesDir; }

    // The spin box registered for parameter 1..7, or null.
    QSpinBox *ParamSE(int index1to7) const;

    // Stores the spin box's value as parameter pno and tells the blocks.
    void SetParam(int pno, QSpinBox *se);
    // Loads a spin box from parameter pno. A stored value beyond the spin box's range
    // is reduced to the range and the reduced value is stored.
    void SetSEfromParam(int pno, QSpinBox *se);
    // Marks each pin the chosen board lacks as not there; the pin itself is kept.
    void ShowPinsOnBoard();
    // Tells the blocks of the device's type that the device may have changed.
    void RefreshBlockControls();
    // Removes the window's device from the list (what closing the window does) and
    // detaches the window.
    void KillDevice();

    // The picture file shown, empty when the picture is cleared.
    QString pictureFile() const { return m_pictureFile; }
    QLabel *Picture() const { return m_picture; }
    QLabel *CaptionLabel() const { return m_caption; }
    QPlainTextEdit *HelpText() const { return m_help; }
    QGroupBox *SettingsBox() const { return m_settings; }
    // The label in front of a parameter's visible spin box, or null.
    QLabel *FieldLabel(int index1to7) const;
    // The mark beside a pin field, shown while the board lacks the pin; null for a
    // parameter that is no pin.
    QLabel *MissingPinLabel(int index1to7) const;

signals:
    // After KillDevice: the device that stood at formerPosition is gone, every later
    // device moved down one place.
    void deviceKilled(int formerPosition);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    // Bounds, loads and then lets the window bring its lists in line; runs at the end
    // of each window's constructor and whenever the window is shown.
    void loadParams();
    // Runs after the spin boxes were loaded from the record.
    virtual void paramsLoaded() {}

    // A hidden spin box that holds a parameter shown by another control (a list or a
    // check box); its change handler is the window's.
    QSpinBox *addHiddenParam(int pno, int designValue);
    QFormLayout *SettingsLayout() const { return m_settingsLayout; }
    // Shows the first of the files that exists in the images folder; false (and the
    // picture unchanged) when none does.
    bool showPicture(const QStringList &fileNames);
    void clearPicture();
    // The device's stored parameter, 0 when detached.
    int storedParam(int pno) const;

    QSpinBox *Param1SE = nullptr;
    QSpinBox *Param2SE = nullptr;
    QSpinBox *Param3SE = nullptr;
    QSpinBox *Param4SE = nullptr;
    QSpinBox *Param5SE = nullptr;
    QSpinBox *Param6SE = nullptr;
    QSpinBox *Param7SE = nullptr;

private:
    void addPinField(const DeviceFormField &field);
    void showPinOnBoard(int pno);
    QSpinBox *&paramSlot(int index1to7);
    void registerParam(int pno, QSpinBox *se);

    ActiveDevices &m_devices;
    const int m_typeId;
    int m_position;
    const QString m_imagesDir;
    QString m_pictureFile;
    QLabel *m_picture = nullptr;
    QLabel *m_caption = nullptr;
    QPlainTextEdit *m_help = nullptr;
    QGroupBox *m_settings = nullptr;
    QFormLayout *m_settingsLayout = nullptr;
    QLabel *m_fieldLabels[8] = {};
    QLabel *m_missingPin[8] = {};
    QString m_pinHints[8];
};
