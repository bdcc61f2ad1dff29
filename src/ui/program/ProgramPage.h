#pragma once

#include <QWidget>

class FindingsPanel;
class TKeloBlock;
class Project;
class UserPrompt;
class QScrollArea;

// The "Πρόγραμμα" page: the palette with its three tabs on the left, a splitter, and
// the program canvas with the trash picture on the right. It shows the blocks of the
// project and turns mouse gestures on them into core calls.
class ProgramPage : public QWidget {
    Q_OBJECT
public:
    ProgramPage(Project &project, UserPrompt *prompt, QWidget *parent = nullptr);
    ~ProgramPage() override;

    // The program canvas (a scroll area) and the first palette group, for the
    // window's mouse-wheel routing.
    QScrollArea *canvasArea() const;
    QWidget *paletteGroup(int tab) const;
    // Shows the first palette tab.
    void showFirstPaletteTab();
    // Outlines the placed block of that name and scrolls it into view (a compiler's
    // message points at it); returns its text as the pupil reads it, empty when there
    // is no such block on the canvas.
    QString pointAt(const QString &blockName);
    // Takes that outline away.
    void pointAtNothing();
    // What the checks before sending found, under the canvas; hidden until then.
    FindingsPanel *findingsPanel() const;
    // A view shown right of the canvas (the code beside the blocks), hidden until
    // shown; it takes two fifths of the room the palette leaves.
    void placeBesideCanvas(QWidget *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The pupil changed the program (a drop, an edit, a deletion).
    // See ProgramView::changed.
    void changed(const QString &mergeKey = QString());
    // The block under the pointer, and the one the pupil last pressed or dropped
    // (see ProgramView::pointed and selected).
    void blockPointed(const TKeloBlock *b);
    void blockSelected(const TKeloBlock *b);

private:
    friend class TfrmVimsel;
    // Re-reads the model after a change made elsewhere (loading, a new project,
    // devices changed): widgets are created, moved or removed to match. The window
    // calls it after its file commands; everything the page does itself syncs on
    // its own.
    void sync();
    // The canvas's visible area and position, as the drag gestures need them.
    void updateCanvasGeometry();
    // The scrolled content grows and shrinks with the blocks on it.
    void updateContentSize();

    struct Impl;
    Impl *d;
};
