#pragma once

#include "catalogue/PanelSpec.h"

// The panels of general commands: four on the "Γενικές Εντολές" tab and the
// variables panel with its two variable commands.
namespace GeneralCatalogue {
PanelSpec startEndPanel();  // strtPanel
PanelSpec loopPanel();      // LoopPanel
PanelSpec conditionPanel(); // CtrlPanel
PanelSpec variousPanel();   // variousPanel
PanelSpec variablesPanel(); // VarPanel
} // namespace GeneralCatalogue
