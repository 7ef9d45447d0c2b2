// "BLUR5": the 19 × 19 soft round blur that the outer-effect pieces use as their mask row (black
// keeps the image, white keeps what lies below; the picture is darkest in the middle and turns
// white toward the edges). It is generated here, pixel for pixel the same every time, so that
// native builds use it directly and the Windows build can carry the very same pixels as its
// BITMAP resource (written by the skin_blur5_bmp host tool).
#pragma once
#include <cstdint>
#include <vector>

#include "imaging/Bitmap32.h"

inline constexpr int kBlur5Size = 19;

// Grey pixels (B = G = R) with alpha 0, as a 24-bit bitmap file decodes.
TBitmap32 MakeBlur5Bitmap();
// The same picture as a bottom-up 24-bit .bmp file.
std::vector<std::uint8_t> EncodeBlur5Bmp();
