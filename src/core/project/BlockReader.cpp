#include "project/BlockReader.h"

#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/Workspace.h"
#include "project/BlockProperties.h"
#include "project/ProgramLinks.h"
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

// Reads one program file into the workspace: each object becomes a block as soon as
// its "end" is read; the links between the blocks are gathered and made at the end
// (ProgramLinks).
class ProgramLoader : public ObjectTextHandler {
public:
    ProgramLoader(Workspace &ws, DebugLog *log) : fWs(ws), fLog(log), fLinks(ws, log) {}
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

    ProgramLinks &links() { return fLinks; }
    QString error;

private:
    struct Reference {
        Id id;
        QString target;
    };

    void debug(const QString &line) const
    {
        if (fLog)
            fLog->AddDebug(line);
    }
    // Whether the block being read has the reference property id.
    bool hasReference(Id id) const;
    void applyReference(TKeloBlock &b, int index, const Reference &ref, TKeloBlock *target);
    static QString referencedName(const ObjectTextValueView &value);

    Workspace &fWs;
    DebugLog *fLog;
    StringPool fPool;
    ProgramLinks fLinks;

    TKeloBlock *fBlock = nullptr;  // the object being read
    QString fObjectName;
    BlockProperties::Kind fKind;
    QString fLinkTo, fLinkFrom, fVarParam1, fVarParam2;  // its link names
    int fNested = 0;               // depth inside objects nested in the block's object
    std::vector<Reference> fReferences;
    QStringList fErrors;           // reported once the object is complete
    QStringList fReferenceErrors;  // after those
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
    // Every block of a program is a placed block, also when the file does not say so:
    // a palette block on the canvas would survive every new project and opened file.
    b->Setprototype(false);
    fBlock = b;
    fObjectName = name;
    fKind = BlockProperties::Kind(b);
    fLinkTo.clear();
    fLinkFrom.clear();
    fVarParam1.clear();
    fVarParam2.clear();
    fReferences.clear();
    fErrors.clear();
    fReferenceErrors.clear();
    return true;
}

bool ProgramLoader::property(const ObjectTextSpan &name, const ObjectTextValueView &value, int)
{
    if (fNested > 0)
        return true;
    const Id id = BlockProperties::idOf(name);
    if (BlockProperties::isReference(id)) {
        if (hasReference(id))
            fReferences.push_back(Reference{id, referencedName(value)});
        else
            fReferenceErrors.append(errorReadingPrefix() + fObjectName + u'.' + name.toString()
                                    + u": Invalid property value"_s);
        return true;
    }
    // The link names are kept for the re-link pass; while a block is read their
    // setters only note that a slot waits for its value block.
    QString *linkName = nullptr;
    switch (id) {
    case Id::LinkToName: linkName = &fLinkTo; break;
    case Id::LinkFromName: linkName = &fLinkFrom; break;
    case Id::VarParam1Name: linkName = &fVarParam1; break;
    case Id::VarParam2Name: linkName = &fVarParam2; break;
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
    for (const QString &line : std::as_const(fReferenceErrors))
        debug(line);
    b->Loaded();
    b->endReading();
    // The tooltip is composed from MyHint, ParamStr and parameter 1, whichever of them
    // the file gives and in whatever order: once all are read.
    b->RefreshHint();
    const int index = fLinks.add(b);
    // References name blocks read before this one (later ones do not exist yet).
    for (const Reference &ref : fReferences)
        applyReference(*b, index, ref, fWs.findBlock(ref.target));
    fLinks.setNames(index, fLinkTo, fLinkFrom, fVarParam1, fVarParam2);
    b->adoptOwner(&fWs);
    b->BuildOutline();
    b->SetParent(&fWs.canvas());
    b->Loaded();
    return true;
}

QString ProgramLoader::referencedName(const ObjectTextValueView &value)
{
    // "frmVimsel.keloBlock__7": the block's name after the owner's.
    static const QString owner = ObjectTextWriter::ReferenceOwner + u'.';
    static const QByteArray ownerBytes = owner.toLatin1();
    if (value.kind == ObjectTextValue::Kind::String) {
        const QStringView t = value.string;
        return (t.startsWith(owner, Qt::CaseInsensitive) ? t.sliced(owner.size()) : t).toString();
    }
    if (value.kind != ObjectTextValue::Kind::Ident && value.kind != ObjectTextValue::Kind::Float)
        return QString();
    ObjectTextSpan t = value.span;
    const ObjectTextSpan head{t.bytes.first(std::min(t.bytes.size(), ownerBytes.size())), t.cp1253};
    if (head.equalsIgnoringCase(QLatin1StringView(ownerBytes)))
        t.bytes = t.bytes.sliced(ownerBytes.size());
    return t.toString();
}

bool ProgramLoader::hasReference(Id id) const
{
    switch (id) {
    case Id::EndBlock: return fKind.container != nullptr;
    case Id::ElseBlock: return fKind.withElse != nullptr;
    case Id::ContainerBlock: return fKind.companion != nullptr;
    default: return true;
    }
}

void ProgramLoader::applyReference(TKeloBlock &b, int index, const Reference &ref, TKeloBlock *target)
{
    switch (ref.id) {
    case Id::LinkTo:
        // A container's LinkTo names its end block; its body comes from LinkToName.
        if (!fKind.container)
            fLinks.setReferenced(index, ProgramLinks::Next, target);
        break;
    case Id::LinkFrom:
        b.SetLinkFrom(target);
        break;
    case Id::VarParam1:
        fLinks.setReferenced(index, ProgramLinks::Slot1, target);
        break;
    case Id::VarParam2:
        fLinks.setReferenced(index, ProgramLinks::Slot2, target);
        break;
    case Id::EndBlock:
        fLinks.setReferenced(index, ProgramLinks::EndBlock, dynamic_cast<TKeloContainerBlockEnd *>(target));
        break;
    case Id::ElseBlock:
        fLinks.setReferenced(index, ProgramLinks::ElseHeader, dynamic_cast<TKeloControlBlockELSE *>(target));
        break;
    case Id::ContainerBlock:
        fKind.companion->SetContainerBlock(dynamic_cast<TKeloContainerBlock *>(target));
        break;
    default:
        break;
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
    const qsizetype expected = data.size() / 600;
    ws.reserveNames(expected);
    ProgramLoader loader(ws, log);
    loader.links().reserve(expected);
    loader.release = release;
    const ObjectTextReadStatus status = ObjectTextReader::read(data, loader);
    result.blocksRead = int(loader.links().blocks().size());
    result.error = loader.error.isEmpty() ? status.error : loader.error;
    result.ok = status.ok && result.error.isEmpty();
    ProgramLinks &links = loader.links();
    if (result.ok)
        links.resolveNames();
    links.make();
    links.checkBackLinks();
    for (TKeloBlock *b : links.blocks())
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
