#pragma once

#include "toolchain/IdeLocation.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class UserPrompt;

// "Επιλογές": where the Arduino IDE is, and whether live mode is offered. The folder
// is checked when the edit box is left and when the window is closed with "OK"; only
// "OK" with a valid folder writes "Options.ini". The rules live in IdeLocation and
// LiveModeOption.
class TfrmOptions : public QDialog {
    Q_OBJECT
public:
    using FileChooser = std::function<QString(const QString &startDir)>;

    TfrmOptions(IdeLocation location, UserPrompt *prompt, QWidget *parent = nullptr);

    // Reads the options as showing the window does, without showing it.
    void FormShow();
    // Throws nothing: false (with the message shown) when the edit box's folder holds
    // no IDE.
    bool chkArduinoPathValid(bool tell);

    QString Arduinopath() const { return fArduinoPath; }
    void SetArduinopath(const QString &path);
    QLineEdit *Edit1() const { return fEdit; }
    QPushButton *browseButton() const { return fBrowse; }
    QPushButton *okButton() const { return fOk; }
    QPushButton *cancelButton() const { return fCancel; }
    QCheckBox *liveModeBox() const { return fLive; }
    // The browse dialog; tests put a stand-in here.
    void setFileChooser(FileChooser chooser) { fChooser = std::move(chooser); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Button1Click();
    void Edit1Exit();
    QString runBrowseDialog(const QString &startDir);

    IdeLocation fLocation;
    UserPrompt *fPrompt;
    QString fArduinoPath;
    QLineEdit *fEdit;
    QPushButton *fBrowse;
    QPushButton *fOk;
    QPushButton *fCancel;
    QCheckBox *fLive;
    FileChooser fChooser;
    bool fClosing = false;
};
