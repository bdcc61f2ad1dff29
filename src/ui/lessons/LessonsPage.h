#pragma once

#include "lessons/LessonLocator.h"

#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The "Μαθήματα" page: the fixed tree of lessons on the left, the chosen lesson's
// document on the right, and below them the path line with the file asked for.
//
// The browser is the heaviest part of the program: it comes from a module of its own
// (LessonBrowserModule), loaded and created the first time the page is shown, never
// at start-up.
class LessonsPage : public QWidget {
    Q_OBJECT
public:
    explicit LessonsPage(const QString &lessonsFolder, QWidget *parent = nullptr);
    ~LessonsPage() override;

    // Another lessons folder (a teacher's own, or a test's).
    void setLessonsFolder(const QString &folder);
    const QString &lessonsFolder() const { return fLocator.lessonsFolder(); }

    // Opens every category of the tree, as switching to the page does.
    void expandAll();

    QTreeWidget *tree() const { return fTree; }
    QLabel *pathLine() const { return fPathLine; }
    // The browser (a QWebEngineView); absent until the page is first shown, and when
    // its module is missing.
    QWidget *browser() const { return fBrowser; }

public slots:
    // The tree's selection changed: a lesson node shows its lesson, a category nothing.
    void LessonSelected(QTreeWidgetItem *node);
    // Shows the document of the lesson whose path, without extension, is given.
    void ShowLesson(const QString &pathWithoutExtension);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillTree();
    QWidget *ensureBrowser();

    LessonLocator fLocator;
    QTreeWidget *fTree = nullptr;
    QWidget *fBrowserPanel = nullptr;
    QWidget *fBrowser = nullptr;
    QLabel *fNoBrowser = nullptr;
    QLabel *fPathLine = nullptr;
};
