#include "shell/ExamplesMenu.h"

#include "project/ExampleCatalogue.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

ExamplesMenu::ExamplesMenu(const QString &examplesFolder, QWidget *parent)
    : QMenu(u"Παραδείγματα"_s, parent), fFolder(examplesFolder)
{
    setObjectName(u"ExamplesMenu"_s);
    bool lessonsStarted = false;
    for (const ExampleGroup &group : ExampleCatalogue::groups()) {
        if (group.title.isEmpty()) {
            addEntries(this, group);
            continue;
        }
        // The examples of their own first, then the lessons' groups.
        if (!lessonsStarted && !actions().isEmpty())
            addSeparator();
        lessonsStarted = true;
        QMenu *sub = addMenu(group.title);
        sub->setObjectName(u"ExamplesMenu/"_s + group.title);
        addEntries(sub, group);
    }
}

void ExamplesMenu::addEntries(QMenu *menu, const ExampleGroup &group)
{
    for (const ExampleEntry &entry : group.entries) {
        const QString file = QDir::cleanPath(QDir(fFolder).filePath(entry.file));
        QAction *a = menu->addAction(entry.title);
        a->setData(file);
        a->setEnabled(QFileInfo(file).isFile());
        connect(a, &QAction::triggered, this, [this, file] { emit exampleChosen(file); });
    }
}
