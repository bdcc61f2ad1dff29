#include "code/CodeView.h"

#include "code/SketchHighlighter.h"
#include "util/LineChange.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

using namespace Qt::StringLiterals;

CodeView::CodeView(QWidget *parent) : QPlainTextEdit(parent)
{
    QFont font(u"Consolas"_s, 8);
    font.setStyleHint(QFont::Monospace);
    setFont(font);
    setReadOnly(true);
    // Read-only, yet the pupil may still select and copy.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fHighlighter = new SketchHighlighter(document());
}

void CodeView::showSketch(const QStringList &fileLines, const QSet<QString> &variables)
{
    fSketch = fileLines;
    fHighlighter->setSketchLines(int(fileLines.size()));
    fHighlighter->setVariables(variables);
    setPlainText(fileLines.join(u'\n'));
    applyMark();
}

void CodeView::setSketch(const QStringList &fileLines, const QSet<QString> &variables)
{
    QTextDocument *doc = document();
    const int shown = int(fSketch.size());
    // The text at the top must still be the sketch shown last (nothing else replaced
    // it); otherwise the new one replaces everything.
    bool ours = shown > 0 && doc->blockCount() >= shown;
    for (QTextBlock b = doc->begin(); ours && b.isValid() && b.blockNumber() < shown; b = b.next())
        ours = b.text() == fSketch.at(b.blockNumber());
    if (!ours) {
        showSketch(fileLines, variables);
        return;
    }
    const bool textBelow = doc->blockCount() > shown;
    const LineChange change = LineChange::between(fSketch, fileLines);
    fSketch = fileLines;
    fHighlighter->setSketchLines(int(fileLines.size()));
    fHighlighter->setVariables(variables);
    if (change.isEmpty())
        return;
    const int first = int(change.first), end = int(change.first + change.removed);
    const QString inserted = change.inserted.join(u'\n');
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    if (!textBelow && end == shown) {
        // The change reaches the end of the text: the line break before it goes with it.
        if (first == 0) {
            cursor.select(QTextCursor::Document);
            cursor.insertText(inserted);
        } else {
            const QTextBlock before = doc->findBlockByNumber(first - 1);
            cursor.setPosition(before.position() + before.length() - 1);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cursor.insertText(change.inserted.isEmpty() ? QString() : u'\n' + inserted);
        }
    } else {
        cursor.setPosition(doc->findBlockByNumber(first).position());
        if (end > first)
            cursor.setPosition(doc->findBlockByNumber(end).position(), QTextCursor::KeepAnchor);
        cursor.insertText(change.inserted.isEmpty() ? QString() : inserted + u'\n');
    }
    cursor.endEditBlock();
    applyMark();
}

void CodeView::markLines(SketchLineMap::Lines lines, bool scrollTo)
{
    if (lines.last >= fSketch.size())
        lines = {};
    fMarked = lines;
    applyMark();
    if (!scrollTo || lines.isEmpty())
        return;
    const int top = firstVisibleBlock().blockNumber();
    const int rows = std::max(1, viewport()->height() / fontMetrics().lineSpacing());
    if (lines.first < top || lines.last >= top + rows) {
        // A little of what stands above the block shows too.
        verticalScrollBar()->setValue(std::max(0, lines.first - 2));
    }
}

void CodeView::applyMark()
{
    QList<QTextEdit::ExtraSelection> marks;
    if (!fMarked.isEmpty() && fMarked.last < document()->blockCount()) {
        QTextEdit::ExtraSelection mark;
        mark.format.setBackground(markColour());
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        const QTextBlock last = document()->findBlockByNumber(fMarked.last);
        mark.cursor = QTextCursor(document()->findBlockByNumber(fMarked.first));
        // Up to the start of the next line: the last line is marked across the view too,
        // an empty one included.
        const int end = std::min(last.position() + last.length(), document()->characterCount() - 1);
        mark.cursor.setPosition(end, QTextCursor::KeepAnchor);
        marks.append(mark);
    }
    setExtraSelections(marks);
}

void CodeView::mousePressEvent(QMouseEvent *e)
{
    fPressedAt = e->position().toPoint();
    QPlainTextEdit::mousePressEvent(e);
}

void CodeView::mouseReleaseEvent(QMouseEvent *e)
{
    QPlainTextEdit::mouseReleaseEvent(e);
    const QPoint at = e->position().toPoint();
    if (e->button() != Qt::LeftButton || textCursor().hasSelection()
        || (at - fPressedAt).manhattanLength() >= QApplication::startDragDistance())
        return;
    emit lineClicked(cursorForPosition(at).blockNumber());
}
