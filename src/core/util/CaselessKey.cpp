#include "util/CaselessKey.h"

#include <QVarLengthArray>

namespace {

bool isAscii(QStringView s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

char16_t lowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

} // namespace

size_t CaselessHash::operator()(QStringView s) const
{
    if (!isAscii(s))
        return qHash(s.toString().toLower());
    // The hash of the lower-case text itself, so that a name beyond ASCII whose lower
    // case is ASCII (the Kelvin sign becomes k) hashes alike.
    QVarLengthArray<char16_t, 64> lower(s.size());
    for (qsizetype i = 0; i < s.size(); ++i)
        lower[i] = lowerAscii(s[i].unicode());
    return qHash(QStringView(lower.data(), lower.size()));
}

bool CaselessEqual::operator()(QStringView a, QStringView b) const
{
    if (isAscii(a) && isAscii(b)) {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (lowerAscii(a[i].unicode()) != lowerAscii(b[i].unicode()))
                return false;
        return true;
    }
    return a.toString().toLower() == b.toString().toLower();
}
