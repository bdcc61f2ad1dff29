#pragma once

// Lets GoogleTest print Qt values readably in failure messages.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << "{\n";
    for (const QString &s : l)
        *os << "  \"" << s.toStdString() << "\"\n";
    *os << "}";
}

inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << '"' << b.toStdString() << '"';
}

#include <QPoint>
#include <QRect>
#include <QSize>

inline void PrintTo(const QPoint &p, std::ostream *os)
{
    *os << '(' << p.x() << ", " << p.y() << ')';
}

inline void PrintTo(const QSize &s, std::ostream *os)
{
    *os << s.width() << 'x' << s.height();
}

inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.width() << 'x' << r.height() << " at (" << r.x() << ", " << r.y() << ')';
}
