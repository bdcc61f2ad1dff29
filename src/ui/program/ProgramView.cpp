#include "program/ProgramView.h"

#include "blocks/BlockDragController.h"
#include "blocks/TKeloBlock.h"
#include "program/BlockWidget.h"
#include "project/Project.h"

#include <QApplication>
#include <QCursor>
#include <QSet>
#include <QWidget>

ProgramView::ProgramView(Project &project, UserPrompt *prompt, QObject *parent)
    : QObject(parent), fProject(project), fPrompt(prompt),
      fDrag(new BlockDragController(project.workspace(), prompt))
{
}

ProgramView::~ProgramView()
{
    delete fDrag;
}

QPoint ProgramView::areaOffset(const BlockArea *area) const
{
    return area && area->isCanvas() ? QPoint(area->scrollX, area->scrollY) : QPoint();
}

// Blocks on the canvas get a widget only while they are in view or near it: a
// program of thousands of blocks shows a few dozen at a time, and scrolling brings
// in the rest. Blocks elsewhere (the palette, a copy being pulled in) always have one.
bool ProgramView::inView(const TKeloBlock *b) const
{
    const TKeloBlock *top = b;
    while (top->parentBlock())
        top = top->parentBlock();
    const BlockArea *area = top->parentArea();
    if (!area)
        return top == fDragging;
    if (!area->isCanvas() || top == fDragging)
        return true;
    const QRect seen(-ViewMargin, -ViewMargin, area->clientWidth + 2 * ViewMargin,
                     area->clientHeight + 2 * ViewMargin);
    return top->BoundsRect().intersects(seen);
}

// A widget being typed into, or holding the mouse, stays even when its block
// scrolls out of view: taking it away would lose the typing or the gesture.
bool ProgramView::busy(const BlockWidget *w) const
{
    if (w == fGrabber)
        return true;
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == w || w->isAncestorOf(focus));
}

void ProgramView::sync()
{
    Workspace &ws = fProject.workspace();
    // The layout comes first: it settles the blocks' sizes, and with them where the
    // blocks below sit and which are in view. A host's layout depends on the widths
    // of the value blocks in its slots: those are laid out first.
    for (TKeloBlock *b : ws.components())
        if (b->parentBlock())
            b->layoutCommandText();
    for (TKeloBlock *b : ws.components())
        if (!b->parentBlock())
            b->layoutCommandText();
    syncInView();
}

void ProgramView::syncInView()
{
    Workspace &ws = fProject.workspace();
    QHash<const TKeloBlock *, bool> shown;
    shown.reserve(qsizetype(ws.components().size()));
    for (const TKeloBlock *b : ws.components())
        shown.insert(b, inView(b));
    for (auto it = fWidgets.begin(); it != fWidgets.end();) {
        const auto found = shown.constFind(it.key());
        const bool alive = found != shown.cend() && it.key()->serial() == it.value()->serial();
        if (!alive || (!found.value() && !busy(it.value()))) {
            if (!alive && it.key() == fHighlighted)
                fHighlighted = nullptr;
            if (it.key() == fPointed)
                setPointed(nullptr);
            if (!alive && it.key() == fSelected)
                setSelected(nullptr);
            BlockWidget *w = it.value();
            w->forget();
            w->hide();
            w->deleteLater();
            it = fWidgets.erase(it);
        } else {
            ++it;
        }
    }
    // Widgets first, parents second: a value block may have been created before its host.
    for (TKeloBlock *b : ws.components())
        if (shown.value(b) && !fWidgets.contains(b))
            fWidgets.insert(b, new BlockWidget(b, this, nullptr));
    // Hosts move the value blocks in their slots into place: those are placed last.
    for (TKeloBlock *b : ws.components()) {
        BlockWidget *w = fWidgets.value(b);
        if (!w)
            continue;
        QWidget *parent = parentWidgetFor(b);
        if (!parent) {
            w->hide();
            continue;
        }
        if (w->parentWidget() != parent) {
            const bool grabbed = w == fGrabber;
            fStackedRevision.clear();
            w->setParent(parent);
            if (grabbed)
                w->grabMouse();
        }
        w->syncFromModel();
    }
    for (TKeloBlock *b : ws.components())
        if (b->parentBlock())
            if (BlockWidget *w = fWidgets.value(b))
                w->syncGeometry();
    restack();
    emit synced();
}

QWidget *ProgramView::parentWidgetFor(const TKeloBlock *b) const
{
    if (b->parentArea())
        return widgetForArea(b->parentArea());
    return b->parentBlock() ? fWidgets.value(b->parentBlock(), nullptr) : nullptr;
}

