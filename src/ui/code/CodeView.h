#pragma once

#include "codegen/SketchLineMap.h"

#include <QPlainTextEdit>
#include <QSet>

class SketchHighlighter;

// A read-only, coloured view of the sketch in the code page's font. The sketch is
// its first lines; the IDE's output may follow it (the code page). Changing the
// sketch replaces only the lines that differ, so the view keeps its place and what
// follows. The lines of one block can be marked, and a click on a line is reported.
class CodeView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeView(QWidget *parent = nullptr);

    // The sketch's lines (of the file, without line ends) in place of the last ones,
    // the text below them kept.
    void setSketch(const QStringList &fileLines, const QSet<QString> &variables);
    // The sketch alone: the text below the last one goes too.
    void showSketch(const QStringList &fileLines, const QSet<QString> &variables);
    const QStringList &sketch() const { return fSketch; }

    // Marks these lines (none when empty) and scrolls them into view when asked.
    void markLines(SketchLineMap::Lines lines, bool scrollTo);
    SketchLineMap::Lines markedLines() const { return fMarked; }
    static QColor markColour() { return QColor(0xFF, 0xEB, 0x8C); }

signals:
    // A click (not a selection) on a line, counted from 0.
    void lineClicked(int line);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void applyMark();

    SketchHighlighter *fHighlighter;
    QStringList fSketch;
    SketchLineMap::Lines fMarked;
    QPoint fPressedAt;
};
