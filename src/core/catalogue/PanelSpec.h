#pragma once

#include "catalogue/PrototypeSpec.h"
#include "util/KeloColor.h"

#include <QList>
#include <QString>

// Palette tabs, in the order the tab control shows them.
enum PaletteTab {
    GeneralTab = 0, // "Γενικές Εντολές"
    DevicesTab = 1, // "Εντολές Συσκευών"
    VariablesTab = 2, // "Μεταβλητές"
};

// One collapsible category panel of the palette and the prototypes it holds.
struct PanelSpec {
    QString component;  // the panel's component name: strtPanel, LoopPanel, …
    QString caption;
    TColor baseColor = 0; // colour of its blocks; the panel itself is lighter (panelColor)
    int deviceType = -1;  // -1: general panel
    int tab = GeneralTab;
    // The variables panel grows at run time (value blocks per variable), so it fills
    // its group instead of being sized around its prototypes.
    bool fillsGroup = false;
    QList<PrototypeSpec> prototypes;
};

// Prototypes stand one under the other, 50 pixels apart, from the panel's first top:
// 10 on ordinary panels, 40 on the variables panel (below its tool bar).
constexpr int kPrototypeSpacing = 50;
constexpr int kFirstPrototypeTop = 10;
constexpr int kFirstVariablePrototypeTop = 40;

inline void stackPrototypes(PanelSpec &panel, int firstTop)
{
    int top = firstTop;
    for (PrototypeSpec &p : panel.prototypes) {
        p.Top = top;
        top += kPrototypeSpacing;
    }
}
