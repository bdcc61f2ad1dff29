#include "blocks/TKeloEdit.h"
#include "blocks/TKeloUpDown.h"
#include "KeloEditHost.h"

#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString separator()
{
    return QLocale().decimalPoint().left(1);
}

// An editor set up as a block's number editor: block range, auto-size.
class KeloEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit = new TKeloEdit(host.block);
        edit->move(40, 12);
        edit->SetAutoSize(true);
        edit->SetMin(-32767);
        edit->SetMax(32768);
        edit->SetValue(0);
        ASSERT_TRUE(host.showActive());
    }

    // Press and release without movement: the way editing starts.
    void clickEdit(QPoint at = QPoint(2, 2))
    {
        QTest::mouseClick(edit, Qt::LeftButton, {}, at);
    }

    KeloEditHost host;
    TKeloEdit *edit = nullptr;
};

TEST_F(KeloEditTest, ValueIsClampedToTheBlockRange)
{
    QSignalSpy changed(edit, &TKeloEdit::changed);
    edit->SetValue(40000);
    EXPECT_EQ(edit->Text(), u"32768"_s);
    edit->SetValue(-40000);
    EXPECT_EQ(edit->Text(), u"-32767"_s);
    edit->SetValue(-5);
    EXPECT_EQ(edit->Value(), -5);
    EXPECT_EQ(changed.count(), 3);

    // Writing the same text again is no change.
    edit->SetText(u"-5"_s);
    EXPECT_EQ(changed.count(), 3);

    // A free-text field takes any number as it is.
    edit->SetNumbersOnly(false);
    edit->SetValue(40000);
    EXPECT_EQ(edit->Text(), u"40000"_s);
}

TEST(KeloEditFresh, SpinnerRangeStaysZeroUntilMinOrMaxIsWritten)
{
    TKeloEdit edit;
    EXPECT_TRUE(edit.NumbersOnly());
    EXPECT_TRUE(edit.UseUpDn());
    EXPECT_EQ(edit.Max(), 100);
    ASSERT_NE(edit.upDown(), nullptr);
    EXPECT_EQ(edit.upDown()->Min(), 0);
    EXPECT_EQ(edit.upDown()->Max(), 0);
    EXPECT_TRUE(edit.upDown()->isHidden());

    edit.SetMax(100);
    EXPECT_EQ(edit.upDown()->Max(), 100);
    edit.SetMin(-5);
    EXPECT_EQ(edit.upDown()->Min(), -5);

    edit.SetUseUpDn(false);
    EXPECT_EQ(edit.upDown(), nullptr);
}

TEST_F(KeloEditTest, ClickWithoutMovementStartsEditing)
{
    clickEdit();
    EXPECT_TRUE(edit->EditMode());
    ASSERT_NE(edit->lineEdit(), nullptr);
    EXPECT_TRUE(edit->lineEdit()->isVisible());
    EXPECT_TRUE(edit->lineEdit()->hasFocus());
    ASSERT_NE(edit->upDown(), nullptr);
    EXPECT_TRUE(edit->upDown()->isVisible());
    // The spinner sits right of the text area and widens the control.
    EXPECT_EQ(edit->upDown()->x(), edit->TextAreaWidth());
    EXPECT_EQ(edit->width(), edit->TextAreaWidth() + edit->upDown()->width());
    EXPECT_EQ(edit->upDown()->height(), edit->height());
}

TEST_F(KeloEditTest, PressAndMoveHandsTheDragToTheBlock)
{
    QSignalSpy started(edit, &TKeloEdit::dragStarted);
    QSignalSpy released(edit, &TKeloEdit::dragReleased);
    QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_TRUE(host.block->hasFocus());
    QTest::mouseMove(edit, QPoint(4, 4));
    ASSERT_EQ(started.count(), 1);
    EXPECT_EQ(started.at(0).at(0).toPoint(), QPoint(44, 16));  // in the block's coordinates
    QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(9, 4));

    EXPECT_FALSE(edit->EditMode());
    EXPECT_EQ(started.count(), 1);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toPoint(), QPoint(49, 16));
}

