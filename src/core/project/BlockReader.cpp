#include "project/BlockReader.h"

#include "blocks/KeloError.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/Workspace.h"
#include "project/BlockProperties.h"
#include "project/LinkForest.h"
#include "project/ObjectTextReader.h"
#include "project/ObjectTextWriter.h"
#include "util/DebugLog.h"
#include "util/StringPool.h"

#include <QFile>

#include <functional>

#ifdef Q_OS_UNIX
#include <sys/mman.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using BlockProperties::Id;

namespace BlockReader {

namespace {

QString nameOf(const TKeloBlock *b)
{
    return b ? b->Name() : QString();
}

// Reads one program file into the workspace: each object becomes a block as soon as
// its "end" is read; the links between the blocks are made, and checked, as they
// can be.
class ProgramLoader : public ObjectTextHandler {
public:
    ProgramLoader(Workspace &ws, DebugLog *log) : fWs(ws), fLog(log) {}
    ~ProgramLoader() override { delete fBlock; }

    bool beginObject(const ObjectTextHeader &header) override;
    bool property(const ObjectTextSpan &name, const ObjectTextValueView &value, int line) override;
    bool endObject() override;
    void consumed(qsizetype offset) override
    {
        if (release)
            release(offset);
    }
    // Told how much of the text has been read, when the text can give memory back.
    std::function<void(qsizetype)> release;

    // After the whole file: the names read are looked up again, now that every block
    // exists, to fill the links still empty (last block first).
    void relink();
    // Back links (a block's predecessor, a companion's container) must mirror the
    // forward link of the block they name.
    void checkBackLinks();

    const std::vector<TKeloBlock *> &blocks() const { return fBlocks; }
    QString error;

private:
    // The names a block's link properties held in the file, for the re-link pass.
    struct LinkNames {
        QString linkTo, linkFrom, varParam1, varParam2;
    };

    struct Reference {
        Id id;
        QString property;  // as spelled in the file
        QString target;
    };

    void debug(const QString &line) const
    {
        if (fLog)
            fLog->AddDebug(line);
    }
    void refuse(const TKeloBlock *b, const QString &property, const TKeloBlock *target, const QString &why)
    {
        debug(errorReadingPrefix() + b->Name() + u'.' + property + u": link to "_s + nameOf(target)
              + u" refused, "_s + why);
    }
    // Records that holder holds target through a link, or says why it may not.
    bool mayHold(const TKeloBlock *holder, const QString &property, const TKeloBlock *target);
    bool mayHoldInSlot(const TKeloBlock *host, const QString &property, const TKeloBlock *value);
    void applyReference(TKeloBlock &b, const Reference &ref, TKeloBlock *target);
    void relinkSlot(TKeloBlock *b, int slot, const QString &name);
    static QString referencedName(const ObjectTextValueView &value);

    Workspace &fWs;
    DebugLog *fLog;
    StringPool fPool;
    LinkForest fForest;
    std::vector<TKeloBlock *> fBlocks;
    std::vector<LinkNames> fNames;  // one per block of fBlocks

