#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

// The pieces of a sketch line the code view colours: C++ keywords, preprocessor
// directives, numbers, strings and characters, comments, and the pupil's variables.
// Everything else (operators, names of the libraries' objects) stays plain.
struct SketchToken {
    enum class Kind { Keyword, Directive, Number, String, Comment, Variable };
    int start = 0;
    int length = 0;
    Kind kind = Kind::Keyword;
    friend bool operator==(const SketchToken &, const SketchToken &) = default;
};

class SketchTokenizer {
public:
    // variables: the identifiers of the pupil's variables as the sketch writes them.
    explicit SketchTokenizer(QSet<QString> variables = {}) : fVariables(std::move(variables)) {}

    // The coloured pieces of one line, in order. inComment tells whether the line
    // starts inside a /* */ comment and receives whether the next one does.
    QList<SketchToken> tokens(QStringView line, bool *inComment) const;

    static bool isKeyword(QStringView word);
    const QSet<QString> &variables() const { return fVariables; }

private:
    QSet<QString> fVariables;
};
