#include "shell/MessageBoxPrompt.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(UserPrompt::Icon icon)
{
    switch (icon) {
    case UserPrompt::Icon::Information:
        return QMessageBox::Information;
    case UserPrompt::Icon::Warning:
        return QMessageBox::Warning;
    case UserPrompt::Icon::Error:
        return QMessageBox::Critical;
    case UserPrompt::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton run(QWidget *parent, const QString &text, UserPrompt::Icon icon,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(boxIcon(icon), QGuiApplication::applicationDisplayName(), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

UserPrompt::Answer answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return UserPrompt::Answer::Ok;
    case QMessageBox::Yes:
        return UserPrompt::Answer::Yes;
    case QMessageBox::No:
        return UserPrompt::Answer::No;
    default:
        // Escape and the close button of the box.
        return UserPrompt::Answer::Cancel;
    }
}

} // namespace

void MessageBoxPrompt::showMessage(const QString &text, Icon icon)
{
    run(fParent, text, icon, QMessageBox::Ok, QMessageBox::Ok);
}

UserPrompt::Answer MessageBoxPrompt::askOkCancel(const QString &text, Icon icon)
{
    return answerOf(run(fParent, text, icon, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok));
}

UserPrompt::Answer MessageBoxPrompt::askYesNo(const QString &text, Icon icon)
{
    const Answer a = answerOf(run(fParent, text, icon, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes));
    return a == Answer::Yes ? a : Answer::No;
}

UserPrompt::Answer MessageBoxPrompt::askYesNoCancel(const QString &text, Icon icon)
{
    return answerOf(run(fParent, text, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        QMessageBox::Yes));
}

void MessageBoxPrompt::showDetailedMessage(const QString &text, const QString &details, Icon icon)
{
    QMessageBox box(boxIcon(icon), QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, fParent);
    box.setDetailedText(details);
    box.exec();
}
