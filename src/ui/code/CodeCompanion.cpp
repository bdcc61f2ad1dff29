#include "code/CodeCompanion.h"

#include "blocks/TKeloBlock.h"
#include "code/CodeView.h"
#include "codegen/SketchGenerator.h"
#include "program/ProgramPage.h"
#include "project/Project.h"
#include "variables/GreekToLatin.h"

#include <QTabWidget>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QSet<QString> variableIdentifiers(Project &project)
{
    QSet<QString> ids;
    const TArduVariables &vars = project.variables();
    for (int i = 0; i < vars.count(); ++i)
        ids.insert(GreekToLatin(vars.GetArduVar(i)->VarName));
    return ids;
}

} // namespace

CodeCompanion::CodeCompanion(Project &project, QTabWidget *notebook, ProgramPage *programPage, CodeView *codePage,
                             QObject *parent)
    : QObject(parent), fProject(project), fNotebook(notebook), fProgramPage(programPage), fCodePage(codePage),
      fBeside(new CodeView(programPage)), fTimer(new QTimer(this))
{
    fBeside->setObjectName(u"CodeBesideBlocks"_s);
    fBeside->setAccessibleName(u"Κώδικας δίπλα στα blocks"_s);
    programPage->placeBesideCanvas(fBeside);
    fTimer->setSingleShot(true);
    fTimer->setInterval(DelayMs);
    connect(fTimer, &QTimer::timeout, this, &CodeCompanion::refresh);

    connect(programPage, &ProgramPage::blockPointed, this, [this](const TKeloBlock *b) {
        fPointed = b ? b->Name() : QString();
        markCurrent(true);
    });
    connect(programPage, &ProgramPage::blockSelected, this, [this](const TKeloBlock *b) {
        fSelected = b ? b->Name() : QString();
        markCurrent(true);
    });
    connect(fCodePage, &CodeView::lineClicked, this, [this](int line) { lineClicked(line, true); });
    connect(fBeside, &CodeView::lineClicked, this, [this](int line) { lineClicked(line, false); });
}

void CodeCompanion::projectChanged()
{
    fTimer->start();
}

void CodeCompanion::refresh()
{
    SketchLineMap map;
    const std::optional<QStringList> lines = fProject.sketchForView(&map);
    fMap = std::move(map);
    show(lines ? SketchGenerator::fileLines(*lines) : QStringList(), false);
}

std::optional<QStringList> CodeCompanion::generateNow()
{
    SketchLineMap map;
    std::optional<QStringList> lines = fProject.generateSketch(&map);
    if (!lines)
        return std::nullopt;
    fTimer->stop();
    fMap = std::move(map);
    show(SketchGenerator::fileLines(*lines), true);
    return lines;
}

void CodeCompanion::show(const QStringList &fileLines, bool alone)
{
    const QSet<QString> variables = variableIdentifiers(fProject);
    if (alone)
        fCodePage->showSketch(fileLines, variables);
    else
        fCodePage->setSketch(fileLines, variables);
    fBeside->setSketch(fileLines, variables);
    markCurrent(false);
}

void CodeCompanion::markCurrent(bool scrollTo)
{
    const QString name = fPointed.isEmpty() ? fSelected : fPointed;
    const SketchLineMap::Lines lines = name.isEmpty() ? SketchLineMap::Lines{} : fMap.linesOf(name);
    fBeside->markLines(lines, scrollTo && fBeside->isVisible());
    fCodePage->markLines(lines, scrollTo);
}

void CodeCompanion::lineClicked(int line, bool onCodePage)
{
    if (line >= fMap.lineCount())
        return;
    const QString name = fMap.blockAt(line);
    if (name.isEmpty())
        return;
    if (onCodePage)
        fNotebook->setCurrentWidget(fProgramPage);
    if (fProgramPage->pointAt(name).isEmpty())
        return;
    fSelected = name;
    markCurrent(false);
}
