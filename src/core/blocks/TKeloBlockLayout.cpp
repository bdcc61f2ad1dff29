// Outline, command-text layout and widths of TKeloBlock: what painting computes,
// kept here so that it can be checked without a window.
#include "blocks/TKeloBlock.h"

#include "blocks/Workspace.h"
#include "util/TextMeasurer.h"

#include <algorithm>

using namespace Qt::StringLiterals;

void TKeloBlock::BuildOutline()
{
    constexpr int q = nosw / 4;
    const int L = lnw, W = fWidth, H = fHeight;
    const int B = H - 1 - nosh;
    if (topNose)
        ActivePointUp = QPoint(L + nospadUp + 2 * q, L);
    if (botNose)
        ActivePointDn = QPoint(L + nospadDn + 2 * q, B);
    // A block read from a file gets its outline once it belongs to a workspace; there
    // blocks of one shape share the points of their outline.
    if (!fOwner)
        return;
    const BlockOutline::Shape shape{W, H, nospadUp, nospadDn, topNose, botNose};
    if (const BlockOutline *shared = fOwner->outline(shape)) {
        borderUp = shared->up;
        borderDn = shared->dn;
        a = shared->all;
        return;
    }

    QList<QPoint> up, dn;
    up.reserve(7);
    dn.reserve(7);
    up << QPoint() << QPoint(L, L);
    if (topNose) {
        const int ax = L + nospadUp, by = L;
        up << QPoint(ax, by) << QPoint(ax + q, by + nosh) << QPoint(ax + 3 * q, by + nosh) << QPoint(ax + 4 * q, by);
    }
    up << QPoint(W - 1, L);

    dn << QPoint() << QPoint(W - 1, B);
    if (botNose) {
        const int ax = L + nospadDn, by = B;
        dn << QPoint(ax + 4 * q, by) << QPoint(ax + 3 * q, by + nosh) << QPoint(ax + q, by + nosh) << QPoint(ax, by);
    }
    dn << QPoint(L, B);

    up.first() = dn.last() - QPoint(0, 2 * L);
    dn.first() = up.last();
    up.last() -= QPoint(2 * L, 0);

    borderUp = up;
    borderDn = dn;
    a = up + dn;
    fOwner->keepOutline(shape, BlockOutline{borderUp, borderDn, a});
}

int TKeloBlock::measure(const QString &text) const
{
    const TextMeasurer *m = fOwner ? fOwner->services().measurer : nullptr;
    return m ? m->textWidth(text, BlockFont::Command) : 0;
}

int TKeloBlock::editorWidth(const QString &text) const
{
    // A number field is as wide as its text (at least "0") plus 8.
    return std::max(measure(u"0"_s), measure(text)) + 8;
}

void TKeloBlock::drawText(int x, int y, const QString &text, TColor color)
{
    if (!text.isEmpty())
        fPieces.append(TextPiece{x, y, text, color});
}

QPoint TKeloBlock::textOrigin() const
{
    if (fParentBlock)
        return QPoint(marginLeft + 2, marginTop + 2);
    return QPoint(std::max(marginLeft, 10) + lnw, lnw + 2 + nosh + marginTop);
}

QString TKeloBlock::GetDisplayText() const
{
    QString t = fCommandText;
    auto replaceFirst = [&t](const QString &ph, const QString &with) {
        const qsizetype at = t.indexOf(ph);
        if (at >= 0)
            t.replace(at, ph.size(), with);
    };
    replaceFirst(u"%p1"_s, QString::number(GetParam1()));
    replaceFirst(u"%p2"_s, QString::number(GetParam2()));
    replaceFirst(u"%ps"_s, fParamStr);
    replaceFirst(u"%pd"_s, QString::number(GetParam1()));
    return t;
}

QString TKeloBlock::captionText() const
{
    QString t = fCommandText;
    const auto valueOf = [](const TKeloBlock *slot, const QString &own) { return slot ? slot->captionText() : own; };
    t.replace(u"%p1"_s, valueOf(FVarParam1, GetParam1Text()));
    t.replace(u"%p2"_s, valueOf(FVarParam2, GetParam2Text()));
    t.replace(u"%ps"_s, fParamStr);
    t.replace(u"%pd"_s, fParamD);
    return t.simplified();
}

void TKeloBlock::UpdateWidth()
{
    if (restoringLayout() || !hasParent())
        return;
    SetNewWidth(measure(GetDisplayText()) + 20);
    layoutCommandText();
}

void TKeloBlock::SetNewWidth(int nw)
{
    if (nw != fWidth)
        SetBounds(fLeft, fTop, nw, fHeight);
}

void TKeloBlock::layoutCommandText()
{
    // Laying out may set parameters (a condition fills its list), which asks for a
    // new layout; the one in progress already uses the new values.
    if (fLayingOut)
        return;
    fLayingOut = true;
    layoutPieces();
    fLayingOut = false;
}

