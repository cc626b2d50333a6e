#include "controls/win/ColourDialog.h"

namespace {
ColourDialogHook colourDialogHook = nullptr;
}

ColourDialogHook SetColourDialogHook(ColourDialogHook hook) {
    ColourDialogHook previous = colourDialogHook;
    colourDialogHook = hook;
    return previous;
}

BOOL ShowColourDialog(CHOOSECOLORA* choose) {
    if (colourDialogHook)
        return colourDialogHook(choose);
    return ChooseColorA(choose);
}
