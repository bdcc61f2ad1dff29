#pragma once

#include <QString>

// Text measurement in the fonts blocks draw with. The window measures with
// QFontMetrics; tests use FixedTextMeasurer.
enum class BlockFont {
    Command,     // bold, size 10: command text, parameter editors, text editor
    DeviceList,  // bold, size 8: the device chooser of a block
    VarList,     // bold, size 10: the variable chooser of a variable command
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int textWidth(const QString &text, BlockFont font) const = 0;
    virtual int textHeight(const QString &text, BlockFont font) const = 0;
};

// Every character has the same width; every text the same height.
class FixedTextMeasurer : public TextMeasurer {
public:
    explicit FixedTextMeasurer(int charWidth = 7, int height = 16) : cw(charWidth), h(height) {}
    int textWidth(const QString &text, BlockFont) const override { return int(text.size()) * cw; }
    int textHeight(const QString &, BlockFont) const override { return h; }

private:
    int cw;
    int h;
};
