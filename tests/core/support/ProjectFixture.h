#pragma once

#include "blocks/TKeloBlock.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// A project with the whole palette built, measured with a fixed 7-pixel font, whose
// debug lines and messages are recorded.
class ProjectFixture : public ::testing::Test {
protected:
    ProjectFixture() : project(&measurer, &log, &prompt), pb(project) { project.buildPalette(); }

    Workspace &ws() { return project.workspace(); }
    TKeloBlock *place(const QString &text)
    {
        TKeloBlock *b = pb.place(text);
        EXPECT_NE(b, nullptr) << "no prototype " << qPrintable(text);
        return b;
    }
    // A placed "Περίμενε" block waiting ms milliseconds.
    TKeloBlock *wait(int ms = 1000)
    {
        TKeloBlock *b = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
        b->SetParam1(ms);
        return b;
    }
    QStringList sketch()
    {
        auto lines = project.generateSketch();
        return lines ? *lines : QStringList{u"<no sketch>"_s};
    }

    FixedTextMeasurer measurer;
    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    Project project;
    ProgramBuilder pb;
};

inline QString qs(const char16_t *s)
{
    return QString::fromUtf16(s);
}
