#include "serial/PortPermissionHelp.h"

using namespace Qt::StringLiterals;

QString PortPermissionHelp::text()
{
#ifdef Q_OS_WIN
    return u"Δεν επιτρέπεται η χρήση της πόρτας. Ζητήστε βοήθεια από τον υπεύθυνο των υπολογιστών."_s;
#else
    return u"Ο λογαριασμός σας δεν έχει δικαίωμα να χρησιμοποιήσει τις σειριακές πόρτες. Ζητήστε από τον "
           u"υπεύθυνο των υπολογιστών να τρέξει την εντολή\n    "_s
        + command() + u"\nκαι μετά αποσυνδεθείτε και συνδεθείτε ξανά στον υπολογιστή."_s;
#endif
}

QStringList PortPermissionHelp::lines(const QString &port)
{
    QStringList out{u"Η πόρτα %1 δεν ανοίγει:"_s.arg(port)};
    for (const QString &line : text().split(u'\n'))
        out << line.trimmed();
    return out;
}
