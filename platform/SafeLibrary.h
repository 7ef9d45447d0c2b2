// Library loading that cannot be planted: the setup runs elevated, often from a downloads
// folder that others can write to, so no library may ever come from the program's folder.
#pragma once
#include <windows.h>

#include "framework/Handles.h"

// Restricts the search for libraries loaded from now on to the system folder, then loads by full
// system path the libraries that system components pull in by name later, and the common
// controls through the activation context. Run first thing at start-up. (Libraries the program
// imports directly are all ones the system always loads from its own folder.)
void RestrictLibrarySearch();

// Loads a system library by its full path in the system folder ("uxtheme.dll" becomes
// "<system folder>\uxtheme.dll"). Empty when it is not there.
TUniqueModule LoadSystemLibrary(const wchar_t* fileName);

// The function `name` of the system library `fileName`, or null when the library or the function
// is missing: for calls the program makes only where the system offers them. The library is
// loaded by LoadSystemLibrary on the first request and kept for the rest of the process, so the
// function stays valid.
FARPROC SystemLibraryProc(const wchar_t* fileName, const char* name);

// The same, as the function's own pointer type F.
template <typename F>
F SystemFunction(const wchar_t* fileName, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(SystemLibraryProc(fileName, name)));
}
