#pragma once

#include "serial/PortUse.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

// The one owner of the program's serial ports. Live mode, uploads and firmware burns
// take a port from it and give it back; our own open port would otherwise make the
// uploader's open fail (ports are opened exclusively). A port held by live mode
// between transfers is let go when another user asks for it; a port held by a
// running upload or burn, or by a live transfer that is under way, is not.
class SerialPortOwner {
public:
    // Gives the port back when destroyed. May outlive the owner.
    class Lease {
    public:
        ~Lease();
        Lease(const Lease &) = delete;
        Lease &operator=(const Lease &) = delete;
        QString port() const { return fPort; }

    private:
        friend class SerialPortOwner;
        struct State;
        Lease(std::shared_ptr<State> state, QString key, QString port, quint64 id);
        std::shared_ptr<State> fState;
        QString fKey;
        QString fPort;
        quint64 fId;
    };

    SerialPortOwner();
    ~SerialPortOwner();

    // Takes the port for user. release lets the holder be asked to give the port up
    // (it closes the port and answers true, or false when it cannot now); without
    // it the holder keeps the port until its lease ends. Null when the port is held
    // by someone who does not let go: *heldBy then names them.
    std::unique_ptr<Lease> take(const QString &port, PortUse user, std::function<bool()> release = {},
                                PortUse *heldBy = nullptr);
    // Who holds the port now.
    std::optional<PortUse> holder(const QString &port) const;

private:
    std::shared_ptr<Lease::State> fState;
};
