#pragma once
// Dialogs taller or wider than the screen (a 1024x600 netbook, or 150 %
// text on a laptop) are laid out again when shown: their buttons move to a
// row at the bottom, always in view, and everything else scrolls above it.
// Installed once for every dialog of the program.

void FitDialogsToScreen();
