#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>

class Project;
class UserPrompt;
class TKeloBlock;
class BlockArea;
class BlockWidget;
class BlockDragController;
class QWidget;

// Keeps a widget per block in view and routes gestures to the core's drag controller.
// Areas of the core (canvas, palette panels, the window while a copy is pulled in)
// are mapped to the widgets that show them.
class ProgramView : public QObject {
    Q_OBJECT
public:
    ProgramView(Project &project, UserPrompt *prompt, QObject *parent = nullptr);
    ~ProgramView() override;

    Project &project() { return fProject; }
    UserPrompt *prompt() const { return fPrompt; }
    BlockDragController &drag() { return *fDrag; }

    void mapArea(const BlockArea *area, QWidget *widget) { fAreas.insert(area, widget); }
    QWidget *widgetForArea(const BlockArea *area) const { return fAreas.value(area, nullptr); }
    BlockWidget *widgetFor(const TKeloBlock *b) const { return fWidgets.value(b, nullptr); }
    // The offset of an area's block coordinates inside its widget (the canvas scrolls).
    QPoint areaOffset(const BlockArea *area) const;

    // Creates, moves and removes widgets so they match the blocks of the workspace
    // that are in view.
    void sync();
    // The same after a scroll, which changes no block: only the blocks that come
    // into view are laid out again.
    void syncInView();

    // The fast path while dragging: moves widgets to their blocks' places and fully
    // refreshes only the given blocks; falls back to sync() when parents changed.
    void syncPositions(std::initializer_list<TKeloBlock *> refresh);

    // Gesture entry points for block widgets (global pointer positions).
    void pressed(BlockWidget *w, QPoint global);
    void moved(QPoint global);
    void released(QPoint global);
    // The block a message points at is outlined until the next gesture.
    void setHighlighted(const TKeloBlock *b);
    const TKeloBlock *highlighted() const { return fHighlighted; }
    // The placed block under the pointer (a value block rather than its host), and the
    // one the pupil last pressed or dropped; null when there is none.
    const TKeloBlock *pointed() const { return fPointed; }
    const TKeloBlock *selected() const { return fSelected; }
    // The pointer entered or left a block's widget.
    void pointerEntered(BlockWidget *w);
    void pointerLeft(BlockWidget *w);

    // An editor of a block changed the model.
    void edited() { emit changed(); sync(); }

signals:
    // The program changed; changes with the same merge key in a row (typing into one
    // field) count as one step for undo.
    void changed(const QString &mergeKey = QString());
    // The widgets were brought in line with the model (blocks may have been added,
    // moved or removed).
    void synced();
    // The canvas scrolled by auto-scroll (the page moves its scroll bars).
    void canvasScrolled();
    // See pointed() and selected().
    void pointedChanged(const TKeloBlock *b);
    void selectedChanged(const TKeloBlock *b);

private:
    // How far around the visible part of the canvas blocks get widgets, so that
    // short scrolls find them ready.
    static constexpr int ViewMargin = 200;
    bool inView(const TKeloBlock *b) const;
    bool busy(const BlockWidget *w) const;
    // The widget a block's widget belongs in: its area's, or its host block's.
    QWidget *parentWidgetFor(const TKeloBlock *b) const;
    // Stacks the widgets of an area in its child order when that order changed.
    void restack();
    void setPointed(const TKeloBlock *b);
    void setSelected(const TKeloBlock *b);

    Project &fProject;
    UserPrompt *fPrompt;
    BlockDragController *fDrag;
    QHash<const BlockArea *, QWidget *> fAreas;
    QHash<const TKeloBlock *, BlockWidget *> fWidgets;
    TKeloBlock *fDragging = nullptr;
    const TKeloBlock *fHighlighted = nullptr;
    const TKeloBlock *fPointed = nullptr;
    const TKeloBlock *fSelected = nullptr;
    QWidget *fGrabber = nullptr;
    QHash<const BlockArea *, unsigned> fStackedRevision;
};
