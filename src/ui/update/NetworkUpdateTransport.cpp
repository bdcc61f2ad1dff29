#include "update/NetworkUpdateTransport.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <memory>

using namespace Qt::StringLiterals;

NetworkUpdateTransport::NetworkUpdateTransport(QObject *parent)
    : QObject(parent), fNetwork(new QNetworkAccessManager(this))
{
}

NetworkUpdateTransport::~NetworkUpdateTransport()
{
    for (const QPointer<QNetworkReply> &reply : std::as_const(fRunning)) {
        if (reply) {
            reply->disconnect(this);
            reply->abort();
        }
    }
}

void NetworkUpdateTransport::get(const QUrl &url, const QString &saveAs, Progress progress, Finished finished)
{
    QNetworkRequest request(url);
    request.setRawHeader("Accept", acceptHeader());
    request.setRawHeader("User-Agent", userAgent());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(TimeoutMs);

    std::shared_ptr<QFile> file;
    if (!saveAs.isEmpty()) {
        file = std::make_shared<QFile>(saveAs);
        if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            Reply failed;
            failed.error = u"Cannot create file %1: %2"_s.arg(saveAs, file->errorString());
            finished(failed);
            return;
        }
    }

    QNetworkReply *reply = fNetwork->get(request);
    fRunning.append(reply);
    if (progress)
        connect(reply, &QNetworkReply::downloadProgress, this, [progress](qint64 soFar, qint64 total) {
            progress(soFar, total);
        });
    if (file)
        connect(reply, &QNetworkReply::readyRead, this, [reply, file] { file->write(reply->readAll()); });
    connect(reply, &QNetworkReply::finished, this, [this, reply, file, finished] {
        fRunning.removeAll(reply);
        reply->deleteLater();
        Reply result;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::OperationCanceledError) {
            // Nothing else cancels a request: the transfer time-out did.
            result.error = u"Read timed out."_s;
        } else if (reply->error() != QNetworkReply::NoError && status == 0) {
            result.error = reply->errorString();
        } else if (status < 200 || status > 299) {
            const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            result.error = u"HTTP/1.1 %1 %2"_s.arg(status).arg(reason).trimmed();
        } else {
            result.ok = true;
        }
        if (file) {
            if (result.ok)
                file->write(reply->readAll());
            if (result.ok && !file->flush())
                result = Reply{false, {}, u"Cannot write file %1: %2"_s.arg(file->fileName(), file->errorString())};
            file->close();
        } else if (result.ok) {
            result.body = reply->readAll();
        }
        finished(result);
    });
}
