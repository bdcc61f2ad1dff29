#pragma once

#include <QMenu>

class QAction;

// "Βοήθεια": the teacher's guide, in the lessons' browser. F1 is bound here.
class HelpMenu : public QMenu {
    Q_OBJECT
public:
    explicit HelpMenu(QWidget *parent = nullptr);

    QAction *teacherGuideAction() const { return fGuide; }

signals:
    void teacherGuideRequested();

private:
    QAction *fGuide;
};
