#include "serial/LiveProgram.h"

#include "blocks/TKeloBlock.h"
#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceTypes.h"
#include "serial/LiveWire.h"
#include "variables/TArduVariables.h"

#include <QHash>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A variable id the table does not know (a damaged project): no variable has id 0.
constexpr int UnknownVariable = 0;

class Encoder {
public:
    Encoder(LiveProgram &out, const TArduVariables &variables) : fOut(out), fVariables(variables) {}

    void word(int v, QStringList log = {})
    {
        fOut.steps.push_back({std::move(log), LiveWire::SplitWord(v), LiveProgram::WordPauseMs, false});
    }

    void device(int position, const TActiveDevice &d)
    {
        const int cmd = DeviceTypes::valid(d.DeviceTypeID) ? DeviceTypes::at(d.DeviceTypeID).DeviceCmdId : 0;
        // The robot's seven parameters make a fourth record whose second parameter is
        // the field after them: the parameter count.
        const auto slot = [&d](int k) { return k <= 7 ? d.ActDevParams[std::size_t(k)] : d.ActDevParamCount; };
        int j = 0;
        do {
            const int first = slot(j + 1), second = slot(j + 2);
            const QString rule = u"------------------------"_s;
            word(cmd, {rule, u"Setup Cmd:"_s + QString::number(cmd), u"Device ID:"_s + QString::number(position),
                       u"Param 1  :"_s + QString::number(first), u"Vars 1   :-1"_s, u"Vars 2   :-1"_s,
                       u"Param 2  :"_s + QString::number(second), rule});
            word(position);
            word(first);
            word(-1);
            word(-1);
            word(second);
            j += 2;
        } while (j < d.ActDevParamCount);
    }

    // Program order without recursion: a block, its body, its else chain (when
    // shown), then what follows it; a deep nesting costs no stack.
    void chain(TKeloBlock *start)
    {
        std::vector<TKeloBlock *> order;
        walk(start, [&order](TKeloBlock *b) { order.push_back(b); });
        measureLoops(order);
        for (TKeloBlock *b : order)
            block(b);
    }

private:
    template<typename Visit>
    static void walk(TKeloBlock *start, Visit visit)
    {
        std::vector<TKeloBlock *> pending{start};
        // A loop in the links (only a damaged file makes one) must not send forever.
        for (int guard = 0; !pending.empty() && guard < (1 << 20);) {
            TKeloBlock *b = pending.back();
            pending.pop_back();
            if (!b)
                continue;
            ++guard;
            visit(b);
            pending.push_back(b->GetLinkTo());
            if (auto *c = dynamic_cast<TKeloControlElseBlock *>(b); c && c->elsevisible())
                pending.push_back(c->ElseBlock());
            if (dynamic_cast<TKeloContainerBlock *>(b))
                pending.push_back(b->firstBlock());
        }
    }

    // A repeat block reports the size of its body as parameter 2, and that size
    // counts every block nested in it: asked of each loop, it would walk the same
    // bodies again and again. The sizes are found once, innermost first, each from
    // the sizes of the loops directly in its body; they are what the blocks report.
    void measureLoops(const std::vector<TKeloBlock *> &order)
    {
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            auto *container = dynamic_cast<TKeloContainerBlock *>(*it);
            if (!container)
                continue;
            int size = 1;
            int steps = int(order.size());
            for (TKeloBlock *b = container->firstBlock(); b && steps > 0; b = b->GetLinkTo(), --steps) {
                const auto known = fContainerSize.constFind(b);
                if (known != fContainerSize.cend())
                    size += *known;
                else if (auto *inner = dynamic_cast<TKeloContainerBlock *>(b))
                    size += inner->getContainersize();  // outside the walk: only a damaged file
                else
                    size += b->Getblocksize();
            }
            fContainerSize.insert(container, size);
        }
    }

    int param2(const TKeloBlock *b) const
    {
        if (dynamic_cast<const TKeloLoopBlock *>(b)) {
            const auto known = fContainerSize.constFind(b);
            if (known != fContainerSize.cend())
                return *known;
        }
        return b->GetParam2();
    }

    void block(TKeloBlock *b)
    {
        const int v1 = LiveProgram::variableValue(b->VarParam1(), fVariables);
        const int v2 = LiveProgram::variableValue(b->VarParam2(), fVariables);
        word(b->CommndID);
        word(b->PDevice());
        word(b->GetParam1());
        word(v1);
        word(v2);
        QStringList log{u"Sending CMD="_s + QString::number(b->CommndID) + u" Dev= "_s + QString::number(b->PDevice())
                        + u" p_1="_s + QString::number(b->GetParam1()) + u" v_1="_s + QString::number(v1)
                        + u" v_2="_s + QString::number(v2) + u" p_2="_s + QString::number(param2(b))};
        const QString text = b->ParamStr();
        if (text.isEmpty()) {
            word(param2(b), log);
        } else {
            word(int(text.size()) + 1, log);
            for (QChar ch : text) {
                fOut.steps.push_back({{u"Sending ch:"_s + ch}, QByteArray(1, char(ch.unicode() & 0xFF)), 0, false});
            }
            fOut.steps.push_back({{}, QByteArray(1, '\0'), 0, false});
        }
        fOut.steps.back().endsBlockRecord = true;
        ++fOut.blockRecords;
        fOut.recordBlocks.append(b->Name());
    }

    LiveProgram &fOut;
    const TArduVariables &fVariables;
    QHash<const TKeloBlock *, int> fContainerSize;
};

} // namespace

quint8 LiveProgram::checksum() const
{
    quint8 x = 0;
    for (const LiveStep &s : steps)
        for (char c : s.bytes)
            x ^= quint8(c);
    return x;
}

int LiveProgram::variableValue(const TKeloBlock *attached, const TArduVariables &variables)
{
    if (!attached)
        return -1;
    if (attached->CommndID >= TKeloBlock::FirstDeviceValueId)
        return attached->CommndID;
    const TArduVar *var = variables.GetVarByName(attached->param1question);
    return var ? var->VarID : UnknownVariable;
}

LiveProgram LiveProgram::encode(TKeloBlock *start, const ActiveDevices &devices, const TArduVariables &variables)
{
    LiveProgram out;
    out.blockCount = start ? start->getKeloBlockListSize() : 0;
    out.deviceCount = devices.count();
    Encoder enc(out, variables);
    for (int i = 0; i < devices.count(); ++i)
        enc.device(i, devices.device(i));
    enc.chain(start);
    return out;
}
