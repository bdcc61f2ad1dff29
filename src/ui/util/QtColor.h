#pragma once

#include "util/KeloColor.h"

#include <QColor>

// A block colour (red in the lowest byte) as a QColor, and back.
inline QColor toQColor(TColor c)
{
    return QColor(KeloColor::red(c), KeloColor::green(c), KeloColor::blue(c));
}

inline TColor toTColor(const QColor &c)
{
    return KeloColor::rgb(c.red(), c.green(), c.blue());
}
