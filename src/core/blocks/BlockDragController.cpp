#include "blocks/BlockDragController.h"

#include "blocks/KeloError.h"
#include "blocks/TKeloCompanionBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "blocks/Workspace.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"

using namespace Qt::StringLiterals;

bool BlockDragController::IsNear(QPoint p, QPoint q, int radius)
{
    // 64-bit: blocks far apart on a large canvas would overflow int.
    const qint64 dx = qint64(p.x()) - q.x(), dy = qint64(p.y()) - q.y();
    return dx * dx + dy * dy < qint64(radius) * radius;
}

static bool isValueBlock(const TKeloBlock *b)
{
    return b->Tag == TKeloVarBlock::ValueTag;
}

TKeloBlock *BlockDragController::press(TKeloBlock *b, QPoint pos, QPoint protoPosInWindow)
{
    if (!b || !b->Enabled())
        return nullptr;
    if (b->prototype()) {
        TKeloBlock *copy = b->createNewBlock();
        copy->assignFrom(*b);
        copy->SetNewlyCreated(false);
        copy->SetBounds(protoPosInWindow.x(), protoPosInWindow.y(), copy->Width(), copy->Height());
        copy->BringToFront();
        fDragging = copy;
        fDragStarted = false;
        fP1 = pos;
        return copy;
    }
    if (dynamic_cast<TKeloCompanionBlock *>(b))
        return nullptr;
    // Not raised yet: the order of the blocks is the order of the project file, and a
    // click (to type into a field, say) changes nothing.
    fDragging = b;
    fDragStarted = false;
    fP1 = pos;
    return b;
}

QPoint BlockDragController::move(TKeloBlock *b, QPoint pos)
{
    if (!b || b != fDragging)
        return {};
    const QPoint d = pos - fP1;
    if (!fDragStarted) {
        if (d.manhattanLength() < DragDistance)
            return {};
        fDragStarted = true;
        b->BringToFront();
    }
    if (!d.isNull())
        b->SetBounds(TKeloBlock::clampedCoordinate(qint64(b->Left()) + d.x()),
                     TKeloBlock::clampedCoordinate(qint64(b->Top()) + d.y()), b->Width(), b->Height());
    if (b->prototype())
        return {};
    QPoint pointerShift;
    BlockArea &canvas = fWs.canvas();
    if (b->parentArea() == &fWs.mainWindowArea()) {
        // A fresh copy on its way from the palette enters the canvas.
        if (canvasRectInWindow.contains(b->Left(), b->Top())) {
            b->SetParent(&canvas);
            b->SetBounds(b->Left() - canvasRectInWindow.left(), b->Top() - canvasRectInWindow.top(), b->Width(),
                         b->Height());
        }
        return {};
    }
    if (b->parentArea() == &canvas) {
        b->FillComboBox();
        pointerShift = autoScroll(b);
    } else if (TKeloBlock *host = b->parentBlock()) {
        // Pulled out of a slot: the block goes back to the host's parent.
        const int left = TKeloBlock::clampedCoordinate(qint64(b->Left()) + host->Left());
        const int top = TKeloBlock::clampedCoordinate(qint64(b->Top()) + host->Top());
        b->SetSameParentAs(host);
        b->SetBounds(left, top, b->Width(), b->Height());
        if (host->VarParam1() == b)
            host->SetVarParam1(nullptr);
        else if (host->VarParam2() == b)
            host->SetVarParam2(nullptr);
    }
    if (isValueBlock(b))
        findSlotTarget(b);
    else
        FindAttachTarget(b);
    return pointerShift;
}

QPoint BlockDragController::autoScroll(TKeloBlock *b)
{
    BlockArea &c = fWs.canvas();
    QPoint shift;
    int x = c.scrollX, y = c.scrollY;
    const qint64 right = qint64(b->Left()) + b->Width(), bottom = qint64(b->Top()) + b->Height();
    if (std::max(c.clientWidth, c.hRange) < c.scrollX + right)
        c.hRange = c.clientWidth + c.hRange + 400;
    if (c.clientWidth < right) {
        x += 100;
        shift.rx() -= 100;
    } else if (b->Left() < 0 && x > 0) {
        x = std::max(0, x - 100);
        shift.rx() += x == c.scrollX ? 0 : c.scrollX - x;
    }
    if (std::max(c.clientHeight, c.vRange) < c.scrollY + bottom)
        c.vRange = c.clientHeight + c.vRange + 400;
    if (c.clientHeight < bottom) {
        y += 100;
        shift.ry() -= 100;
    } else if (b->Top() < 0 && y > 0) {
        y = std::max(0, y - 100);
        shift.ry() += c.scrollY - y;
    }
    fWs.scrollCanvasTo(x, y);
    return shift;
}

void BlockDragController::clearTarget()
{
    if (fTarget) {
        fTarget->CtrlAttachUp = false;
        fTarget->CtrlAttachDn = false;
    }
    fTarget = nullptr;
    if (fSlotTarget) {
        fSlotTarget->Param1Attaching = false;
        fSlotTarget->Param2Attaching = false;
    }
    fSlotTarget = nullptr;
    fSlot = 0;
}

