#include "blocks/TKeloLoopBlock.h"
#include "program/BlockWidget.h"
#include "program/ProgramPage.h"
#include "project/ExampleProject.h"
#include "project/Project.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Measures like the window does, with the block font.
class WidgetMeasurer : public TextMeasurer {
public:
    int textWidth(const QString &t, BlockFont f) const override { return metrics(f).horizontalAdvance(t); }
    int textHeight(const QString &, BlockFont f) const override { return metrics(f).height(); }

private:
    static QFontMetrics metrics(BlockFont f)
    {
        QFont font(u"Tahoma"_s, f == BlockFont::DeviceList ? 8 : 10);
        font.setBold(true);
        return QFontMetrics(font);
    }
};

class ProgramPageTest : public ::testing::Test {
protected:
    ProgramPageTest() : project(&measurer, &log, &prompt)
    {
        project.buildPalette();
        page = new ProgramPage(project, &prompt);
        page->resize(1000, 700);
        page->show();
        QCoreApplication::processEvents();
        page->sync();
    }
    ~ProgramPageTest() override { delete page; }

    BlockWidget *widgetOf(const QString &prototypeText)
    {
        for (BlockWidget *w : page->findChildren<BlockWidget *>())
            if (w->block() && w->block()->prototype() && w->block()->CommandText() == prototypeText)
                return w;
        return nullptr;
    }

    WidgetMeasurer measurer;
    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    Project project;
    ProgramPage *page = nullptr;
};

TEST_F(ProgramPageTest, DraggingAPrototypePlacesACopyOnTheCanvas)
{
    BlockWidget *proto = widgetOf(u"Επανάλαβε %p1 φορές"_s);
    ASSERT_NE(proto, nullptr);
    ASSERT_TRUE(proto->isVisible());
    QTest::mousePress(proto, Qt::LeftButton, {}, QPoint(10, 10));
    const QPoint canvasPoint = proto->mapFromGlobal(page->canvasArea()->viewport()->mapToGlobal(QPoint(200, 150)));
    QTest::mouseMove(proto, canvasPoint);
    QTest::mouseMove(proto, canvasPoint + QPoint(5, 5));
    QTest::mouseRelease(proto, Qt::LeftButton, {}, canvasPoint + QPoint(5, 5));
    const auto &kids = project.workspace().canvas().children();
    ASSERT_EQ(kids.size(), 2u);  // the loop and its end block
    auto *loop = dynamic_cast<TKeloLoopBlock *>(kids.front());
    ASSERT_NE(loop, nullptr);
    EXPECT_FALSE(loop->prototype());
    BlockWidget *w = nullptr;
    for (BlockWidget *c : page->canvasArea()->widget()->findChildren<BlockWidget *>())
        if (c->block() == loop)
            w = c;
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(ProgramPageTest, ExampleProgramRenders)
{
    buildBlinkExample(project);
    page->sync();
    QCoreApplication::processEvents();
    const QImage shot = page->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    if (qEnvironmentVariableIsSet("VIMSEL_SHOT"))
        shot.save(qEnvironmentVariable("VIMSEL_SHOT"));
}

} // namespace
