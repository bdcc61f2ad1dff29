#pragma once

#include "catalogue/Catalogue.h"

#include <gtest/gtest.h>

// The built panel with the given component name; fails the test when it is missing.
inline const PanelSpec &panelNamed(const QString &component)
{
    for (const PanelSpec &panel : paletteBuildOrder()) {
        if (panel.component == component)
            return panel;
    }
    ADD_FAILURE() << "no panel " << component.toStdString();
    static const PanelSpec none;
    return none;
}
