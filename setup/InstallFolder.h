// The rule applied to a folder chosen in the folder dialog.
#pragma once
#include <string>

// When the choice was confirmed and "Prismatone" occurs nowhere in name (case-sensitive),
// appends "\Prismatone". Paths are joined as they are, never normalised: a name ending in "\"
// gets two in a row.
void ApplyInstallFolderRule(std::wstring& name, bool action);
