#include "shell/PaletteWidths.h"

#include "blocks/TKeloBlock.h"
#include "blocks/Workspace.h"
#include "project/Project.h"

#include <gtest/gtest.h>

namespace {

struct Laid {
    QRect bounds;
    QList<int> pieces;
    bool operator==(const Laid &) const = default;
};

QList<Laid> laidOut(Project &project)
{
    QList<Laid> out;
    for (const TKeloBlock *b : project.workspace().components()) {
        Laid l{b->BoundsRect(), {}};
        for (const TextPiece &piece : b->textPieces())
            l.pieces << piece.x;
        out << l;
    }
    return out;
}

// The widths found on the other thread are the ones this thread finds: a palette
// built from them lays out block for block as one measured here.
TEST(PaletteWidths, MeasuredOnAnotherThreadLayTheTextsOutAsMeasuredHere)
{
    FontTextMeasurer here;
    Project measuredHere(&here, nullptr, nullptr);
    measuredHere.buildPalette();

    FontTextMeasurer adopted;
    adopted.adoptWidths(*PaletteWidths::measureInBackground().get());
    Project measuredThere(&adopted, nullptr, nullptr);
    measuredThere.buildPalette();

    const QList<Laid> expected = laidOut(measuredHere);
    ASSERT_GT(expected.size(), 50);
    EXPECT_TRUE(laidOut(measuredThere) == expected);
}

} // namespace
