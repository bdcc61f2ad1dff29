#pragma once

#include "update/UpdateTransport.h"

#include <QObject>
#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;

// The update check's requests over the network. One access manager serves every
// request, so the cookies a server sets come back with the next request. Requests
// still running when the transport goes are aborted without a word.
class NetworkUpdateTransport : public QObject, public UpdateTransport {
    Q_OBJECT
public:
    explicit NetworkUpdateTransport(QObject *parent = nullptr);
    ~NetworkUpdateTransport() override;

    void get(const QUrl &url, const QString &saveAs, Progress progress, Finished finished) override;

private:
    QNetworkAccessManager *fNetwork;
    QList<QPointer<QNetworkReply>> fRunning;
};
