#include "checks/GreekList.h"

using namespace Qt::StringLiterals;

QString GreekList::join(QStringList items)
{
    if (items.size() < 2)
        return items.join(QString());
    const QString last = items.takeLast();
    return items.join(u", "_s) + u" και "_s + last;
}