    TKeloBlock *fBlock = nullptr;  // the object being read
    QString fObjectName;
    LinkNames fBlockNames;
    BlockProperties::Kind fKind;
    int fNested = 0;               // depth inside objects nested in the block's object
    std::vector<Reference> fReferences;
    QStringList fErrors;           // reported once the object is complete
};

bool ProgramLoader::beginObject(const ObjectTextHeader &header)
{
    if (header.depth > 0) {
        ++fNested;
        return true;
    }
    const QString name = header.name.toString();
    TKeloBlock *b = BlockProperties::createBlockOfClass(header.className);
    if (!b) {
        error = u"Class "_s + header.className.toString() + u" is not a block class (line "_s
                + QString::number(header.line) + u')';
        return false;
    }
    if (name.isEmpty() || fWs.nameInUse(name)) {
        delete b;
        error = u"A component named "_s + name + u" already exists (line "_s + QString::number(header.line) + u')';
        return false;
    }
    b->SetName(name);
    b->beginReading();
    fBlock = b;
    fObjectName = name;
    fReferences.clear();
    fErrors.clear();
    fBlockNames = LinkNames();
    fKind = BlockProperties::Kind(b);
    return true;
}

bool ProgramLoader::property(const ObjectTextSpan &name, const ObjectTextValueView &value, int)
{
    if (fNested > 0)
        return true;
    const Id id = BlockProperties::idOf(name);
    if (BlockProperties::isReference(id)) {
        fReferences.push_back(Reference{id, name.toString(), referencedName(value)});
        return true;
    }
    // The link names are kept for the re-link pass; while a block is read their
    // setters only note that a slot waits for its value block.
    QString *linkName = nullptr;
    switch (id) {
    case Id::LinkToName: linkName = &fBlockNames.linkTo; break;
    case Id::LinkFromName: linkName = &fBlockNames.linkFrom; break;
    case Id::VarParam1Name: linkName = &fBlockNames.varParam1; break;
    case Id::VarParam2Name: linkName = &fBlockNames.varParam2; break;
    default: break;
    }
    QString reason;
    if (linkName) {
        if (value.kind == ObjectTextValue::Kind::String) {
            *linkName = value.string.toString();
            if (id == Id::VarParam1Name)
                fBlock->SetVarParam1Name(*linkName);
            else if (id == Id::VarParam2Name)
                fBlock->SetVarParam2Name(*linkName);
            return true;
        }
        reason = u"Invalid property value"_s;
    } else if (id != Id::Unknown && BlockProperties::apply(*fBlock, fKind, id, value, fPool, &reason)) {
        return true;
    }
    if (reason.isEmpty())
        reason = u"Property "_s + name.toString() + u" does not exist"_s;
    fErrors.append(errorReadingPrefix() + fObjectName + u'.' + name.toString() + u": "_s + reason);
    return true;
}

bool ProgramLoader::endObject()
{
    if (fNested > 0) {
        --fNested;
        return true;
    }
    TKeloBlock *b = fBlock;
    fBlock = nullptr;
    for (const QString &line : std::as_const(fErrors))
        debug(line);
    b->BuildOutline();
    b->Loaded();
    b->endReading();
    // References name blocks read before this one (later ones do not exist yet).
    for (const Reference &ref : fReferences)
        applyReference(*b, ref, fWs.findBlock(ref.target));
    b->adoptOwner(&fWs);
    b->SetParent(&fWs.canvas());
    b->Loaded();
    fBlocks.push_back(b);
    fNames.push_back(std::move(fBlockNames));
    return true;
}

QString ProgramLoader::referencedName(const ObjectTextValueView &value)
{
    QString t = value.nameOrString();
    const QString prefix = ObjectTextWriter::ReferenceOwner + u'.';
    if (t.startsWith(prefix, Qt::CaseInsensitive))
        t = t.mid(prefix.size());
    return t;
}

bool ProgramLoader::mayHold(const TKeloBlock *holder, const QString &property, const TKeloBlock *target)
{
    if (target->prototype()) {
        refuse(holder, property, target, u"it is a palette block"_s);
        return false;
    }
    switch (fForest.link(holder, target)) {
    case LinkForest::Verdict::Ok:
        return true;
    case LinkForest::Verdict::Itself:
        refuse(holder, property, target, u"a block cannot follow or hold itself"_s);
        return false;
    case LinkForest::Verdict::Loop:
        refuse(holder, property, target, u"it would close a loop"_s);
        return false;
    case LinkForest::Verdict::Held:
        refuse(holder, property, target, u"it already belongs to "_s + nameOf(fForest.holderOf(target)));
        return false;
    }
    return false;
}

bool ProgramLoader::mayHoldInSlot(const TKeloBlock *host, const QString &property, const TKeloBlock *value)
{
    // Value blocks go into blocks on the canvas, never into other value blocks: the
    // program's dragging cannot nest them, and deep nesting would be deep recursion.
    if (host->parentBlock()) {
        refuse(host, property, value, u"the block is itself in a slot"_s);
        return false;
    }
    if (value->VarParam1() || value->VarParam2()) {
        refuse(host, property, value, u"it holds value blocks itself"_s);
        return false;
    }
    return mayHold(host, property, value);
}

void ProgramLoader::applyReference(TKeloBlock &b, const Reference &ref, TKeloBlock *target)
{
    auto *container = dynamic_cast<TKeloContainerBlock *>(&b);
    auto *withElse = dynamic_cast<TKeloControlElseBlock *>(&b);
    auto *companion = dynamic_cast<TKeloCompanionBlock *>(&b);
    try {
        switch (ref.id) {
        case Id::LinkTo:
            // A container's LinkTo names its end block; its body comes from LinkToName.
            if (!container && target && b.firstBlock() != target) {
                if (b.firstBlock())
                    refuse(&b, ref.property, target, u"the block has a successor already"_s);
                else if (mayHold(&b, ref.property, target))
                    b.SetLinkTo(target);
            }
            return;
        case Id::LinkFrom:
            b.SetLinkFrom(target);
            return;
        case Id::VarParam1:
        case Id::VarParam2: {
            const int slot = ref.id == Id::VarParam1 ? 1 : 2;
            TKeloBlock *current = slot == 1 ? b.VarParam1() : b.VarParam2();
            if (!target || current == target)
                return;
            if (current)
                refuse(&b, ref.property, target, u"the slot is taken"_s);
            else if (mayHoldInSlot(&b, ref.property, target))
                slot == 1 ? b.SetVarParam1(target) : b.SetVarParam2(target);
            return;
        }
        case Id::EndBlock:
            if (!container)
                break;
            if (auto *end = dynamic_cast<TKeloContainerBlockEnd *>(target)) {
                if (container->EndBlock() != end && mayHold(&b, ref.property, end))
                    container->SetEndBlock(end);
            }
            return;
        case Id::ElseBlock:
            if (!withElse)
                break;
            if (auto *header = dynamic_cast<TKeloControlBlockELSE *>(target)) {
                if (withElse->ElseBlock() != header && mayHold(&b, ref.property, header))
                    withElse->SetElseBlock(header);
            }
            return;
        case Id::ContainerBlock:
            if (!companion)
                break;
            companion->SetContainerBlock(dynamic_cast<TKeloContainerBlock *>(target));
            return;
        default:
            break;
        }
        debug(errorReadingPrefix() + b.Name() + u'.' + ref.property + u": Invalid property value"_s);
    } catch (const KeloError &e) {
        debug(errorReadingPrefix() + b.Name() + u'.' + ref.property + u": "_s + e.message());
    }
}

void ProgramLoader::relinkSlot(TKeloBlock *b, int slot, const QString &name)
{
    const QString property = slot == 1 ? u"VarParam1Name"_s : u"VarParam2Name"_s;
    TKeloBlock *current = slot == 1 ? b->VarParam1() : b->VarParam2();
    TKeloBlock *target = current ? nullptr : fWs.findBlock(name);
    try {
        // With the slot filled, or the name not found, the setter only marks the block
        // as waiting; with a refused link the slot must stay empty.
        if (target && !mayHoldInSlot(b, property, target))
            return;
        slot == 1 ? b->SetVarParam1Name(name) : b->SetVarParam2Name(name);
    } catch (const KeloError &e) {
        debug(errorReadingPrefix() + b->Name() + u'.' + property + u": "_s + e.message());
    }
}

void ProgramLoader::relink()
{
    for (size_t i = fBlocks.size(); i-- > 0;) {
        TKeloBlock *b = fBlocks[i];
        const LinkNames &names = fNames[i];
        if (!b->firstBlock()) {
            TKeloBlock *next = fWs.findBlock(names.linkTo);
            if (!next || mayHold(b, u"LinkToName"_s, next))
                b->SetLinkToName(names.linkTo);
        }
        b->SetLinkFromName(names.linkFrom);
        relinkSlot(b, 1, names.varParam1);
        relinkSlot(b, 2, names.varParam2);
        if (auto *end = dynamic_cast<TKeloContainerBlockEnd *>(b); end && end->ContainerBlock()) {
            TKeloContainerBlock *c = end->ContainerBlock();
            if (c->EndBlock() == end || (!c->EndBlock() && mayHold(c, u"EndBlock"_s, end)))
                c->SetEndBlock(end);
        }
        if (auto *header = dynamic_cast<TKeloControlBlockELSE *>(b); header && header->ContainerBlock()) {
            if (auto *c = dynamic_cast<TKeloControlElseBlock *>(header->ContainerBlock())) {
                if (c->ElseBlock() == header || (!c->ElseBlock() && mayHold(c, u"ElseBlock"_s, header)))
                    c->SetElseBlock(header);
            }
        }
    }
}

void ProgramLoader::checkBackLinks()
{
    for (TKeloBlock *b : fBlocks) {
        if (TKeloBlock *before = b->LinkFrom(); before && before->firstBlock() != b) {
            refuse(b, u"LinkFrom"_s, before, before->Name() + u" is not followed by this block"_s);
            b->SetLinkFrom(nullptr);
        }
        auto *companion = dynamic_cast<TKeloCompanionBlock *>(b);
        if (!companion || !companion->ContainerBlock())
            continue;
        TKeloContainerBlock *c = companion->ContainerBlock();
        auto *withElse = dynamic_cast<TKeloControlElseBlock *>(c);
        if (c->EndBlock() != b && !(withElse && withElse->ElseBlock() == b)) {
            refuse(b, u"ContainerBlock"_s, c, c->Name() + u" has other companion blocks"_s);
            companion->SetContainerBlock(nullptr);
        }
    }
}

} // namespace

static Result load(Workspace &ws, QByteArrayView data, DebugLog *log,
                   const std::function<void(qsizetype)> &release)
{
    Result result;
    ws.FreePlacedBlocks();
    ws.setLoadingProgram(true);
    // A block takes some 600 to 1,000 bytes of text.
    ws.reserveNames(data.size() / 512);
    ProgramLoader loader(ws, log);
    loader.release = release;
    const ObjectTextReadStatus status = ObjectTextReader::read(data, loader);
    result.blocksRead = int(loader.blocks().size());
    result.error = loader.error.isEmpty() ? status.error : loader.error;
    result.ok = status.ok && result.error.isEmpty();
    if (result.ok)
        loader.relink();
    loader.checkBackLinks();
    for (TKeloBlock *b : loader.blocks())
        b->finishLoading();
    ws.setLoadingProgram(false);
    return result;
}

Result LoadProgramText(Workspace &ws, QByteArrayView data, DebugLog *log)
{
    return load(ws, data, log, {});
}

// The pages of a mapped file that the reader has passed are given back as it goes:
// the file stays in the system's cache, but a large program is not held in the
// process's memory twice, once as text and once as blocks.
static std::function<void(qsizetype)> pageReleaser(const uchar *mapped)
{
#if defined(Q_OS_UNIX) && defined(MADV_DONTNEED)
    const auto page = qsizetype(sysconf(_SC_PAGESIZE));
    if (page <= 0)
        return {};
    auto released = std::make_shared<qsizetype>(0);
    return [mapped, page, released](qsizetype offset) {
        constexpr qsizetype Step = 1 << 20;
        const qsizetype upTo = offset / page * page;
        if (upTo - *released < Step)
            return;
        madvise(const_cast<uchar *>(mapped) + *released, size_t(upTo - *released), MADV_DONTNEED);
        *released = upTo;
    };
#else
    Q_UNUSED(mapped);
    return {};
#endif
}

Result LoadProgramFile(Workspace &ws, const QString &fileName, DebugLog *log)
{
    QFile f(fileName);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly)) {
        Result r;
        r.ok = false;
        r.error = f.errorString();
        return r;
    }
    // Mapped rather than copied: a large program file then costs no heap of its own.
    if (f.size() > 0) {
        if (const uchar *mapped = f.map(0, f.size())) {
            const Result r = load(ws, QByteArrayView(mapped, f.size()), log, pageReleaser(mapped));
            f.unmap(const_cast<uchar *>(mapped));
            return r;
        }
    }
    return LoadProgramText(ws, f.readAll(), log);
}

} // namespace BlockReader
