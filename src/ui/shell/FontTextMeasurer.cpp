#include "shell/FontTextMeasurer.h"

using namespace Qt::StringLiterals;

FontTextMeasurer::FontTextMeasurer()
    : fCommand(fontFor(BlockFont::Command)), fDeviceList(fontFor(BlockFont::DeviceList))
{
}

QFont FontTextMeasurer::fontFor(BlockFont font)
{
    QFont f(u"Tahoma"_s, font == BlockFont::DeviceList ? 8 : 10, QFont::Bold);
    return f;
}

const QFontMetrics &FontTextMeasurer::metrics(BlockFont font) const
{
    // Commands and variable lists share one font.
    return font == BlockFont::DeviceList ? fDeviceList : fCommand;
}

int FontTextMeasurer::textWidth(const QString &text, BlockFont font) const
{
    return metrics(font).horizontalAdvance(text);
}

int FontTextMeasurer::textHeight(const QString &, BlockFont font) const
{
    return metrics(font).height();
}
