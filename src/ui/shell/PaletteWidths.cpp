#include "shell/PaletteWidths.h"

#include "project/Project.h"

std::future<std::unique_ptr<FontTextMeasurer>> PaletteWidths::measureInBackground()
{
    return std::async(std::launch::async, [] {
        auto measurer = std::make_unique<FontTextMeasurer>();
        // A palette of its own, built the same way as the window's and then dropped:
        // what stays is the measurer's widths.
        Project scratch(measurer.get(), nullptr, nullptr);
        scratch.buildPalette();
        return measurer;
    });
}
