#pragma once

// Gives the program's windows the icon the package installs into the icon theme.
// Looking it up in the theme costs a few milliseconds, so the main window does it
// once it has been painted; a window that may come first asks for it before.
// Only the first call looks.
void setProgramIcon();
