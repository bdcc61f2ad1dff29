#pragma once

#include <QPoint>
#include <QRect>

class TKeloBlock;
class Workspace;
class UserPrompt;

// The mouse gestures on blocks: pulling copies out of the palette, dragging a block
// with the chain below it, snapping at the notches, dropping value blocks into
// slots, deleting on the trash. Widgets translate their mouse events into these
// calls (positions in block coordinates) and mirror the model's geometry.
class BlockDragController {
public:
    // Two snap points are near below 25 pixels.
    static constexpr int SnapRadius = 25;
    // A press becomes a drag only once the pointer has gone this far (Manhattan
    // length): a click, even with a hand that shakes a little, changes no link.
    static constexpr int DragDistance = 4;
    static bool IsNear(QPoint p, QPoint q, int radius = SnapRadius);

    BlockDragController(Workspace &workspace, UserPrompt *prompt) : fWs(workspace), fPrompt(prompt) {}

    // Where the canvas's visible area lies in main-window coordinates; fresh copies
    // are dragged in main-window coordinates until they reach it.
    QRect canvasRectInWindow;
    // The trash picture, in the canvas's content coordinates.
    QRect trashRect{5, 5, 48, 48};

    // A press on a block. For a prototype a placed copy is created at protoPosInWindow
    // (the prototype's place in main-window coordinates) and the copy is returned: it
    // is the block that drags. End blocks and else headers cannot be dragged (nullptr).
    // A placed block comes to the front once the press becomes a drag.
    TKeloBlock *press(TKeloBlock *b, QPoint pos, QPoint protoPosInWindow = QPoint());
    // The pointer moved to pos (block coordinates) while pressed. Returns how far the
    // window should move the pointer (auto-scrolling of the canvas), usually (0, 0).
    QPoint move(TKeloBlock *b, QPoint pos);
    enum class Outcome { None, Destroyed, Deleted, Snapped, Detached, Dropped, SlotFilled };
    // The button was released: snap, break away, drop into a slot or delete. After a
    // press that never became a drag (a click) nothing changes: None.
    Outcome release(TKeloBlock *b);

    bool dragging() const { return fDragging != nullptr; }
    TKeloBlock *target() const { return fTarget; }
    TKeloBlock *slotTarget(int *slot) const
    {
        *slot = fSlot;
        return fSlotTarget;
    }

    // The snap search of a block that is dragged on the canvas.
    void FindAttachTarget(TKeloBlock *b);

private:
    void findSlotTarget(TKeloBlock *b);
    void clearTarget();
    bool overTrash(const TKeloBlock *b) const;
    QPoint autoScroll(TKeloBlock *b);

    Workspace &fWs;
    UserPrompt *fPrompt;
    TKeloBlock *fDragging = nullptr;
    bool fDragStarted = false;
    QPoint fP1;
    TKeloBlock *fTarget = nullptr;
    TKeloBlock *fSlotTarget = nullptr;
    int fSlot = 0;
};
