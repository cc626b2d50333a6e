#pragma once

#include <windows.h>

// The five accelerators: Enter, Esc, Page Up, Page Down, Insert, each
// FVIRTKEY only, turned into the commands 50050 to 50054.
HACCEL CreateKlaviroAccelerators();

// Registers ATextBWnd, ATextLWnd, ATimerWnd and APictureWnd, in that order.
void RegisterControlClasses(HINSTANCE instance);

// Runs until the main window is gone or the quit message arrives. Every
// message is offered to the accelerators before the dialog manager, so the
// five keys always reach the main window as commands.
void RunMessageLoop(HWND mainWindow, HACCEL accelerators);
