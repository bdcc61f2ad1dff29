#pragma once

#include <QString>
#include <exception>

// A block-editing error with a message for the user, shown by the application's
// general error handler.
class KeloError : public std::exception {
public:
    explicit KeloError(const QString &message) : fMessage(message), fUtf8(message.toUtf8()) {}
    const QString &message() const { return fMessage; }
    const char *what() const noexcept override { return fUtf8.constData(); }

private:
    QString fMessage;
    QByteArray fUtf8;
};
