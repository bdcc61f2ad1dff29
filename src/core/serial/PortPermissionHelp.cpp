#include "serial/PortPermissionHelp.h"

#include "serial/PortAccess.h"

using namespace Qt::StringLiterals;

QString PortPermissionHelp::text(const QString &group)
{
#ifdef Q_OS_WIN
    Q_UNUSED(group);
    return u"Δεν επιτρέπεται η χρήση της πόρτας. Ζητήστε βοήθεια από τον υπεύθυνο των υπολογιστών."_s;
#else
    return u"Ο λογαριασμός σας δεν έχει δικαίωμα να χρησιμοποιήσει τις σειριακές πόρτες. Ζητήστε από τον "
           u"υπεύθυνο των υπολογιστών να τρέξει την εντολή\n    "_s
        + command(group) + u"\nκαι μετά αποσυνδεθείτε και συνδεθείτε ξανά στον υπολογιστή."_s;
#endif
}

QStringList PortPermissionHelp::lines(const QString &port)
{
    QStringList out{u"Η πόρτα %1 δεν ανοίγει:"_s.arg(port)};
    for (const QString &line : text().split(u'\n'))
        out << line.trimmed();
    return out;
}

QString PortPermissionHelp::check(const PortAccess *access, const QString &port)
{
    if (!access || port.isEmpty())
        return {};
    QString group = access->missingGroup(port);
    if (group.isEmpty() && !access->permissionDenied(port))
        return {};
    if (group.isEmpty())
        group = QStringLiteral("dialout");
    return u"Η πόρτα «%1» δεν μπορεί να χρησιμοποιηθεί από τον λογαριασμό σας.\n"_s.arg(port) + text(group);
}
