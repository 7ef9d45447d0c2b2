// Fades of skinned controls in real windows: the host that ties a fade timer to a control's skin
// state, a window-message timer and the control's window, and what controls call when their
// look changes.
#pragma once
#include <memory>

#include "skin/paint/sCommonData.h"
#include "skin/paint/sFade.h"

// The host of a control's fade: its common data and a window-message timer of 12 ms.
std::unique_ptr<TsFadeHost> MakeFadeHost(TsCommonData& data);

// Fades from the control's current picture to its new look, or (not allowed, no current picture,
// a skin loading, the system shutting down) repaints at once; then updates the control's glow.
// half: press and release (5 frames); enter and leave use 11.
void FadeOnEvent(TsFadeTimer*& slot, TsCommonData& data, bool half, TFadeDirection direction, bool allowed);
void StartFade(TsFadeTimer*& slot, TsCommonData& data, bool half, TFadeDirection direction);

// When the system asks whether it may end the session: no new frame or fade from now on, every
// running fade stopped at its target picture, and the messages pumped until the timers are gone
// (2 s at most). A cancelled end of session resumes fading.
void StopFadesForShutdown();
void ResumeFadesAfterCancelledShutdown();
