#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for the update check's tests, plain or over
// TLS with the test certificate of tests/data/update (which the test process then
// trusts). It answers each path with a fixed response, records every request, and
// can take a request and never answer it.
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <memory>

class LocalHttpServer {
public:
    struct Response {
        QByteArray status = "200 OK";
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        bool silent = false;  // take the request, never answer
    };
    struct Request {
        QByteArray path;
        QHash<QByteArray, QByteArray> headers;  // names in lower case
        qint64 atMs = 0;                        // since the server started
    };

    explicit LocalHttpServer(bool tls = false)
    {
        if (tls) {
            auto *server = new QSslServer;
            server->setSslConfiguration(serverTls());
            fServer.reset(server);
            trustTestCertificate();
        } else {
            fServer = std::make_unique<QTcpServer>();
        }
        fServer->listen(QHostAddress::LocalHost);
        QObject::connect(fServer.get(), &QTcpServer::pendingConnectionAvailable, [this] { accept(); });
        fClock.start();
    }

    QUrl base() const
    {
        return QUrl(QStringLiteral("%1://127.0.0.1:%2/vimsel/")
                        .arg(qobject_cast<QSslServer *>(fServer.get()) ? QStringLiteral("https") : QStringLiteral("http"))
                        .arg(fServer->serverPort()));
    }
    // Milliseconds since the server started, the clock of Request::atMs.
    qint64 now() const { return fClock.elapsed(); }
    QByteArrayList paths() const
    {
        QByteArrayList out;
        for (const Request &r : requests)
            out << r.path;
        return out;
    }
    void route(const QByteArray &file, Response response) { fRoutes.insert("/vimsel/" + file, std::move(response)); }
    static Response ok(const QByteArray &body, QList<QPair<QByteArray, QByteArray>> headers = {})
    {
        return {"200 OK", std::move(headers), body, false};
    }

    QList<Request> requests;

private:
    static QString dataFile(const char *name) { return QStringLiteral(TEST_DATA_DIR "/update/") + QLatin1String(name); }
    static QSslConfiguration serverTls()
    {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        QFile cert(dataFile("localhost.crt")), key(dataFile("localhost.key"));
        cert.open(QIODevice::ReadOnly);
        key.open(QIODevice::ReadOnly);
        tls.setLocalCertificate(QSslCertificate(cert.readAll()));
        tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
        return tls;
    }
    // The clients of this process accept the test certificate as they would a real one.
    static void trustTestCertificate()
    {
        QFile cert(dataFile("localhost.crt"));
        cert.open(QIODevice::ReadOnly);
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificate(QSslCertificate(cert.readAll()));
        QSslConfiguration::setDefaultConfiguration(tls);
    }

    void accept()
    {
        while (QTcpSocket *socket = fServer->nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                *buffer += socket->readAll();
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end >= 0)
                    answer(socket, buffer->left(end));
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void answer(QTcpSocket *socket, const QByteArray &head)
    {
        const QList<QByteArray> lines = head.split('\n');
        Request request;
        request.path = lines.value(0).split(' ').value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        request.atMs = fClock.elapsed();
        requests.append(request);
        const Response r = fRoutes.value(request.path, Response{"404 Not Found", {}, "not here", false});
        if (r.silent)
            return;
        QByteArray out = "HTTP/1.1 " + r.status + "\r\nContent-Length: " + QByteArray::number(r.body.size())
                         + "\r\nConnection: close\r\n";
        for (const auto &[name, value] : r.headers)
            out += name + ": " + value + "\r\n";
        out += "\r\n" + r.body;
        socket->write(out);
        socket->disconnectFromHost();
    }

    std::unique_ptr<QTcpServer> fServer;
    QMap<QByteArray, Response> fRoutes;
    QElapsedTimer fClock;
};
