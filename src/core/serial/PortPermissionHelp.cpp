#include "serial/PortPermissionHelp.h"

using namespace Qt::StringLiterals;

QStringList PortPermissionHelp::lines(const QString &port)
{
    return {
        u"Η πόρτα %1 υπάρχει, αλλά ο χρήστης σας δεν έχει άδεια να την ανοίξει."_s.arg(port),
        u"Για να αποκτήσετε άδεια, γράψτε σε ένα τερματικό: %1"_s.arg(command()),
        u"Μετά αποσυνδεθείτε και συνδεθείτε ξανά στον υπολογιστή (ή κάντε επανεκκίνηση): η αλλαγή ισχύει από την επόμενη σύνδεση."_s,
    };
}

QString PortPermissionHelp::text(const QString &port)
{
    return lines(port).join(u'\n');
}
