#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <unordered_set>

// Hands out one shared copy of each distinct text. Blocks read from a file repeat
// the same command texts, templates and hints thousands of times; through the pool
// they share them instead of holding a copy each.
class StringPool {
public:
    const QString &intern(QStringView text)
    {
        const auto it = fTexts.find(text);
        if (it != fTexts.end())
            return *it;
        return *fTexts.insert(text.toString()).first;
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(QStringView s) const { return qHash(s); }
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const { return a == b; }
    };
    std::unordered_set<QString, Hash, Equal> fTexts;
};
