#pragma once

#include "shell/FadeIn.h"

#include <QDialog>

class QLabel;
class QTimer;

// "Σχετικά με την εφαρμογή": the program's name, its version and what the teaching
// system supports. It fades in every time it is shown and closes on any click.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);

    // The description as the product words it: lines separated by "\n\r".
    static QString descriptionText();

    QLabel *titleLabel() const { return fTitle; }
    QLabel *versionLabel() const { return fVersion; }
    QLabel *descriptionLabel() const { return fDescription; }
    QTimer *fadeTimer() const { return fTimer; }

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fadeStep();

    QLabel *fTitle = nullptr;
    QLabel *fVersion = nullptr;
    QLabel *fDescription = nullptr;
    QTimer *fTimer = nullptr;
    FadeIn fFade;
};
