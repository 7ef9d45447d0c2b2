// Alpha helpers for decoded bitmaps (decoders return straight, non-premultiplied alpha).
#pragma once
#include "imaging/Bitmap32.h"

// Premultiplies every pixel's blue, green and red by its alpha: c = c * a / 255, rounded down.
// Alpha itself is kept. a = 255 leaves a pixel unchanged and a = 0 makes it 0x00000000, so a
// picture decoded from an opaque source (alpha 0, see the decoders) turns entirely black: call
// this only on pictures whose alpha is meaningful.
void PremultiplyAlpha(TBitmap32& bitmap);
