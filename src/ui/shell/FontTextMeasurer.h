#pragma once

#include "util/TextMeasurer.h"

#include <QFontMetrics>
#include <QHash>

// Measures block texts in the fonts the block widgets draw with: bold Tahoma 10 pt
// for commands and variable lists, bold Tahoma 8 pt for device lists (fontconfig
// substitutes a similar face where Tahoma is missing).
class FontTextMeasurer : public TextMeasurer {
public:
    FontTextMeasurer();

    int textWidth(const QString &text, BlockFont font) const override;
    int textHeight(const QString &text, BlockFont font) const override;

    static QFont fontFor(BlockFont font);

    // Takes over the widths another measurer has found, as if measured here.
    void adoptWidths(const FontTextMeasurer &other);

private:
    const QFontMetrics &metrics(BlockFont font) const;

    QFontMetrics fCommand;
    QFontMetrics fDeviceList;
    // Shaping a text is costly and blocks repeat the same few texts (commands,
    // numbers, names): each is measured once per font.
    mutable QHash<QString, int> fCommandWidths;
    mutable QHash<QString, int> fDeviceListWidths;
};
