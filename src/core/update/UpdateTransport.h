#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>

// The HTTP requests of the update check: plain GETs with the check's request headers,
// answered asynchronously on the caller's thread. The window uses the network; tests
// may answer from memory.
class UpdateTransport {
public:
    struct Reply {
        bool ok = false;
        QByteArray body;  // the body, unless it went into a file
        QString error;    // why the request failed, in the words of the network layer
    };
    using Progress = std::function<void(qint64 bytesSoFar, qint64 bytesTotal)>;  // total -1: not announced
    using Finished = std::function<void(const Reply &reply)>;

    static QByteArray acceptHeader()
    {
        return QByteArrayLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    }
    static QByteArray userAgent() { return QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)"); }
    // A request that receives nothing for this long gives up.
    static constexpr int TimeoutMs = 5000;

    virtual ~UpdateTransport() = default;
    // GETs the address. With saveAs, the body goes into that file (created, or
    // replaced); otherwise into the reply. An answer other than 2xx is a failure, a
    // redirect included: it is not followed. Cookies the server sets are sent back
    // with later requests. finished is called exactly once, unless the transport is
    // destroyed first.
    virtual void get(const QUrl &url, const QString &saveAs, Progress progress, Finished finished) = 0;
};
