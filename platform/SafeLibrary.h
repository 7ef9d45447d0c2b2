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
