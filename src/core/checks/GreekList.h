#pragma once

#include <QStringList>

// Lists in a Greek sentence: "A", "A και B", "A, B και C".
class GreekList {
public:
    static QString join(QStringList items);
};