TEST_F(KeloEditTest, MinusOnlyOnceAndOnlyAtTheStart)
{
    clickEdit();
    QLineEdit *line = edit->lineEdit();
    line->setText(u"12"_s);
    line->setCursorPosition(2);
    QTest::keyClick(line, '-');
    EXPECT_EQ(edit->Text(), u"12"_s);
    QTest::keyClicks(line, u"a 7"_s);
    EXPECT_EQ(edit->Text(), u"127"_s);

    line->setCursorPosition(0);
    QTest::keyClick(line, '-');
    EXPECT_EQ(edit->Text(), u"-127"_s);
    line->setCursorPosition(0);
    QTest::keyClick(line, '-');
    EXPECT_EQ(edit->Text(), u"-127"_s);

    // Editing keys still work.
    line->setCursorPosition(4);
    QTest::keyClick(line, Qt::Key_Backspace);
    EXPECT_EQ(edit->Text(), u"-12"_s);
}

TEST_F(KeloEditTest, LoneMinusIsNotAValueYet)
{
    clickEdit();
    edit->lineEdit()->clear();
    QSignalSpy changed(edit, &TKeloEdit::changed);
    QTest::keyClick(edit->lineEdit(), '-');
    ASSERT_EQ(edit->Text(), u"-"_s);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(edit->valueIsWhole());
    QTest::keyClick(edit->lineEdit(), '5');
    EXPECT_TRUE(edit->valueIsWhole());
    EXPECT_EQ(edit->Value(), -5);
}

TEST_F(KeloEditTest, LeavingEditModeClampsAndNormalises)
{
    edit->SetMin(0);
    edit->SetMax(100);
    struct Case { QString typed; QString left; };
    const Case cases[] = {
        {u"1"_s + separator() + u"5"_s, u"0"_s},
        {u"250"_s, u"100"_s},
        {u"-"_s, u"0"_s},
        {u"007"_s, u"7"_s},
        {u""_s, u"0"_s},
    };
    for (const Case &c : cases) {
        clickEdit();
        ASSERT_TRUE(edit->lineEdit()->hasFocus());
        edit->lineEdit()->clear();
        QTest::keyClicks(edit->lineEdit(), c.typed);
        ASSERT_EQ(edit->Text(), c.typed);
        host.elsewhere->setFocus(Qt::MouseFocusReason);
        EXPECT_FALSE(edit->EditMode()) << c.typed.toStdString();
        EXPECT_EQ(edit->Text(), c.left) << c.typed.toStdString();
        EXPECT_EQ(edit->SelStart(), 0);
        EXPECT_FALSE(edit->lineEdit()->isVisible());
        EXPECT_TRUE(edit->upDown()->isHidden());
    }
}

