// A number field in a block, as a pupil types into it: a click anywhere in it, even
// after the last digit, selects the whole number, so the typing replaces it.
#include "shell/ShellTestSupport.h"

namespace {

class NumberField : public ShellTest {};

TEST_F(NumberField, AClickSelectsTheWholeNumberSoTypingReplacesIt)
{
    auto window = makeWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TKeloBlock *wait = dragFromPalette(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, QPoint(200, 150));
    ASSERT_NE(wait, nullptr);
    TKeloEdit *edit = nullptr;
    for (TKeloEdit *e : widgetOf(wait)->findChildren<TKeloEdit *>())
        if (e->isVisible() && e->NumbersOnly())
            edit = e;
    ASSERT_NE(edit, nullptr);
    // After the last digit of "1000".
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->TextAreaWidth() - 2, edit->height() / 2));
    ASSERT_TRUE(edit->EditMode());
    QTest::keyClicks(edit->lineEdit(), u"13"_s);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(600, 500));
    QCoreApplication::processEvents();
    EXPECT_EQ(wait->GetParam1(), 13);
}

} // namespace
