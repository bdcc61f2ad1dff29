#include "shell/HelpMenu.h"

#include "lessons/TeacherGuide.h"

using namespace Qt::StringLiterals;

HelpMenu::HelpMenu(QWidget *parent) : QMenu(u"Βοήθεια"_s, parent)
{
    setObjectName(u"HelpMenu"_s);
    fGuide = addAction(TeacherGuide::title());
    fGuide->setObjectName(u"acTeacherGuide"_s);
    fGuide->setShortcut(QKeySequence(Qt::Key_F1));
    fGuide->setStatusTip(u"Πώς ετοιμάζεται ένας υπολογιστής της τάξης και πώς δουλεύουν οι μαθητές"_s);
    connect(fGuide, &QAction::triggered, this, &HelpMenu::teacherGuideRequested);
}
