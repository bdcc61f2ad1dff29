#include "serial/SerialPortOwner.h"

#include <QFileInfo>
#include <QHash>

struct SerialPortOwner::Lease::State {
    struct Holder {
        PortUse user;
        std::function<bool()> release;
        quint64 id;
    };
    QHash<QString, Holder> holders;
    quint64 nextId = 1;
};

namespace {

// A port named through a link (a fixed name in "BTPort.ini", /dev/serial/by-id/…) is
// the same port as its target.
QString keyOf(const QString &port)
{
    const QString canonical = QFileInfo(port).canonicalFilePath();
    return canonical.isEmpty() ? port : canonical;
}

} // namespace

SerialPortOwner::Lease::Lease(std::shared_ptr<State> state, QString key, QString port, quint64 id)
    : fState(std::move(state)), fKey(std::move(key)), fPort(std::move(port)), fId(id)
{
}

SerialPortOwner::Lease::~Lease()
{
    const auto it = fState->holders.constFind(fKey);
    if (it != fState->holders.cend() && it->id == fId)
        fState->holders.erase(it);
}

SerialPortOwner::SerialPortOwner() : fState(std::make_shared<Lease::State>()) {}

SerialPortOwner::~SerialPortOwner() = default;

std::unique_ptr<SerialPortOwner::Lease> SerialPortOwner::take(const QString &port, PortUse user,
                                                              std::function<bool()> release, PortUse *heldBy)
{
    const QString key = keyOf(port);
    auto it = fState->holders.find(key);
    if (it != fState->holders.end()) {
        const PortUse current = it->user;
        // The holder is asked in turn; its answer may end its own lease.
        const std::function<bool()> ask = it->release;
        if (!ask || !ask()) {
            if (heldBy)
                *heldBy = current;
            return nullptr;
        }
        fState->holders.remove(key);
    }
    const quint64 id = fState->nextId++;
    fState->holders.insert(key, {user, std::move(release), id});
    return std::unique_ptr<Lease>(new Lease(fState, key, port, id));
}

std::optional<PortUse> SerialPortOwner::holder(const QString &port) const
{
    const auto it = fState->holders.constFind(keyOf(port));
    if (it == fState->holders.cend())
        return std::nullopt;
    return it->user;
}
