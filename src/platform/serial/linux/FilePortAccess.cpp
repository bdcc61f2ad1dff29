#include "serial/linux/FilePortAccess.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

bool FilePortAccess::permissionDenied(const QString &port) const
{
    const QByteArray path = QFile::encodeName(port);
    if (::access(path.constData(), R_OK | W_OK) == 0)
        return false;
    return errno == EACCES;
}
