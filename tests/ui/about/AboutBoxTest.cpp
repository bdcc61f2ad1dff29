// "Σχετικά..." from the menu bar: the about box, its fade-in tick by tick, and a click
// anywhere on it closing it.
#include "about/TfrmAbout.h"
#include "shell/ShellTestSupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QTimerEvent>

namespace {

class AboutBoxTest : public ShellTest {
protected:
    void SetUp() override
    {
        window = makeWindow();
        window->show();
        QCoreApplication::processEvents();
    }
    // Clicks "Σχετικά..." on the menu bar; while the box is shown modally, `whileShown`
    // runs with it, and must close it.
    void openAbout(const std::function<void(TfrmAbout *)> &whileShown)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto *about = qobject_cast<TfrmAbout *>(QApplication::activeModalWidget());
            EXPECT_NE(about, nullptr);
            if (!about)
                return;
            ran = true;
            whileShown(about);
            if (about->isVisible()) {
                ADD_FAILURE() << "the about box is still open";
                about->reject();
            }
        });
        QMenuBar *bar = win->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(win->acAbout()).center());
        EXPECT_TRUE(ran);
    }
    // The opacity as the fade sets it, 0 to 255.
    static int opacity(const QWidget *w) { return qRound(w->windowOpacity() * 255); }
    // One tick of the fade timer, as the timer delivers it.
    static void tick(QTimer *timer)
    {
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }

    std::unique_ptr<TfrmVimsel> window;
};

TEST_F(AboutBoxTest, ShowsTheProgramAndWhatItSupports)
{
    openAbout([](TfrmAbout *about) {
        EXPECT_EQ(about->windowTitle(), u"Σχετικά με την εφαρμογή"_s);
        EXPECT_EQ(about->size(), QSize(633, 436));
        EXPECT_TRUE(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(about->titleLabel()->text(), u"Έλεγχος συσκευών Arduino"_s);
        EXPECT_EQ(about->titleLabel()->font().pixelSize(), 19);
        EXPECT_TRUE(about->titleLabel()->font().bold());
        EXPECT_EQ(about->versionLabel()->text(), u"0.96 (Βήτα έκδοση 27/02/2022)"_s);
        for (QLabel *label : {about->titleLabel(), about->versionLabel(), about->descriptionLabel()}) {
            EXPECT_EQ(label->x(), 24);
            EXPECT_EQ(label->width(), 585);
        }
        // The product's "\n\r" separators show as line breaks, blanks kept.
        const QStringList lines = about->descriptionLabel()->text().split(u'\n');
        EXPECT_EQ(lines, TfrmAbout::descriptionText().split(u"\n\r"_s));
        EXPECT_EQ(lines.size(), 17);
        EXPECT_EQ(lines.value(3), u" ► Arduino Mega 2560"_s);
        EXPECT_EQ(lines.value(4), u" ► Arduino Mini "_s);
        EXPECT_EQ(about->descriptionLabel()->height(), 321);
        EXPECT_EQ(about->descriptionLabel()->palette().color(QPalette::WindowText), QColor(Qt::darkBlue));
        QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(5, 5));
    });
}

TEST_F(AboutBoxTest, FadesInEveryTimeItIsShown)
{
    for (int showing = 0; showing < 2; ++showing) {
        openAbout([](TfrmAbout *about) {
            QTimer *timer = about->fadeTimer();
            EXPECT_EQ(timer->interval(), 100);
            EXPECT_TRUE(timer->isActive());
            EXPECT_EQ(opacity(about), 0);
            QList<int> seen;
            for (int i = 0; i < 20 && timer->isActive(); ++i) {
                tick(timer);
                seen << opacity(about);
            }
            // The thirteenth tick sets 240 and makes the box opaque at once.
            EXPECT_EQ(seen, (QList<int>{0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 220, 255}));
            EXPECT_FALSE(timer->isActive());
            QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(300, 20));
        });
    }
}

TEST_F(AboutBoxTest, BecomesOpaqueAfterAboutOnePointThreeSeconds)
{
    openAbout([](TfrmAbout *about) {
        QElapsedTimer clock;
        clock.start();
        while (opacity(about) < 255 && clock.elapsed() < 5000)
            QTest::qWait(10);
        EXPECT_EQ(opacity(about), 255);
        EXPECT_GE(clock.elapsed(), 1100);
        QTest::mouseClick(about->versionLabel(), Qt::LeftButton);
    });
}

TEST_F(AboutBoxTest, ClickOnTheTextClosesItAtOnceInTheMiddleOfTheFade)
{
    openAbout([](TfrmAbout *about) {
        tick(about->fadeTimer());
        tick(about->fadeTimer());
        ASSERT_EQ(opacity(about), 20);
        QTest::mouseClick(about->descriptionLabel(), Qt::LeftButton, {}, QPoint(100, 200));
        EXPECT_FALSE(about->isVisible());
        EXPECT_FALSE(about->fadeTimer()->isActive());
    });
}

} // namespace
