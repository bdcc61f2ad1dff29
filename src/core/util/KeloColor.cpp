#include "KeloColor.h"

using namespace KeloColor;

TColor LighterColor(TColor color, int percent)
{
    auto ch = [percent](int x) { return 255 - (255 - x) * (100 - percent) / 100; };
    return rgb(ch(red(color)), ch(green(color)), ch(blue(color)));
}

TColor DarkerColor(TColor color, int percent)
{
    auto ch = [percent](int x) { return x * (100 - percent) / 100; };
    return rgb(ch(red(color)), ch(green(color)), ch(blue(color)));
}

TColor HtmlToColor(const QString &text)
{
    if (text.size() != 7 || text.at(0) != u'#')
        return Black;
    bool ok = false;
    const uint v = text.mid(1).toUInt(&ok, 16);
    if (!ok)
        return Black;
    return rgb(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF));
}