void BlockDragController::FindAttachTarget(TKeloBlock *b)
{
    clearTarget();
    if (b->parentArea() != &fWs.canvas())
        return;
    const QPoint at = b->BoundsRect().topLeft();
    for (TKeloBlock *c : fWs.canvas().children()) {
        if (!c->Visible())
            continue;
        const QPoint cat = c->BoundsRect().topLeft();
        if (b->topNose && c->botNose && IsNear(b->ActivePointUp + at, c->ActivePointDn + cat)) {
            fTarget = c;
            c->CtrlAttachDn = true;
            return;
        }
        if (b->botNose && c->topNose && c != b->firstBlock() && IsNear(b->ActivePointDn + at, c->ActivePointUp + cat)) {
            fTarget = c;
            c->CtrlAttachUp = true;
            return;
        }
    }
}

void BlockDragController::findSlotTarget(TKeloBlock *b)
{
    clearTarget();
    if (b->parentArea() != &fWs.canvas())
        return;
    const QRect bounds = b->BoundsRect();
    for (TKeloBlock *c : fWs.canvas().children()) {
        if (c == b || isValueBlock(c))
            continue;
        const QRect r1 = c->GetParam1Rect();
        if (!r1.isEmpty() && c->Param1Visible() && r1.intersects(bounds)) {
            fSlotTarget = c;
            fSlot = 1;
            c->Param1Attaching = true;
            return;
        }
        const QRect r2 = c->GetParam2Rect();
        if (!r2.isEmpty() && c->Param2Visible() && r2.intersects(bounds)) {
            fSlotTarget = c;
            fSlot = 2;
            c->Param2Attaching = true;
            return;
        }
    }
}

bool BlockDragController::overTrash(const TKeloBlock *b) const
{
    const BlockArea &c = fWs.canvas();
    const QPoint corner(b->Left(), b->Top());
    // Another block covering the corner is found before the trash picture.
    for (const TKeloBlock *o : c.children())
        if (o != b && o->Visible() && o->Enabled() && o->BoundsRect().contains(corner))
            return false;
    return trashRect.translated(-c.scrollX, -c.scrollY).contains(corner);
}

BlockDragController::Outcome BlockDragController::release(TKeloBlock *b)
{
    if (!b || b != fDragging)
        return Outcome::None;
    fDragging = nullptr;
    BlockArea &canvas = fWs.canvas();
    if (!fDragStarted && b->parentArea() != &fWs.mainWindowArea()) {
        clearTarget();
        return Outcome::None;
    }
    if (b->parentArea() == &fWs.mainWindowArea()) {
        clearTarget();
        fWs.destroyBlock(b);
        return Outcome::Destroyed;
    }
    if (b->NewlyCreated()) {
        // Only a block read from a file that stored "never placed" gets here.
        b->Id = fWs.dropCounter++;
        b->SetNewlyCreated(false);
    }
    if (b->parentArea() == &canvas && overTrash(b)) {
        clearTarget();
        if (TKeloBlock *pred = b->LinkFrom())
            b->Detach(pred);
        fWs.destroyBlock(b);
        return Outcome::Deleted;
    }

    if (isValueBlock(b)) {
        TKeloBlock *host = fSlotTarget;
        const int slot = fSlot;
        clearTarget();
        if (!host)
            return Outcome::Dropped;
        try {
            if (slot == 1)
                host->SetVarParam1(b);
            else
                host->SetVarParam2(b);
        } catch (const KeloError &e) {
            if (fPrompt)
                fPrompt->showMessage(e.message(), UserPrompt::Icon::Error);
            return Outcome::Dropped;
        }
        return Outcome::SlotFilled;
    }

    TKeloBlock *t = fTarget;
    if (t == b->firstBlock())
        t = nullptr;
    Outcome outcome = Outcome::Dropped;
    auto log = [this](const QString &line) {
        if (fWs.services().log)
            fWs.services().log->AddDebug(line);
    };
    if (t && (t->CtrlAttachUp != t->CtrlAttachDn)) {
        if (t->CtrlAttachUp && t->LinkFrom() != b) {
            log(u"attach UP "_s + QString::number(b->Id) + u" to "_s + QString::number(t->Id));
            TKeloBlock *p = t->LinkFrom(), *f = b->LinkFrom(), *n = b->firstBlock();
            if (p)
                t->Detach(p);
            if (f)
                b->Detach(f);
            if (n)
                b->Detach(n);
            b->Attach(t, true);
            if (p && b->topNose)
                p->Attach(b, true);
            outcome = Outcome::Snapped;
        } else if (t->CtrlAttachDn && t->firstBlock() != b) {
            log(u"attach DN "_s + QString::number(b->Id) + u" to "_s + QString::number(t->Id));
            TKeloBlock *n = t->firstBlock(), *f = b->LinkFrom();
            if (n)
                t->Detach(n);
            if (f)
                b->Detach(f);
            b->Attach(t, false);
            if (n && b->botNose) {
                TKeloBlock *last = b;
                for (int guard = 0; last->firstBlock() && guard < (1 << 24); ++guard)
                    last = last->firstBlock();
                log(u"attach Up "_s + QString::number(b->Id) + u" to "_s + QString::number(n->Id));
                last->Attach(n, true);
                // The appended blocks join the dropped chain on screen too, also
                // when the dropped block itself ends exactly where it was.
                n->FollowLinkFrom(last);
            }
            outcome = Outcome::Snapped;
        }
        t->FollowLinkFrom(nullptr);
        b->FollowLinkFrom(nullptr);
    } else if (!t && b->LinkFrom()) {
        b->Detach(b->LinkFrom());
        outcome = Outcome::Detached;
    }
    clearTarget();
    b->CtrlAttachUp = b->CtrlAttachDn = false;
    if (TKeloBlock *pred = b->LinkFrom())
        pred->ChainChanged();
    return outcome;
}
