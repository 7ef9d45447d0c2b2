#include "skin/base/sTransform.h"

using namespace scolor;

std::uint32_t ToneTransform(std::uint32_t pixel, std::int32_t tone) { return ToneColor(pixel, std::uint32_t(tone)); }

std::uint32_t MakeOpaqueTransform(std::uint32_t pixel, std::int32_t) { return pixel | AlphaMask; }

void ToGrayscale(TBitmap32& bmp) { TransformPixelsWith(bmp, GrayPixel, clNone); }

TBitmap32 RotateBitmap90(TBitmap32& bmp, bool direction, bool freeSource) {
  const int w = bmp.Width(), h = bmp.Height();
  TBitmap32 out(h, w);
  if (!out.Empty()) {
    for (int y = 0; y < h; ++y) {
      const std::uint32_t* s = bmp.Row(y);
      if (direction)
        for (int x = 0; x < w; ++x) out.Row(x)[h - 1 - y] = s[x];
      else
        for (int x = 0; x < w; ++x) out.Row(w - 1 - x)[y] = s[x];
    }
  }
  if (freeSource) bmp.SetSize(0, 0);
  return out;
}
