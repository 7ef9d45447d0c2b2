// Start-up of the skin engine: the manager's Windows platform, handed what a skin change must do
// in the layers above it (glows, form animations).
#pragma once
#include "skin/data/sSkinManagerWin.h"

// The engine's own host: hides the glow windows and sets the form-animation flag.
TsSkinEngineHost& SkinEngineHost();

// Makes every skin manager of the process use the Windows platform with the engine's host. Call
// once at start-up, before the first form (and so its manager) is created.
void InstallSkinEngine();
