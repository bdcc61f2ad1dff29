#include "code/SketchHighlighter.h"

#include <QColor>
#include <QFont>

SketchHighlighter::SketchHighlighter(QTextDocument *document) : QSyntaxHighlighter(document) {}

void SketchHighlighter::setVariables(const QSet<QString> &identifiers)
{
    if (identifiers == fTokenizer.variables())
        return;
    fTokenizer = SketchTokenizer(identifiers);
    rehighlight();
}

QTextCharFormat SketchHighlighter::formatOf(SketchToken::Kind kind)
{
    QTextCharFormat f;
    switch (kind) {
    case SketchToken::Kind::Keyword:
        f.setForeground(QColor(0x00, 0x33, 0xB3));
        f.setFontWeight(QFont::Bold);
        break;
    case SketchToken::Kind::Directive:
        f.setForeground(QColor(0x7A, 0x3E, 0x9D));
        break;
    case SketchToken::Kind::Number:
        f.setForeground(QColor(0xC0, 0x50, 0x00));
        break;
    case SketchToken::Kind::String:
        f.setForeground(QColor(0x06, 0x7D, 0x17));
        break;
    case SketchToken::Kind::Comment:
        f.setForeground(QColor(0x80, 0x80, 0x80));
        f.setFontItalic(true);
        break;
    case SketchToken::Kind::Variable:
        f.setForeground(QColor(0xA0, 0x10, 0x70));
        f.setFontWeight(QFont::Bold);
        break;
    }
    return f;
}

void SketchHighlighter::highlightBlock(const QString &text)
{
    if (currentBlock().blockNumber() >= fSketchLines) {
        setCurrentBlockState(0);
        return;
    }
    bool inComment = previousBlockState() == 1;
    for (const SketchToken &t : fTokenizer.tokens(text, &inComment))
        setFormat(t.start, t.length, formatOf(t.kind));
    setCurrentBlockState(inComment ? 1 : 0);
}
