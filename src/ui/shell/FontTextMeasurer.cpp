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
    QHash<QString, int> &known = font == BlockFont::DeviceList ? fDeviceListWidths : fCommandWidths;
    if (const auto found = known.constFind(text); found != known.cend())
        return found.value();
    // A bound on the memory, should a pupil type thousands of different texts.
    constexpr qsizetype MaxKnown = 20000;
    if (known.size() >= MaxKnown)
        known.clear();
    const int width = metrics(font).horizontalAdvance(text);
    known.insert(text, width);
    return width;
}

void FontTextMeasurer::adoptWidths(const FontTextMeasurer &other)
{
    fCommandWidths.insert(other.fCommandWidths);
    fDeviceListWidths.insert(other.fDeviceListWidths);
}

int FontTextMeasurer::textHeight(const QString &, BlockFont font) const
{
    return metrics(font).height();
}
