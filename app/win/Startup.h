#pragma once

#include <windows.h>

// The five keys' accelerators: Enter, Esc, Page Up, Page Down, Insert, each
// FVIRTKEY only, turned into the commands 50050 to 50054; and Ctrl+Enter,
// Enter too (it marks from the multi-line copy field, where Enter is a line
// break).
HACCEL CreateKlaviroAccelerators();

// Registers ATextBWnd, ATextLWnd, ATimerWnd and APictureWnd, in that order.
void RegisterControlClasses(HINSTANCE instance);

// Runs until the main window is gone or the quit message arrives. Every
// message is offered to the accelerators before the dialog manager, so the
// five keys reach the main window as commands, except the keys a control
// keeps: Enter and Esc in a dropped list, Enter in the multi-line copy field.
// Ctrl+A selects all in any edit field. A failure that comes
// back out of a message is reported and the loop goes on.
void RunMessageLoop(HWND mainWindow, HACCEL accelerators);

// What the entry point does when a failure reaches it and the program cannot
// go on: the main window, when there is one, closes as at a normal end (every
// page's closing work, the settings saved), then `what` is reported through
// the message box seam.
void EndAfterFailure(HWND mainWindow, const char* what);
