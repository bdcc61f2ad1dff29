#include "checks/Finding.h"

#include "blocks/TKeloBlock.h"

using namespace Qt::StringLiterals;

Finding Finding::aboutBlock(Severity severity, const QString &rule, const TKeloBlock *block, const QString &text)
{
    return {severity, rule, Subject::Block, block->Name(), block->captionText(), text};
}

Finding Finding::aboutDevice(Severity severity, const QString &rule, const QString &device, const QString &text)
{
    return {severity, rule, Subject::Device, device, device, text};
}

Finding Finding::aboutVariable(Severity severity, const QString &rule, const QString &variable, const QString &text)
{
    return {severity, rule, Subject::Variable, variable, variable, text};
}

QString Finding::line() const
{
    QString subject;
    switch (this->subject) {
    case Subject::Block:
        subject = u"block «"_s + label + u"» ("_s + name + u')';
        break;
    case Subject::Device:
        subject = u"συσκευή "_s + name;
        break;
    case Subject::Variable:
        subject = u"μεταβλητή «"_s + name + u'»';
        break;
    }
    return (isError() ? u"Λάθος: "_s : u"Προσοχή: "_s) + subject + u": "_s + text;
}
