#pragma once

#include "catalogue/DeviceTileSpec.h"
#include "catalogue/PanelSpec.h"

#include <QList>
#include <QStringList>

// Every palette panel in the order the palette is built. The variables panel comes
// after the temperature panel, between the device panels.
const QList<PanelSpec> &paletteBuildOrder();

// Captions of the palette tabs, indexed by PaletteTab.
QStringList paletteTabCaptions();

// A panel is drawn lighter than the blocks it holds.
TColor panelColor(const PanelSpec &panel);

// Height of a panel sized around its prototypes: the last prototype's top plus its
// height plus 40. Returns -1 for a panel that fills its group instead (the variables
// panel), whose height the window sets.
int panelHeight(const PanelSpec &panel, int protoHeight = 44);

// The device tiles of the devices page, by type id.
const QList<DeviceTileSpec> &deviceTiles();

// A tile panel finds its parts by name: its own name without the first three
// characters, followed by "Add" for the button and preceded by "lbl" for the counter
// ("pnlRobot" gives "RobotAdd" and "lblRobot"). Compare the results without regard to case.
QString getPanelAddButtonName(const QString &panelName);
QString getPanelCountLabelName(const QString &panelName);
