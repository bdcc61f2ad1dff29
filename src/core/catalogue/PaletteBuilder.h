#pragma once

#include "catalogue/PanelSpec.h"

class Workspace;
class BlockArea;
class TKeloBlock;

// Turns the catalogue into prototype blocks on the palette panels of a workspace,
// panel by panel in the building order.
class PaletteBuilder {
public:
    static void build(Workspace &workspace);
    static BlockArea *buildPanel(Workspace &workspace, const PanelSpec &panel);
    static TKeloBlock *createPrototype(Workspace &workspace, BlockArea *panel, const PrototypeSpec &row,
                                       TColor baseColor);
};
