// The results page's two ways out of the program, behind replaceable calls so
// that tests never block on a dialog or start a browser.
#pragma once

#include <windows.h>

#include <string>

// Replaces opening a document with its default program (ShellExecute "open").
using OpenDocumentHook = bool (*)(const std::string& path);
OpenDocumentHook SetOpenDocumentHook(OpenDocumentHook hook);
