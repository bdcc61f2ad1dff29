#include "serial/linux/FilePortAccess.h"

#include <QFile>

#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

bool FilePortAccess::permissionDenied(const QString &port) const
{
    const QByteArray path = QFile::encodeName(port);
    if (::access(path.constData(), R_OK | W_OK) == 0)
        return false;
    return errno == EACCES;
}

QString FilePortAccess::missingGroup(const QString &port) const
{
    struct stat st {};
    if (::stat(QFile::encodeName(port).constData(), &st) != 0)
        return {};
    // The superuser and the port's owner need no group; a port the group may not use
    // is no question of groups either.
    const uid_t uid = ::geteuid();
    if (uid == 0 || st.st_uid == uid || (st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    if (st.st_gid == ::getegid())
        return {};
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(std::size_t(n > 0 ? n : 0));
    if (n > 0 && ::getgroups(n, groups.data()) == n)
        for (gid_t g : groups)
            if (g == st.st_gid)
                return {};
    const struct group *gr = ::getgrgid(st.st_gid);
    return gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(st.st_gid);
}
