// The image pieces (ma) and patterns (pa) of a load (internal to skin/data). LoadAllMasks and
// LoadAllPatterns (sSkinOptions.h) build them from the options; the application's extra
// sections add theirs through AddExtraPieces.
#pragma once
#include "framework/MemIniFile.h"
#include "skin/data/sSkinOptions.h"

// The pieces of the application's extra sections: GLOBALINFO's bare bitmap names (always files
// under SkinPath) and legacy rectangles, and the JPEG values of every extra section (files too).
void AddExtraPieces(const TMemIniFile& extra, const TsSkinImages& images, const TsSkinLoadSettings& settings,
                    TsSkinTables& t);
