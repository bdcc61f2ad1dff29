#pragma once

#include "blocks/BlockDragController.h"
#include "blocks/TKeloBlock.h"
#include "project/BlockWriter.h"
#include "project/Project.h"

#include <QSize>
#include <QStringList>

// Runs every walk over the links of the program in a project, as the program would
// when a pupil works with it: the sketch, chain counts and last blocks, the layout of
// every block, saving, dragging each block on the canvas a little, and destroying
// the whole program. Used on damaged files by the tests and the fuzzers: every walk
// must end, whatever the file held. Returns the saved program text.
inline QByteArray walkEveryLink(Project &project)
{
    Workspace &ws = project.workspace();
    SketchLineMap lineMap;
    project.generateSketch(&lineMap);

    QStringList names;
    for (TKeloBlock *b : ws.components()) {
        if (b->prototype())
            continue;
        names.append(b->Name());
        b->getKeloBlockListSize();
        b->getLastKeloBlock(nullptr);
        b->GetParam1();
        b->GetParam2();
        b->captionText();
        b->layoutCommandText();
    }
    ws.canvasContentSize(QSize(600, 400));
    const QByteArray saved = BlockWriter::writeProgram(ws);

    BlockDragController drag(ws, project.prompt());
    drag.canvasRectInWindow = QRect(330, 80, 600, 400);
    for (const QString &name : std::as_const(names)) {
        // An earlier drop may have deleted the block on the trash.
        TKeloBlock *b = ws.findBlock(name);
        if (!b || b->parentArea() != &ws.canvas())
            continue;
        if (drag.press(b, QPoint(1, 1)) == b) {
            drag.move(b, QPoint(14, 18));
            drag.release(b);
        }
    }
    project.generateSketch();
    if (TKeloBlock *start = ws.findStartBlock())
        ws.destroyBlock(start);
    ws.FreePlacedBlocks();
    return saved;
}
