#include "skin/base/sTransform.h"

#include <array>

#include "skin/base/sColorTransforms.h"

using namespace scolor;

void ShiftPixelsHue(TBitmap32& bmp, std::int32_t offset, TColor key) {
  // The colours met last, one per slot chosen by a hash of the colour; a slot's colour is never
  // 0xFFFFFFFF until it is first used, since colours have no alpha byte here.
  struct TSlot {
    std::uint32_t in = 0xFFFFFFFFu;
    std::uint32_t out = 0;
  };
  constexpr int kSlotBits = 10;
  std::array<TSlot, std::size_t(1) << kSlotBits> slots{};
  TransformPixelsWith(
      bmp,
      [&](std::uint32_t p) {
        const std::uint32_t colour = p & ~AlphaMask;
        TSlot& s = slots[(colour * 2654435761u) >> (32 - kSlotBits)];
        if (s.in != colour) {
          s.in = colour;
          s.out = ChangePixelHue(offset, colour) & ~AlphaMask;
        }
        return (p & AlphaMask) | s.out;
      },
      key);
}

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
