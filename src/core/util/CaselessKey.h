#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringView>

// Hash and equality of names that ignore letter case as QString::toLower() does, for
// hash containers keyed by QString and searched with QStringView: no lower-case copy
// is made, except for names with characters beyond ASCII.
struct CaselessHash {
    using is_transparent = void;
    size_t operator()(QStringView s) const;
};

struct CaselessEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const;
};

// A name as a key of a QHash, compared and hashed the same way.
struct CaselessName {
    QString text;
    bool operator==(const CaselessName &other) const { return CaselessEqual()(text, other.text); }
};

inline size_t qHash(const CaselessName &name, size_t seed = 0)
{
    return CaselessHash()(name.text) ^ seed;
}
