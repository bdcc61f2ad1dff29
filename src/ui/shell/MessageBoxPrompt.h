#pragma once

#include "util/UserPrompt.h"

class QWidget;

// The core's message and question boxes as modal QMessageBoxes over the window,
// captioned with the application's name.
class MessageBoxPrompt : public UserPrompt {
public:
    explicit MessageBoxPrompt(QWidget *parent = nullptr) : fParent(parent) {}

    void showMessage(const QString &text, Icon icon = Icon::Information) override;
    void showDetailedMessage(const QString &text, const QString &details, Icon icon = Icon::Information) override;
    Answer askOkCancel(const QString &text, Icon icon = Icon::Warning) override;
    Answer askYesNo(const QString &text, Icon icon = Icon::Question) override;
    Answer askYesNoCancel(const QString &text, Icon icon = Icon::Question) override;

private:
    QWidget *fParent;
};