void ProgramView::restack()
{
    Workspace &ws = fProject.workspace();
    for (const BlockArea *area : {&ws.canvas(), &ws.mainWindowArea()}) {
        if (fStackedRevision.value(area, ~0u) == area->orderRevision())
            continue;
        fStackedRevision.insert(area, area->orderRevision());
        for (const TKeloBlock *b : area->children())
            if (BlockWidget *w = fWidgets.value(b))
                w->raise();
    }
}

void ProgramView::syncPositions(std::initializer_list<TKeloBlock *> refresh)
{
    Workspace &ws = fProject.workspace();
    for (TKeloBlock *b : ws.components()) {
        BlockWidget *w = fWidgets.value(b);
        if (!w) {
            if (inView(b)) {
                // A block came into view: it needs a widget.
                sync();
                return;
            }
            continue;
        }
        QWidget *parent = parentWidgetFor(b);
        if (w->serial() != b->serial() || w->parentWidget() != parent) {
            sync();
            return;
        }
        w->syncGeometry();
    }
    if (ws.components().size() < size_t(fWidgets.size())) {
        sync();
        return;
    }
    for (TKeloBlock *b : refresh)
        if (BlockWidget *w = b ? fWidgets.value(b) : nullptr)
            w->syncFromModel();
    restack();
}

void ProgramView::setHighlighted(const TKeloBlock *b)
{
    if (BlockWidget *old = fWidgets.value(fHighlighted))
        old->update();
    fHighlighted = b;
    if (BlockWidget *now = fWidgets.value(b))
        now->update();
}

void ProgramView::setPointed(const TKeloBlock *b)
{
    if (b == fPointed)
        return;
    fPointed = b;
    emit pointedChanged(b);
}

void ProgramView::setSelected(const TKeloBlock *b)
{
    if (b == fSelected)
        return;
    fSelected = b;
    emit selectedChanged(b);
}

void ProgramView::pointerEntered(BlockWidget *w)
{
    const TKeloBlock *b = w->block();
    setPointed(b && !b->prototype() ? b : nullptr);
}

// Leaving a value block goes back into its host, which gets no enter of its own.
void ProgramView::pointerLeft(BlockWidget *w)
{
    if (!w->block() || fPointed != w->block())
        return;
    const TKeloBlock *host = nullptr;
    for (QWidget *p = w->parentWidget(); p && !host; p = p->parentWidget())
        if (auto *bw = qobject_cast<BlockWidget *>(p); bw && bw->underMouse() && bw->block()
                                                       && !bw->block()->prototype())
            host = bw->block();
    setPointed(host);
}

void ProgramView::pressed(BlockWidget *w, QPoint global)
{
    setHighlighted(nullptr);
    TKeloBlock *b = w->block();
    if (!b)
        return;
    if (!b->prototype())
        setSelected(b);
    QPoint protoPos;
    if (b->prototype())
        if (QWidget *window = widgetForArea(&fProject.workspace().mainWindowArea()))
            protoPos = w->mapTo(window, QPoint(0, 0));
    fDragging = fDrag->press(b, w->mapFromGlobal(global), protoPos);
    if (fDragging) {
        // A value block pulled out of a slot changes its parent widget during the
        // drag; it keeps the mouse through an explicit grab.
        fGrabber = fDragging == b ? w : nullptr;
        sync();
    }
}

void ProgramView::moved(QPoint global)
{
    if (!fDragging)
        return;
    BlockWidget *w = fWidgets.value(fDragging);
    if (!w)
        return;
    const int scrollX = fProject.workspace().canvas().scrollX, scrollY = fProject.workspace().canvas().scrollY;
    TKeloBlock *oldTarget = fDrag->target();
    int slot = 0;
    TKeloBlock *oldSlot = fDrag->slotTarget(&slot);
    const QPoint shift = fDrag->move(fDragging, w->mapFromGlobal(global));
    syncPositions({fDragging, oldTarget, oldSlot, fDrag->target(), fDrag->slotTarget(&slot)});
    if (!shift.isNull())
        QCursor::setPos(QCursor::pos() + shift);
    if (scrollX != fProject.workspace().canvas().scrollX || scrollY != fProject.workspace().canvas().scrollY)
        emit canvasScrolled();
}

void ProgramView::released(QPoint)
{
    if (!fDragging)
        return;
    TKeloBlock *b = fDragging;
    const quint64 serial = b->serial();
    fDragging = nullptr;
    if (fGrabber) {
        fGrabber->releaseMouse();
        fGrabber = nullptr;
    }
    fDrag->release(b);
    sync();
    // A copy pulled from the palette is the pupil's choice once dropped; a block
    // thrown onto the trash is gone.
    if (BlockWidget *w = fWidgets.value(b); w && w->serial() == serial && !b->prototype())
        setSelected(b);
    emit changed();
}
