#pragma once

#include "blocks/BlockArea.h"
#include "blocks/BlockOutline.h"
#include "util/CaselessKey.h"
#include "util/NumberPool.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

class TKeloBlock;
class DebugLog;
class TextMeasurer;
class UserPrompt;
class ActiveDevices;
class TArduVariables;

// Owner and naming scope of every block (prototypes included). Keeps the component
// order (creation and loading order), a case-insensitive name index, the program
// canvas, the main-window area for fresh copies and the palette panels.
class Workspace {
public:
    struct Services {
        DebugLog *log = nullptr;
        const TextMeasurer *measurer = nullptr;
        UserPrompt *prompt = nullptr;
        const ActiveDevices *devices = nullptr;
        const TArduVariables *variables = nullptr;
    };

    explicit Workspace(const Services &services);
    ~Workspace();
    Workspace(const Workspace &) = delete;
    Workspace &operator=(const Workspace &) = delete;

    // The main window's name, used in block references of project files.
    static QString ownerName() { return QStringLiteral("frmVimsel"); }
    static QString blockPrefix() { return QStringLiteral("keloBlock_"); }

    const Services &services() const { return fServices; }
    void setServices(const Services &s) { fServices = s; }

    BlockArea &canvas() { return fCanvas; }
    BlockArea &mainWindowArea() { return fMainWindow; }
    BlockArea *addPanel(const QString &name);
    BlockArea *panel(const QString &name) const;
    const std::vector<std::unique_ptr<BlockArea>> &panels() const { return fPanels; }

    // A prototype of class T (named "Prot_keloBlock__N").
    template <class T> T *create() { return new T(this); }
    // A placed block of class T (named "keloBlock__N").
    template <class T> T *createFloat()
    {
        T *b = new T(this);
        b->Setprototype(false);
        b->SetUniqueName(blockPrefix());
        return b;
    }

    // Destroys a block with everything it owns through its links: the chain below
    // it, a container's body, end block and else header, the value blocks in its
    // slots. Links that surviving blocks hold to destroyed blocks are cleared.
    void destroyBlock(TKeloBlock *b);
    // The same for several blocks at once.
    void destroyBlocks(const std::vector<TKeloBlock *> &blocks);
    // Destroys every placed block (prototypes stay).
    void FreePlacedBlocks();
    // Destroys everything, prototypes included.
    void FreeAllBlocks();
    // Makes room in the name index for count more blocks (a program being read).
    void reserveNames(qsizetype count);

    const std::list<TKeloBlock *> &components() const { return fComponents; }
    TKeloBlock *findBlock(const QString &name) const;
    bool nameInUse(const QString &name) const { return findBlock(name) != nullptr; }
    // Smallest N >= 1 for which prefix + "_" + N is free.
    int smallestFreeNumber(const QString &prefix) const;

    // The first block on the canvas, in child order, that is a start block.
    TKeloBlock *findStartBlock() const;
    bool CanvasHasBlocks() const;

    // Enables or disables every block whose device type is typeId.
    void CommandsByType(int typeId, bool enable);
    // Scrolls the canvas: block positions are relative to the visible area, so every
    // block on the canvas moves by the opposite amount (chains stay aligned).
    void scrollCanvasTo(int x, int y);
    // Room kept beyond the right- and bottom-most block, so that a block can be
    // dropped below or beside the last one.
    static constexpr int CanvasMargin = 100;
    // The size the canvas's scrolled content needs: every block on the canvas (in
    // content coordinates, the scroll position added) plus the margin, and never
    // less than the visible area.
    QSize canvasContentSize(QSize visible) const;

    // Lets the blocks standing directly on the canvas re-bind to the devices of typeId.
    void deviceRefresh(int typeId);
    // Lets every block refill its variable list.
    void varsChanged();

    // Counts blocks dropped on the canvas while still marked as never placed.
    int dropCounter = 0;

    // The outline blocks of this shape share, once one was built.
    const BlockOutline *outline(const BlockOutline::Shape &shape) const;
    void keepOutline(const BlockOutline::Shape &shape, const BlockOutline &outline);

    // While a program file is read, blocks keep the sizes and positions stored in it.
    bool loadingProgram() const { return fLoadingProgram; }
    void setLoadingProgram(bool on) { fLoadingProgram = on; }

private:
    friend class TKeloBlock;
    void registerBlock(TKeloBlock *b);
    void unregisterBlock(TKeloBlock *b);
    bool renameBlock(TKeloBlock *b, const QString &newName);
    void indexName(const QString &name, bool add);
    void forgetName(TKeloBlock *b);
    void deleteBlocks(const std::vector<TKeloBlock *> &blocks);

    Services fServices;
    BlockArea fCanvas{BlockArea::Kind::Canvas, QStringLiteral("ScrollBox1"), BlockArea::CanvasTag};
    BlockArea fMainWindow{BlockArea::Kind::MainWindow, QStringLiteral("frmVimsel")};
    std::vector<std::unique_ptr<BlockArea>> fPanels;
    std::list<TKeloBlock *> fComponents;
    // Names and prefixes ignore letter case; a block's entry shares its name's text.
    QHash<CaselessName, TKeloBlock *> fNames;
    std::unordered_map<QString, NumberPool, CaselessHash, CaselessEqual> fNumbers;  // prefix -> numbers in use
    bool fLoadingProgram = false;
    QHash<BlockOutline::Shape, BlockOutline> fOutlines;
};
