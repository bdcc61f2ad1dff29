#include "toolchain/TfrmOptions.h"

#include "toolchain/LiveModeOption.h"
#include "util/UserPrompt.h"

#include <QCheckBox>
#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

TfrmOptions::TfrmOptions(IdeLocation location, UserPrompt *prompt, QWidget *parent)
    : QDialog(parent), fLocation(std::move(location)), fPrompt(prompt)
{
    setObjectName(u"frmOptions"_s);
    setWindowTitle(u"Επιλογές"_s);
    setFont(QFont(u"Tahoma"_s, 8));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(477, 183);

    auto *label = new QLabel(u"Θέση Arduino IDE"_s, this);
    QFont bold(u"Tahoma"_s);
    bold.setPixelSize(13);
    bold.setBold(true);
    label->setFont(bold);
    label->move(40, 48);
    label->adjustSize();

    fEdit = new QLineEdit(this);
    fEdit->setObjectName(u"Edit1"_s);
    // Where the label's font is wider than the one the window was drawn for, the box
    // starts after it rather than covering its end.
    const int editLeft = std::max(160, label->geometry().right() + 7);
    fEdit->setGeometry(editLeft, 47, 366 - editLeft, 21);
    fEdit->installEventFilter(this);

    fBrowse = new QPushButton(u"Αναζήτηση"_s, this);
    fBrowse->setObjectName(u"Button1"_s);
    fBrowse->setGeometry(372, 45, 65, 25);
    fBrowse->setAutoDefault(false);
    connect(fBrowse, &QPushButton::clicked, this, &TfrmOptions::Button1Click);

    fLive = new QCheckBox(LiveModeOption::checkBoxText(), this);
    fLive->setObjectName(u"chkLive"_s);
    fLive->move(40, 84);
    fLive->adjustSize();

    fOk = new QPushButton(u"OK"_s, this);
    fOk->setGeometry(136, 120, 75, 25);
    fOk->setDefault(true);
    connect(fOk, &QPushButton::clicked, this, &QDialog::accept);
    fCancel = new QPushButton(u"Άκυρο"_s, this);
    fCancel->setGeometry(240, 120, 75, 25);
    fCancel->setAutoDefault(false);
    connect(fCancel, &QPushButton::clicked, this, &QDialog::reject);

    fChooser = [this](const QString &startDir) { return runBrowseDialog(startDir); };
}

void TfrmOptions::SetArduinopath(const QString &path)
{
    fArduinoPath = path;
    fEdit->setText(path);
}

void TfrmOptions::FormShow()
{
    SetArduinopath(fLocation.storedOrDefault());
    fLive->setChecked(LiveModeOption::read(fLocation.optionsFile()));
}

void TfrmOptions::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

bool TfrmOptions::chkArduinoPathValid(bool tell)
{
    if (IdeLocation::isValidFolder(fEdit->text()))
        return true;
    if (tell && fPrompt)
        fPrompt->showMessage(IdeLocation::invalidFolderMessage(), UserPrompt::Icon::Error);
    return false;
}

void TfrmOptions::Edit1Exit()
{
    if (fEdit->text() == fArduinoPath)
        return;
    if (chkArduinoPathValid(true))
        fArduinoPath = fEdit->text();
    else
        fEdit->setText(fArduinoPath);
}

bool TfrmOptions::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the box checks the folder, except on the way to "Άκυρο" (which takes
    // nothing) and to "OK" (which checks it itself and keeps the window open). The
    // whole window losing the focus (the pupil looks the folder up in another window,
    // a menu opens) is no leaving of the box: what was typed stays.
    if (watched == fEdit && event->type() == QEvent::FocusOut && !fClosing) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return QDialog::eventFilter(watched, event);
        QWidget *next = QApplication::focusWidget();
        if (next != fCancel && next != fOk)
            Edit1Exit();
    }
    return QDialog::eventFilter(watched, event);
}

QString TfrmOptions::runBrowseDialog(const QString &startDir)
{
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#ifdef Q_OS_WIN
    dialog.setWindowTitle(u"Βρείτε το Arduino.exe"_s);
    dialog.setNameFilter(u"Arduino EXE (arduino.exe)"_s);
    dialog.setDefaultSuffix(u"exe"_s);
#else
    dialog.setWindowTitle(u"Βρείτε το arduino"_s);
    dialog.setNameFilter(u"Arduino (arduino)"_s);
#endif
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, u"Αναζήτηση σε:"_s);
    dialog.setLabelText(QFileDialog::FileName, u"Όνομα αρχείου:"_s);
    dialog.setLabelText(QFileDialog::FileType, u"Αρχεία τύπου:"_s);
    dialog.setLabelText(QFileDialog::Accept, u"Άνοιγμα"_s);
    dialog.setLabelText(QFileDialog::Reject, u"Άκυρο"_s);
    dialog.setDirectory(startDir);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void TfrmOptions::Button1Click()
{
    const QString file = fChooser(fArduinoPath);
    if (file.isEmpty())
        return;
    // The folder of the chosen file, with its final separator.
    SetArduinopath(QFileInfo(file).absolutePath() + u'/');
}

void TfrmOptions::done(int result)
{
    if (result == QDialog::Accepted) {
        if (!chkArduinoPathValid(true)) {
            fEdit->setText(fArduinoPath);
            return;  // stays open until the folder is valid or the pupil cancels
        }
        fArduinoPath = fEdit->text();
        QString error;
        if ((!fLocation.writePath(fArduinoPath, &error)
             || (fLive->isChecked() != LiveModeOption::read(fLocation.optionsFile())
                 && !LiveModeOption::write(fLocation.optionsFile(), fLive->isChecked(), &error)))
            && fPrompt)
            fPrompt->showMessage(error, UserPrompt::Icon::Error);
    }
    fClosing = true;
    QDialog::done(result);
    fClosing = false;
}
