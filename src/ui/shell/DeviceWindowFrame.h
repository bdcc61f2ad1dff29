#pragma once

#include <QFrame>

class QLabel;
class QToolButton;
class TDefDevForm;

// A device page of the devices notebook: the device's set-up window filling the page
// under a tool-window title bar with the device's name and a close box. The close box
// closes the window, which removes the device.
class DeviceWindowFrame : public QFrame {
    Q_OBJECT
public:
    // Takes over form.
    explicit DeviceWindowFrame(TDefDevForm *form, QWidget *parent = nullptr);

    TDefDevForm *form() const { return fForm; }
    QToolButton *closeBox() const { return fClose; }
    QString caption() const;
    // The name shown in the title bar and as the window's caption.
    void setCaption(const QString &name);

private:
    TDefDevForm *fForm;
    QLabel *fTitle;
    QToolButton *fClose;
};
