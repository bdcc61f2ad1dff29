#include "checks/GreekList.h"

using namespace Qt::StringLiterals;

QString GreekList::join(QStringList items)
{
    return join(std::move(items), u" και "_s);
}

QString GreekList::choice(QStringList items)
{
    return join(std::move(items), u" ή "_s);
}

QString GreekList::join(QStringList items, const QString &last)
{
    if (items.size() < 2)
        return items.join(QString());
    const QString final = items.takeLast();
    return items.join(u", "_s) + last + final;
}
