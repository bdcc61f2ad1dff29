#pragma once

#include <QString>
#include <cstdint>

// A 24-bit colour with red in the lowest byte, as the project files store it
// (32768 is green 128, 128 is red 128).
using TColor = std::int32_t;

namespace KeloColor {
constexpr TColor rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr int red(TColor c) { return c & 0xFF; }
constexpr int green(TColor c) { return (c >> 8) & 0xFF; }
constexpr int blue(TColor c) { return (c >> 16) & 0xFF; }

constexpr TColor Red = rgb(255, 0, 0);
constexpr TColor Black = 0;
constexpr TColor White = rgb(255, 255, 255);
constexpr TColor Yellow = rgb(255, 255, 0);
constexpr TColor Gray = rgb(128, 128, 128);
constexpr TColor None = -1;  // "no colour" marker (enblColor)
} // namespace KeloColor

// Each channel x becomes 255 - (255 - x) * (100 - percent) / 100.
TColor LighterColor(TColor color, int percent);
// Each channel x becomes x * (100 - percent) / 100.
TColor DarkerColor(TColor color, int percent);
// "#RRGGBB" to a colour; anything else gives black.
TColor HtmlToColor(const QString &text);
