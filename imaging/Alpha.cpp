#include "imaging/Alpha.h"

void PremultiplyAlpha(TBitmap32& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const std::uint32_t p = row[x];
      const std::uint32_t a = p >> 24;
      if (a == 255) continue;
      const std::uint32_t b = (p & 0xFF) * a / 255;
      const std::uint32_t g = ((p >> 8) & 0xFF) * a / 255;
      const std::uint32_t r = ((p >> 16) & 0xFF) * a / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
}
