// The results and diary pages' ways out of the program, behind replaceable calls so
// that tests never block on a dialog or start a browser.
#pragma once

#include <windows.h>

#include <string>

// Opens a document with its default program (the results sheet, the diary's
// web page); false when none would.
bool OpenDocument(const std::string& path);
// Replaces opening a document with its default program (ShellExecute "open").
using OpenDocumentHook = bool (*)(const std::string& path);
OpenDocumentHook SetOpenDocumentHook(OpenDocumentHook hook);
