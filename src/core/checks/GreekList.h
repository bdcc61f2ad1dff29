#pragma once

#include <QStringList>

// Lists in a Greek sentence: "A", "A και B", "A, B και C"; a choice ends in "ή".
class GreekList {
public:
    static QString join(QStringList items);
    static QString choice(QStringList items);

private:
    static QString join(QStringList items, const QString &last);
};
