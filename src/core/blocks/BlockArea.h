#pragma once

#include <QString>
#include <list>

class TKeloBlock;

// A control that holds blocks without being a block itself: the program canvas,
// a palette panel, or the main window while a fresh copy is dragged in. Keeps its
// block children in child order (painting order; the last is on top).
class BlockArea {
public:
    enum class Kind { Canvas, Panel, MainWindow };

    static constexpr int CanvasTag = 995;
    static constexpr int NotebookTag = 990;
    static constexpr int TrashTag = -1;

    BlockArea(Kind kind, const QString &name, int tag = 0) : kind(kind), name(name), tag(tag) {}
    BlockArea(const BlockArea &) = delete;
    BlockArea &operator=(const BlockArea &) = delete;

    const Kind kind;
    const QString name;
    int tag = 0;

    // Position of the area inside its own container (the canvas within its page).
    int Left = 0;
    int Top = 0;
    int clientWidth = 600;
    int clientHeight = 400;
    // Scroll state; only the canvas scrolls.
    int scrollX = 0;
    int scrollY = 0;
    int hRange = 0;
    int vRange = 0;

    bool isCanvas() const { return kind == Kind::Canvas; }
    // Blocks ask this before filling their device lists (a control inside a control).
    bool hasParent() const { return kind != Kind::MainWindow; }

    const std::list<TKeloBlock *> &children() const { return fChildren; }
    // Counts changes of the child order, so that a view re-stacks only when needed.
    unsigned orderRevision() const { return fOrderRevision; }

private:
    friend class TKeloBlock;
    friend class Workspace;
    std::list<TKeloBlock *> fChildren;
    unsigned fOrderRevision = 0;
};
