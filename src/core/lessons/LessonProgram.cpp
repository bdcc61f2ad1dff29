#include "lessons/LessonProgram.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlock.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "blocks/Workspace.h"
#include "project/Project.h"
#include "variables/TArduVar.h"
#include "variables/TArduVariables.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace LessonProgram {

namespace {

// The palette group a block comes from, as the style sheet names its colour.
QString groupOf(const TKeloBlock *b)
{
    if (b->CommndID == 1 || b->CommndID == 2)
        return u"start"_s;
    if (dynamic_cast<const TKeloLoopBlock *>(b))
        return u"loop"_s;
    if (b->DeviceOnlyCommandID() >= 0)
        return u"device"_s;
    if (dynamic_cast<const TKeloCommandVarBlock *>(b))
        return u"variable"_s;
    if (dynamic_cast<const TKeloControlBlock *>(b))
        return u"control"_s;
    return u"various"_s;
}

QString box(const QString &cssClass, const QString &text)
{
    return u"<span class=\""_s + cssClass + u"\">"_s + text.trimmed().toHtmlEscaped() + u"</span>"_s;
}

// The command text with its placeholders replaced by boxes: a value block's caption,
// or the number, text or device the pupil set.
QString caption(const TKeloBlock *b, const TArduVariables &variables)
{
    static const QRegularExpression placeholder(u"%p[12sd]"_s);
    const QString text = b->CommandText();
    QString out;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &m : placeholder.globalMatch(text)) {
        out += text.mid(done, m.capturedStart() - done).toHtmlEscaped();
        done = m.capturedEnd();
        switch (text.at(m.capturedStart() + 2).unicode()) {
        case u'1':
            // A condition's choice left empty ("is", not "δεν") is drawn as nothing: an
            // empty box reads as a gap with something missing.
            if (b->VarParam1())
                out += box(u"value"_s, b->VarParam1()->captionText());
            else if (!b->GetParam1Text().trimmed().isEmpty())
                out += box(u"param"_s, b->GetParam1Text());
            break;
        case u'2':
            // A variable command chooses its variable in place of a second number.
            if (dynamic_cast<const TKeloCommandVarBlock *>(b)) {
                const TArduVar *var = variables.GetVarByID(b->GetParam2());
                out += box(u"devname"_s, var ? var->VarName : QString());
                break;
            }
            out += b->VarParam2() ? box(u"value"_s, b->VarParam2()->captionText())
                                  : box(u"param"_s, QString::number(b->GetParam2()));
            break;
        case u's':
            out += box(u"param"_s, b->ParamStr());
            break;
        default:
            out += box(u"devname"_s, b->ParamD());
            break;
        }
    }
    out += text.mid(done).toHtmlEscaped();
    return out.simplified();
}

void line(QString &out, const QString &group, const QString &text, int depth)
{
    out += QString(2 * depth, u' ') + u"<div class=\"block "_s + group + u"\">"_s + text + u"</div>\n"_s;
}

void walk(QString &out, const TKeloBlock *b, int depth, const TArduVariables &variables)
{
    // As long as the chain, never longer: a loop in the links cannot hang it.
    for (int guard = 0; b && guard < (1 << 20); ++guard) {
        const QString group = groupOf(b);
        line(out, group, caption(b, variables), depth);
        if (auto *c = dynamic_cast<const TKeloContainerBlock *>(b)) {
            out += QString(2 * depth, u' ') + u"<div class=\"body "_s + group + u"\">\n"_s;
            walk(out, c->firstBlock(), depth + 1, variables);
            out += QString(2 * depth, u' ') + u"</div>\n"_s;
            if (auto *e = dynamic_cast<const TKeloControlElseBlock *>(b); e && e->elsevisible() && e->ElseBlock()) {
                line(out, group, e->ElseBlock()->CommandText().toHtmlEscaped(), depth);
                out += QString(2 * depth, u' ') + u"<div class=\"body "_s + group + u"\">\n"_s;
                walk(out, e->ElseBlock()->firstBlock(), depth + 1, variables);
                out += QString(2 * depth, u' ') + u"</div>\n"_s;
            }
            if (c->EndBlock())
                line(out, group, c->EndBlock()->CommandText().toHtmlEscaped(), depth);
            b = c->EndBlock() ? c->EndBlock()->firstBlock() : nullptr;
            continue;
        }
        b = b->GetLinkTo();
    }
}

} // namespace

QString html(Project &project)
{
    const TKeloBlock *start = project.workspace().findStartBlock();
    if (!start)
        return QString();
    QString out = u"<div class=\"program\">\n"_s;
    walk(out, start, 1, project.variables());
    out += u"</div>\n"_s;
    return out;
}

} // namespace LessonProgram
