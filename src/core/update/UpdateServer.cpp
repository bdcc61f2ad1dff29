#include "update/UpdateServer.h"

#include "util/IniFile.h"

using namespace Qt::StringLiterals;

UpdateServer::UpdateServer(const QUrl &base)
{
    const QString scheme = base.scheme().toLower();
    if (!base.isValid() || base.host().isEmpty() || (scheme != u"http"_s && scheme != u"https"_s))
        return;
    fBase = base;
    if (!fBase.path().endsWith(u'/'))
        fBase.setPath(fBase.path() + u'/');
}

UpdateServer UpdateServer::fromOptions(const QString &optionsFile)
{
    IniFile ini(optionsFile);
    ini.load();
    const QString text = ini.readString(section(), key()).trimmed();
    return UpdateServer(text.isEmpty() ? QUrl() : QUrl(text, QUrl::StrictMode));
}

bool UpdateServer::isSecure() const
{
    return fBase.scheme().compare(u"https"_s, Qt::CaseInsensitive) == 0;
}

QString UpdateServer::address() const
{
    return fBase.toDisplayString();
}

QUrl UpdateServer::file(const QString &name) const
{
    if (!isSet())
        return QUrl();
    return fBase.resolved(QUrl(name));
}
