#include "blocks/Workspace.h"

#include "blocks/TKeloBlock.h"

#include <QSet>
#include <algorithm>

Workspace::Workspace(const Services &services) : fServices(services) {}

Workspace::~Workspace()
{
    FreeAllBlocks();
}

BlockArea *Workspace::addPanel(const QString &name)
{
    fPanels.push_back(std::make_unique<BlockArea>(BlockArea::Kind::Panel, name));
    return fPanels.back().get();
}

BlockArea *Workspace::panel(const QString &name) const
{
    for (const auto &p : fPanels)
        if (p->name.compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TKeloBlock *Workspace::findBlock(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    return fNames.value(CaselessName{name}, nullptr);
}

// "keloBlock__12" is prefix "keloBlock_" and number 12.
static bool splitNumberedName(QStringView name, QStringView *prefix, int *number)
{
    const qsizetype us = name.lastIndexOf(u'_');
    if (us < 0 || us + 1 >= name.size())
        return false;
    bool ok = false;
    const QStringView digits = name.mid(us + 1);
    if (digits.front() == u'0' || digits.front() == u'+' || digits.front() == u'-')
        return false;
    const int n = digits.toInt(&ok);
    if (!ok || n < 1)
        return false;
    *prefix = name.left(us);
    *number = n;
    return true;
}

void Workspace::indexName(const QString &name, bool add)
{
    QStringView prefix;
    int n = 0;
    if (!splitNumberedName(name, &prefix, &n))
        return;
    auto it = fNumbers.find(prefix);
    if (add) {
        if (it == fNumbers.end())
            it = fNumbers.emplace(prefix.toString(), NumberPool()).first;
        it->second.insert(n);
    } else if (it != fNumbers.end()) {
        it->second.erase(n);
        if (it->second.empty())
            fNumbers.erase(it);
    }
}

int Workspace::smallestFreeNumber(const QString &prefix) const
{
    const auto it = fNumbers.find(QStringView(prefix));
    return it == fNumbers.end() ? 1 : it->second.smallestFree();
}

void Workspace::registerBlock(TKeloBlock *b)
{
    if (!b->fInComponents) {
        fComponents.push_back(b);
        b->fComponentIt = std::prev(fComponents.end());
        b->fInComponents = true;
    }
    if (!b->fName.isEmpty()) {
        indexName(b->fName, true);
        fNames.insert(CaselessName{b->fName}, b);
    }
}

void Workspace::forgetName(TKeloBlock *b)
{
    if (b->fName.isEmpty())
        return;
    const auto it = fNames.find(CaselessName{b->fName});
    if (it != fNames.end() && *it == b) {
        fNames.erase(it);
        indexName(b->fName, false);
    }
}

void Workspace::unregisterBlock(TKeloBlock *b)
{
    if (b->fInComponents) {
        fComponents.erase(b->fComponentIt);
        b->fInComponents = false;
    }
    forgetName(b);
}

bool Workspace::renameBlock(TKeloBlock *b, const QString &newName)
{
    TKeloBlock *holder = findBlock(newName);
    if (holder && holder != b)
        return false;
    forgetName(b);
    b->fName = newName;
    if (!newName.isEmpty()) {
        indexName(newName, true);
        fNames.insert(CaselessName{newName}, b);
    }
    return true;
}

void Workspace::deleteBlocks(const std::vector<TKeloBlock *> &blocks)
{
    // First every block leaves its parent and the name index, then all are deleted,
    // so that no destructor meets a half-destroyed neighbour.
    for (TKeloBlock *x : blocks) {
        x->detachFromParent();
        unregisterBlock(x);
    }
    for (TKeloBlock *x : blocks) {
        x->fChildBlocks.clear();
        x->fOwner = nullptr;
        delete x;
    }
}

void Workspace::destroyBlock(TKeloBlock *b)
{
    destroyBlocks({b});
}

void Workspace::destroyBlocks(const std::vector<TKeloBlock *> &blocks)
{
    // Everything the blocks own through their links, without recursion: a chain can be
    // many thousands of blocks long. The visited set also guards against loops that
    // only a damaged file could create. The other blocks forget the doomed ones in one
    // pass, however many there are.
    QSet<TKeloBlock *> doomed;
    std::vector<TKeloBlock *> order;
    std::vector<TKeloBlock *> work(blocks.rbegin(), blocks.rend());
    while (!work.empty()) {
        TKeloBlock *x = work.back();
        work.pop_back();
        if (!x || doomed.contains(x))
            continue;
        doomed.insert(x);
        order.push_back(x);
        x->collectOwned(work);
    }
    if (order.empty())
        return;
    for (TKeloBlock *c : fComponents)
        if (!doomed.contains(c))
            c->clearReferencesTo(doomed);
    deleteBlocks(order);
}

void Workspace::FreePlacedBlocks()
{
    QSet<TKeloBlock *> doomed;
    std::vector<TKeloBlock *> order;
    for (TKeloBlock *c : fComponents)
        if (!c->prototype()) {
            doomed.insert(c);
            order.push_back(c);
        }
    for (TKeloBlock *c : fComponents)
        if (!doomed.contains(c))
            c->clearReferencesTo(doomed);
    deleteBlocks(order);
}

void Workspace::FreeAllBlocks()
{
    // Everything goes: the indexes and child lists are emptied at once instead of
    // block by block.
    std::vector<TKeloBlock *> all(fComponents.begin(), fComponents.end());
    fComponents.clear();
    fNames.clear();
    fNumbers.clear();
    ++fCanvas.fOrderRevision;
    fCanvas.fChildren.clear();
    ++fMainWindow.fOrderRevision;
    fMainWindow.fChildren.clear();
    for (const auto &p : fPanels) {
        ++p->fOrderRevision;
        p->fChildren.clear();
    }
    // Last made, first freed: the memory then goes back the way it came.
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        TKeloBlock *x = *it;
        x->fInComponents = false;
        x->fParentArea = nullptr;
        x->fParentBlock = nullptr;
        x->fChildBlocks.clear();
        x->fOwner = nullptr;
        delete x;
    }
}

const BlockOutline *Workspace::outline(const BlockOutline::Shape &shape) const
{
    const auto it = fOutlines.constFind(shape);
    return it == fOutlines.cend() ? nullptr : &*it;
}

void Workspace::keepOutline(const BlockOutline::Shape &shape, const BlockOutline &outline)
{
    // Widths change as pupils type; the shapes no block has any more are let go now
    // and then (blocks keep their own share of an outline).
    if (fOutlines.size() >= 4096)
        fOutlines.clear();
    fOutlines.insert(shape, outline);
}

void Workspace::reserveNames(qsizetype count)
{
    fNames.reserve(fNames.size() + count);
}

TKeloBlock *Workspace::findStartBlock() const
{
    for (TKeloBlock *b : fCanvas.children())
        if (b->isStartBlock())
            return b;
    return nullptr;
}

bool Workspace::CanvasHasBlocks() const
{
    return !fCanvas.children().empty();
}

void Workspace::CommandsByType(int typeId, bool enable)
{
    for (TKeloBlock *b : fComponents)
        if (b->DeviceOnlyCommandID() == typeId)
            b->SetEnabled(enable);
}

void Workspace::scrollCanvasTo(int x, int y)
{
    const int dx = x - fCanvas.scrollX, dy = y - fCanvas.scrollY;
    if (dx == 0 && dy == 0)
        return;
    fCanvas.scrollX = x;
    fCanvas.scrollY = y;
    for (TKeloBlock *b : fCanvas.children()) {
        b->fLeft -= dx;
        b->fTop -= dy;
    }
}

QSize Workspace::canvasContentSize(QSize visible) const
{
    qint64 right = 0, bottom = 0;
    for (const TKeloBlock *b : fCanvas.children()) {
        right = std::max(right, qint64(fCanvas.scrollX) + b->fLeft + b->fWidth);
        bottom = std::max(bottom, qint64(fCanvas.scrollY) + b->fTop + b->fHeight);
    }
    right = TKeloBlock::clampedCoordinate(right);
    bottom = TKeloBlock::clampedCoordinate(bottom);
    return QSize(std::max(visible.width(), int(right) + CanvasMargin),
                 std::max(visible.height(), int(bottom) + CanvasMargin));
}

void Workspace::deviceRefresh(int typeId)
{
    // Handlers may not change the canvas's child list, but copy it to be safe.
    const std::vector<TKeloBlock *> kids(fCanvas.children().begin(), fCanvas.children().end());
    for (TKeloBlock *b : kids)
        b->onDeviceRefresh(typeId);
}

void Workspace::varsChanged()
{
    const std::vector<TKeloBlock *> all(fComponents.begin(), fComponents.end());
    for (TKeloBlock *b : all)
        b->onVarsChanged();
}
