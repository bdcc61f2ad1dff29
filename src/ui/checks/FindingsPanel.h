#pragma once

#include "checks/Finding.h"

#include <QFrame>
#include <QList>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

// What the checks before sending found, under the program canvas. A click on a
// finding shows what it is about; the pupil then sends the program as it is
// ("Συνέχεια") or fixes it first ("Διόρθωση"), and the list stays to work through
// until it is closed or the next send finds nothing.
class FindingsPanel : public QFrame {
    Q_OBJECT
public:
    explicit FindingsPanel(QWidget *parent = nullptr);

    // Shows the findings and asks what to do; hides the panel when there are none.
    void showFindings(const QList<Finding> &findings);
    const QList<Finding> &findings() const { return fFindings; }

    QListWidget *list() const { return fList; }
    QPushButton *continueButton() const { return fContinue; }
    QPushButton *fixButton() const { return fFix; }
    QPushButton *closeButton() const { return fClose; }
    // Whether the panel still waits for "Συνέχεια" or "Διόρθωση".
    bool asking() const;

    QSize sizeHint() const override;

signals:
    // The pupil clicked a finding.
    void findingChosen(const Finding &finding);
    // "Συνέχεια": send the program as it is.
    void continueChosen();

private:
    void fix();

    QList<Finding> fFindings;
    QLabel *fSummary = nullptr;
    QListWidget *fList = nullptr;
    QWidget *fQuestion = nullptr;
    QWidget *fFixing = nullptr;
    QPushButton *fContinue = nullptr;
    QPushButton *fFix = nullptr;
    QPushButton *fClose = nullptr;
};
