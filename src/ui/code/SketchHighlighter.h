#pragma once

#include "codegen/SketchTokenizer.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours the sketch in a code view: C++ keywords, directives, numbers, strings,
// comments and the pupil's variables (SketchTokenizer). Lines from sketchLines on
// (the IDE's output below the sketch) stay plain.
class SketchHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit SketchHighlighter(QTextDocument *document);

    // The identifiers of the pupil's variables; the text is coloured again only when
    // they changed.
    void setVariables(const QSet<QString> &identifiers);
    // How many lines at the top are the sketch. Set before the text changes.
    void setSketchLines(int lines) { fSketchLines = lines; }

    static QTextCharFormat formatOf(SketchToken::Kind kind);

protected:
    void highlightBlock(const QString &text) override;

private:
    SketchTokenizer fTokenizer;
    int fSketchLines = 0;
};
