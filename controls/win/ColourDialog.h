// The one way the program opens the system colour dialog, so that tests can
// answer it without a modal window.
#pragma once

#include <windows.h>

#include <commdlg.h>

// Returns what ChooseColorA returns: non-zero when the user confirmed, with
// the chosen colour in rgbResult and the custom colours possibly changed.
using ColourDialogHook = BOOL (*)(CHOOSECOLORA* choose);
// Installs a replacement (null restores ChooseColorA); returns the previous one.
ColourDialogHook SetColourDialogHook(ColourDialogHook hook);
BOOL ShowColourDialog(CHOOSECOLORA* choose);