void TKeloBlock::layoutPieces()
{
    fPieces.clear();
    ctrl1.visible = ctrl2.visible = ctrlS.visible = ctrlD.visible = false;
    const QPoint origin = textOrigin();
    const int x0 = origin.x(), y0 = origin.y();

    if (fTotalParams == 0 && !HasDeviceParam()) {
        drawText(x0, y0, fCommandText, CommandColor);
        SetNewWidth(x0 + measure(fCommandText) + 8);
        return;
    }

    struct Found {
        qsizetype pos;
        int which;
    };
    static const QString placeholders[] = {u"%p1"_s, u"%p2"_s, u"%ps"_s, u"%pd"_s};
    QList<Found> found;
    for (int i = 0; i < 4; ++i) {
        const qsizetype at = fCommandText.indexOf(placeholders[i]);
        if (at >= 0)
            found.append(Found{at, i});
    }
    std::sort(found.begin(), found.end(), [](const Found &l, const Found &r) { return l.pos < r.pos; });

    QString rest = fCommandText;
    int x = 0;
    qsizetype consumed = 0;
    for (const Found &f : found) {
        const QString piece = rest.left(f.pos - consumed);
        rest = rest.mid(f.pos - consumed + 3);
        consumed = f.pos + 3;
        drawText(x0 + x, y0, piece, CommandColor);
        x += measure(piece);
        int right = x0 + x;
        switch (f.which) {
        case 0: right = PlaceParam1(x0 + x, y0); break;
        case 1: right = PlaceParam2(x0 + x, y0); break;
        case 2: right = PlaceParamStr(x0 + x, y0); break;
        default: right = PlaceDeviceCombo(x0 + x, y0); break;
        }
        x = right - x0;
    }
    drawText(x0 + x, y0, rest, CommandColor);
    x += measure(rest);
    SetNewWidth(x0 + x + 8);
}

int TKeloBlock::restingWidth() const
{
    if (fPrototype)
        return fWidth;
    // The width of the last layout, with each number field as wide as its value at
    // rest instead of as wide as it was laid out (maybe while edited, maybe before the
    // field's own resize caught up with the typing).
    int width = fWidth;
    const auto resting = [&](const SlotEditor &editor, const TKeloBlock *value, int number) {
        if (!value && editor.visible)
            width += editorWidth(QString::number(number)) - editor.rect.width();
    };
    resting(ctrl1, FVarParam1, GetParam1());
    resting(ctrl2, FVarParam2, GetParam2());
    return width;
}

static int placeNumberSlot(TKeloBlock *self, SlotEditor &editor, TKeloBlock *value, int number, int x, int y)
{
    if (value) {
        value->SetBounds(x, y - 3, value->Width(), value->Height());
        return value->Left() + value->Width();
    }
    editor.text = QString::number(number);
    const int width = editor.editingWidth > 0 ? editor.editingWidth : self->editorWidth(editor.text);
    editor.rect = QRect(x, y, width, 16);
    editor.visible = true;
    return editor.rect.left() + editor.rect.width();
}

int TKeloBlock::PlaceParam1(int x, int y)
{
    if (fPrototype) {
        const QString t = QString::number(GetParam1());
        drawText(x, y, t, KeloColor::Yellow);
        return x + measure(t);
    }
    return placeNumberSlot(this, ctrl1, FVarParam1, GetParam1(), x, y);
}

int TKeloBlock::PlaceParam2(int x, int y)
{
    if (fPrototype) {
        const QString t = QString::number(GetParam2());
        drawText(x, y, t, KeloColor::Yellow);
        return x + measure(t);
    }
    return placeNumberSlot(this, ctrl2, FVarParam2, GetParam2(), x, y);
}

int TKeloBlock::PlaceParamStr(int x, int y)
{
    if (fPrototype) {
        drawText(x, y, fParamStr, KeloColor::Yellow);
        return x + measure(fParamStr);
    }
    ctrlS.text = fParamStr;
    ctrlS.rect = QRect(x, y, std::clamp(measure(fParamStr), 30, 250), 16);
    ctrlS.visible = true;
    return ctrlS.rect.left() + ctrlS.rect.width();
}

int TKeloBlock::PlaceDeviceCombo(int x, int y)
{
    if (fPrototype) {
        drawText(x, y, fParamD, KeloColor::Yellow);
        return x + measure(fParamD);
    }
    const int w = ctrlD.rect.width() > 0 ? ctrlD.rect.width() : 80;
    ctrlD.rect = QRect(x, y - 2, w, 16);
    ctrlD.visible = true;
    return ctrlD.rect.left() + ctrlD.rect.width();
}

bool TKeloBlock::Param1Visible() const
{
    return ctrl1.visible && fTotalParams >= 1;
}

bool TKeloBlock::Param2Visible() const
{
    return ctrl2.visible && fTotalParams >= 2;
}

QRect TKeloBlock::GetParam1Rect() const
{
    if (!ctrl1.visible || fTotalParams < 1)
        return QRect();
    return ctrl1.rect.translated(fLeft, fTop);
}

QRect TKeloBlock::GetParam2Rect() const
{
    if (!ctrl2.visible || fTotalParams < 2)
        return QRect();
    return ctrl2.rect.translated(fLeft, fTop);
}
