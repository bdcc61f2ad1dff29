#include "update/InstallerDigest.h"

#include <QCryptographicHash>
#include <QFile>

#include <cctype>

QByteArray InstallerDigest::parse(QByteArrayView published)
{
    const QByteArray text = published.toByteArray().trimmed();
    constexpr qsizetype Length = 64;
    if (text.size() < Length)
        return QByteArray();
    for (qsizetype i = 0; i < Length; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text.at(i))))
            return QByteArray();
    // Anything right after the digest must be a separator, not a 65th digit.
    if (text.size() > Length && !std::isspace(static_cast<unsigned char>(text.at(Length))))
        return QByteArray();
    return text.left(Length).toLower();
}

QByteArray InstallerDigest::ofFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return QByteArray();
    return hash.result().toHex();
}

bool InstallerDigest::matches(const QString &path, QByteArrayView published)
{
    const QByteArray expected = parse(published);
    return !expected.isEmpty() && ofFile(path) == expected;
}
