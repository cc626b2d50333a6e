#pragma once

#include <windows.h>

// The five accelerators: Enter, Esc, Page Up, Page Down, Insert, each
// FVIRTKEY only, turned into the commands 50050 to 50054.
HACCEL CreateKlaviroAccelerators();

// Registers ATextBWnd, ATextLWnd, ATimerWnd and APictureWnd, in that order.
void RegisterControlClasses(HINSTANCE instance);

// Runs until the main window is gone or the quit message arrives. Every
// message is offered to the accelerators before the dialog manager, so the
// five keys always reach the main window as commands, except Enter in an
// edit that takes it itself (EnterStaysInEdit). A failure that comes
// back out of a message is reported and the loop goes on.
void RunMessageLoop(HWND mainWindow, HACCEL accelerators);

// True for Enter (down or up) while the focus is in a multi-line edit that
// wants it (ES_MULTILINE | ES_WANTRETURN): there it makes a new line and is
// no command of the page.
bool EnterStaysInEdit(const MSG& msg);

// What the entry point does when a failure reaches it and the program cannot
// go on: the main window, when there is one, closes as at a normal end (every
// page's closing work, the settings saved), then `what` is reported through
// the message box seam.
void EndAfterFailure(HWND mainWindow, const char* what);
