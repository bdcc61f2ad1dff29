#include "toolchain/IdeDebugSetting.h"

#include "toolchain/IdeLocation.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

bool IdeDebugSetting::ensure(const QString &ideFolder)
{
    if (ideFolder.isEmpty())
        return false;
    const QString path = IdeLocation::fileIn(ideFolder, launcherFileName());
    QFile in(path);
    if (!in.exists() || !in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    in.close();
    const QByteArray eol = data.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    QList<QByteArray> lines = data.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QByteArray name = "-DDebug";
    qsizetype found = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].endsWith('\r'))
            lines[i].chop(1);
        if (found < 0 && lines[i].startsWith(name) && (lines[i].size() == name.size() || lines[i].at(name.size()) == '='))
            found = i;
    }
    if (found >= 0 && !lines[found].mid(name.size() + 1).trimmed().isEmpty())
        return false;
    const QByteArray line = name + "=false";
    if (found >= 0)
        lines[found] = line;
    else
        lines.append(line);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray &l : lines)
        out.write(l + eol);
    return out.commit();
}
