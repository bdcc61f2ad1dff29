#include "util/LineChange.h"

#include <algorithm>

LineChange LineChange::between(const QStringList &before, const QStringList &after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before.at(head) == after.at(head))
        ++head;
    // The shared end may not reach into the shared start: "a b" to "a b b" inserts
    // one "b", it does not overlap the two.
    qsizetype tail = 0;
    while (tail < shorter - head && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    LineChange c;
    c.first = head;
    c.removed = before.size() - head - tail;
    c.inserted = after.mid(head, after.size() - head - tail);
    return c;
}