TEST_F(KeloEditTest, SpinnerStepsWithinTheRange)
{
    edit->SetMin(0);
    edit->SetMax(10);
    edit->SetValue(9);
    clickEdit();
    QSignalSpy changed(edit, &TKeloEdit::changed);
    TKeloUpDown *spin = edit->upDown();
    QTest::mouseClick(spin->upButton(), Qt::LeftButton);
    EXPECT_EQ(edit->Text(), u"10"_s);
    QTest::mouseClick(spin->upButton(), Qt::LeftButton);
    EXPECT_EQ(edit->Text(), u"10"_s);
    EXPECT_EQ(changed.count(), 1);
    QTest::keyClick(edit->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(edit->Text(), u"9"_s);
    // Clicking the spinner keeps the field in edit mode.
    EXPECT_TRUE(edit->EditMode());

    // Typed text moves the spinner along.
    edit->lineEdit()->clear();
    QTest::keyClicks(edit->lineEdit(), u"3"_s);
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(edit->Text(), u"2"_s);
}

TEST_F(KeloEditTest, WidthFollowsTheText)
{
    const QFontMetrics fm(edit->font());
    edit->SetText(QString());
    EXPECT_EQ(edit->width(), fm.horizontalAdvance(u"0"_s) + 8);
    EXPECT_EQ(edit->height(), fm.height());
    edit->SetText(u"-32767"_s);
    EXPECT_EQ(edit->width(), fm.horizontalAdvance(u"-32767"_s) + 8);
}

TEST(KeloEditSizing, WithoutAWindowTheWidthStays)
{
    // Not yet in a block on a window: nothing is measured, and entering and
    // leaving edit mode does not make the control grow.
    QWidget block;
    TKeloEdit edit(&block);
    edit.resize(40, 16);
    edit.SetAutoSize(true);
    EXPECT_EQ(edit.TextAreaWidth(), 40);
    for (int i = 0; i < 3; ++i) {
        edit.SetEditMode(true);
        edit.SetEditMode(false);
    }
    EXPECT_EQ(edit.width(), 40);
}

TEST_F(KeloEditTest, ColourFollowsTheBlock)
{
    EXPECT_EQ(edit->Color(), QColor(0xFF, 0x4D, 0x4D));  // #FF0000 lightened by 30
    host.block->setProperty("keloColor", QColor(0, 0, 0));
    EXPECT_EQ(edit->Color(), QColor(0x4D, 0x4D, 0x4D));
    // Blocks may also hand over their stored colour value (red in the low byte).
    host.block->setProperty("keloColor", 0x0000FF);
    EXPECT_EQ(edit->Color(), QColor(0xFF, 0x4D, 0x4D));

    // Without the property the palette's window colour counts.
    QWidget plain;
    QPalette pal = plain.palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 0));
    plain.setPalette(pal);
    TKeloEdit field(&plain);
    EXPECT_EQ(field.Color(), QColor(0x4D, 0x4D, 0x4D));
}

TEST_F(KeloEditTest, HoverLightensTheDisplay)
{
    edit->SetText(u"1"_s);
    const QPoint corner(edit->TextAreaWidth() - 1, edit->height() - 1);
    auto fillAt = [&] {
        QImage img(edit->size(), QImage::Format_RGB32);
        edit->render(&img);
        return QColor(img.pixel(corner));
    };
    EXPECT_EQ(fillAt(), QColor(0xFF, 0x4D, 0x4D));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(edit->mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(edit, &enter);
    EXPECT_TRUE(edit->Hovered());
    EXPECT_EQ(fillAt(), QColor(0xFF, 0xA6, 0xA6));  // lightened by 50 more
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(edit, &leave);
    EXPECT_EQ(fillAt(), QColor(0xFF, 0x4D, 0x4D));
}

TEST_F(KeloEditTest, FreeTextDrawsItsDigitsRed)
{
    edit->SetNumbersOnly(false);
    edit->SetColor(Qt::white);
    edit->SetFontColor(Qt::black);
    edit->SetText(u"A1B2"_s);
    QImage img(edit->size(), QImage::Format_RGB32);
    edit->render(&img);

    const QFontMetrics fm(edit->font());
    auto redPixelsIn = [&](const QString &before, const QString &piece) {
        const int x0 = fm.horizontalAdvance(before);
        const int x1 = x0 + fm.horizontalAdvance(piece);
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < img.height(); ++y)
                if (img.pixel(x, y) == qRgb(255, 0, 0))
                    ++n;
        return n;
    };
    EXPECT_EQ(redPixelsIn(u""_s, u"A"_s), 0);
    EXPECT_GT(redPixelsIn(u"A"_s, u"1"_s), 0);
    EXPECT_EQ(redPixelsIn(u"A1"_s, u"B"_s), 0);
    EXPECT_GT(redPixelsIn(u"A1B"_s, u"2"_s), 0);

    edit->SetNumbersOnly(true);
    edit->render(&img);
    EXPECT_EQ(redPixelsIn(u"A"_s, u"1"_s), 0);
}

} // namespace
