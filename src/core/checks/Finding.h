#pragma once

#include <QString>

class TKeloBlock;

// One thing the checks found in a project, told to the pupil in Greek: how serious it
// is, what it is about (a block, a device, a variable) and what to do.
struct Finding {
    // An error makes the compile fail; a warning compiles into a program that will
    // not do what the pupil expects.
    enum class Severity { Warning, Error };
    enum class Subject { Block, Device, Variable };

    Severity severity = Severity::Warning;
    // A short Latin name of the rule, for tests and for lessons that name the finding
    // they teach ("pin-not-output").
    QString rule;
    Subject subject = Subject::Block;
    // The block's component name, the device's name or the variable's name.
    QString name;
    // The subject as the pupil sees it: a block's text with its values, a device's
    // name, a variable's Greek name.
    QString label;
    QString text;

    bool isError() const { return severity == Severity::Error; }

    static Finding aboutBlock(Severity severity, const QString &rule, const TKeloBlock *block, const QString &text);
    static Finding aboutDevice(Severity severity, const QString &rule, const QString &device, const QString &text);
    static Finding aboutVariable(Severity severity, const QString &rule, const QString &variable,
                                 const QString &text);

    // One line for the command line: severity, subject and text.
    QString line() const;
    bool operator==(const Finding &) const = default;
};
