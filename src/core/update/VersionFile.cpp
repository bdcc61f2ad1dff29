#include "update/VersionFile.h"

#include "util/Cp1253.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

QString VersionFile::statusText(QByteArrayView body)
{
    return Cp1253::decodeText(body).left(UsedLength);
}

QString VersionFile::latest(const QStringList &statusLines)
{
    for (const QString &line : statusLines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || line.left(eq).compare(u"latest"_s, Qt::CaseInsensitive) != 0)
            continue;
        QString value = line.mid(eq + 1);
        const qsizetype lineEnd = value.indexOf(QRegularExpression(u"[\r\n]"_s));
        if (lineEnd >= 0)
            value.truncate(lineEnd);
        return value.trimmed();
    }
    return QString();
}

bool VersionFile::offers(const QString &latest, const QString &current)
{
    return !latest.isEmpty() && latest != current;
}
