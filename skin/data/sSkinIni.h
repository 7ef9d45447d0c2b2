// The options dialect shared by the units of a skin load (internal to skin/data).
//
// An options text is single-byte text read as a case-sensitive INI (framework/MemIniFile.h):
// every name the library looks up is upper case, so a skin must write its names that way.
// LoadSkinOptions, LoadSkinOptionsText and StripCommonSections (sSkinOptions.h) read it.
#pragma once
#include <string>

// The section of the skin-wide keys: version, master bitmap, global data, outer effects, palette.
inline const std::wstring kGlobalInfo = L"GLOBALINFO";
