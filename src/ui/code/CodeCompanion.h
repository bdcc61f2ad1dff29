#pragma once

#include "codegen/SketchLineMap.h"

#include <QObject>
#include <QStringList>
#include <optional>

class CodeView;
class Project;
class ProgramPage;
class QTabWidget;
class QTimer;
class TKeloBlock;

// Keeps the generated sketch in the code page and in the view beside the canvas as
// the pupil works: after every change of the project it is generated again (once
// the changes have paused for a moment), and the two views show it. Blocks and lines
// know each other: the block under the pointer, else the one pressed last, has its
// lines marked; a click on a line outlines its block on the canvas.
class CodeCompanion : public QObject {
    Q_OBJECT
public:
    // How long the changes must pause before the sketch is generated again.
    static constexpr int DelayMs = 150;

    CodeCompanion(Project &project, QTabWidget *notebook, ProgramPage *programPage, CodeView *codePage,
                  QObject *parent = nullptr);

    CodeView *codePage() const { return fCodePage; }
    // Beside the canvas on the program page; hidden until shown.
    CodeView *besideView() const { return fBeside; }
    const SketchLineMap &lineMap() const { return fMap; }

    // The project changed: the views follow shortly.
    void projectChanged();
    // Generates the sketch at once, with its trace lines in the debug list and the
    // message when there is no start block (then nothing changes). The code page then
    // holds the sketch alone. The sketch's lines as the generator made them.
    std::optional<QStringList> generateNow();

private:
    void refresh();
    void show(const QStringList &fileLines, bool alone);
    void markCurrent(bool scrollTo);
    void lineClicked(int line, bool onCodePage);

    Project &fProject;
    QTabWidget *fNotebook;
    ProgramPage *fProgramPage;
    CodeView *fCodePage;
    CodeView *fBeside;
    QTimer *fTimer;
    SketchLineMap fMap;
    QString fPointed;   // the block under the pointer
    QString fSelected;  // the block pressed, dropped or chosen through its line last
};
