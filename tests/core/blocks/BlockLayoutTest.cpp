#include "support/ProjectFixture.h"

#include "blocks/TKeloLoopBlock.h"
#include "project/BlockWriter.h"
#include "devices/DeviceTypes.h"
#include "util/KeloColor.h"

namespace {

TEST(BlockOutline, NotchTabAndSnapPoints)
{
    Workspace ws({});
    TKeloBlock *b = ws.createFloat<TKeloBlock>();
    EXPECT_EQ(b->ActivePointUp, QPoint(28, 2));
    EXPECT_EQ(b->ActivePointDn, QPoint(28, 37));
    const QList<QPoint> up{{2, 33}, {2, 2}, {22, 2}, {25, 8}, {31, 8}, {34, 2}, {145, 2}};
    const QList<QPoint> dn{{149, 2}, {149, 37}, {34, 37}, {31, 43}, {25, 43}, {22, 37}, {2, 37}};
    EXPECT_EQ(b->borderUp, up);
    EXPECT_EQ(b->borderDn, dn);
    EXPECT_EQ(b->a, up + dn);

    auto *loop = ws.createFloat<TKeloLoopBlock>();
    EXPECT_EQ(loop->ActivePointDn, QPoint(48, 37));
}

TEST(KeloColors, LighterDarkerAndHtml)
{
    using namespace KeloColor;
    EXPECT_EQ(LighterColor(rgb(0, 0, 0), 40), rgb(0x66, 0x66, 0x66));
    EXPECT_EQ(DarkerColor(rgb(255, 255, 255), 40), rgb(0x99, 0x99, 0x99));
    EXPECT_EQ(LighterColor(rgb(255, 0, 0), 30), rgb(0xFF, 0x4D, 0x4D));
    EXPECT_EQ(HtmlToColor(u"#084B8A"_s), rgb(0x08, 0x4B, 0x8A));
}

class BlockLayout : public ProjectFixture {};

TEST_F(BlockLayout, PlainTextWidth)
{
    TKeloBlock *b = place(u"Έναρξη προγράμματος"_s);
    // x0 = 12 with default margins; 19 characters of 7 pixels; 8 to spare.
    EXPECT_EQ(b->Width(), 12 + 19 * 7 + 8);
}

TEST_F(BlockLayout, EditorsFollowTheirPlaceholdersInTextOrder)
{
    TKeloBlock *b = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    b->SetTotalParams(2);
    b->SetCommandText(u"ab %p2 cd %p1 ef %p1"_s);
    ASSERT_TRUE(b->ctrl1.visible && b->ctrl2.visible);
    EXPECT_LT(b->ctrl2.rect.left(), b->ctrl1.rect.left());
    EXPECT_EQ(b->ctrl2.rect.left(), 12 + 3 * 7);
    // The second "%p1" is plain text.
    EXPECT_EQ(b->textPieces().last().text, u" ef %p1"_s);
    EXPECT_EQ(b->Width(), b->ctrl1.rect.right() + 1 + 7 * 7 + 8);
}

TEST_F(BlockLayout, AFieldBeingEditedWidensTheBlockButNotTheKeptWidth)
{
    TKeloBlock *b = place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    b->SetParam1(500);
    const int resting = b->Width();
    const QByteArray program = BlockWriter::writeProgram(ws());

    // The field with its spinner is 60 wide while the pupil types into it.
    b->ctrl1.editingWidth = 60;
    b->layoutCommandText();
    EXPECT_GT(b->Width(), resting);
    EXPECT_EQ(b->restingWidth(), resting);
    EXPECT_EQ(BlockWriter::writeProgram(ws()), program);

    b->ctrl1.editingWidth = 0;
    b->layoutCommandText();
    EXPECT_EQ(b->Width(), resting);
}

TEST_F(BlockLayout, TextEditorWidthIsLimited)
{
    project.devices().AddDevice(DeviceTypes::LCD_Serial, &prompt);
    TKeloBlock *b = place(u"Τύπωσε στην LCD κείμενο %ps "_s);
    b->SetParamStr(QString(100, u'x'));
    EXPECT_EQ(b->ctrlS.rect.width(), 250);
    b->SetParamStr(QString());
    EXPECT_EQ(b->ctrlS.rect.width(), 30);
}

TEST_F(BlockLayout, NarrowDeviceListIs74Wide)
{
    project.devices().AddDevice(DeviceTypes::Laser, &prompt);
    TKeloBlock *b = place(u"%pd → Ενεργοποίησε το Laser/LED "_s);
    b->SetParamD(u"ab"_s);
    EXPECT_EQ(b->ctrlD.rect.width(), 74);
    b->DeviceComboChange(0);
    EXPECT_EQ(b->ctrlD.rect.width(), 10 * 7 + 44);  // "LaserLED_0"
}

TEST_F(BlockLayout, PrototypesDrawValuesInYellow)
{
    TKeloBlock *proto = pb.prototype(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);
    ASSERT_NE(proto, nullptr);
    EXPECT_FALSE(proto->ctrl1.visible);
    bool found = false;
    for (const TextPiece &p : proto->textPieces())
        found |= p.text == u"1000"_s && p.color == KeloColor::Yellow;
    EXPECT_TRUE(found);
}

TEST_F(BlockLayout, DisabledLookRemembersTheFill)
{
    TKeloBlock *b = place(u"Έναρξη προγράμματος"_s);
    const TColor fill = b->Color();
    b->SetEnabled(false);
    b->applyDisabledLook();
    b->applyDisabledLook();
    EXPECT_EQ(b->Color(), KeloColor::Gray);
    EXPECT_EQ(b->enblColor, fill);
    b->SetEnabled(true);
    b->applyDisabledLook();
    EXPECT_EQ(b->Color(), fill);
}

} // namespace
