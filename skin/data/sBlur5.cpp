#include "skin/data/sBlur5.h"

namespace {
// Grey level at (x, y): a smoothstep over the squared distance from the centre, reaching white
// at the radius. Integer arithmetic only, so every build produces the same bytes.
std::uint8_t Blur5Level(int x, int y) {
  constexpr int c = kBlur5Size / 2;   // 9
  constexpr int r2 = (c + 1) * (c + 1);  // 100: the corners are white, the edge midpoints nearly so
  const int dx = x - c, dy = y - c;
  const int t = dx * dx + dy * dy >= r2 ? r2 : dx * dx + dy * dy;
  // 255 · t²(3·r2 − 2t) / r2³
  const long long v = 255LL * t * t * (3LL * r2 - 2LL * t) / (static_cast<long long>(r2) * r2 * r2);
  return std::uint8_t(v);
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
}  // namespace

TBitmap32 MakeBlur5Bitmap() {
  TBitmap32 bmp(kBlur5Size, kBlur5Size);
  for (int y = 0; y < kBlur5Size; ++y)
    for (int x = 0; x < kBlur5Size; ++x) {
      const std::uint32_t v = Blur5Level(x, y);
      bmp.Pixel(x, y) = v << 16 | v << 8 | v;
    }
  return bmp;
}

std::vector<std::uint8_t> EncodeBlur5Bmp() {
  const TBitmap32 bmp = MakeBlur5Bitmap();
  const int rowBytes = (kBlur5Size * 3 + 3) & ~3;
  const std::uint32_t imageSize = std::uint32_t(rowBytes * kBlur5Size);
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 14 + 40 + imageSize);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, kBlur5Size);
  Put32(out, kBlur5Size);  // positive height: bottom-up rows
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = kBlur5Size - 1; y >= 0; --y) {
    for (int x = 0; x < kBlur5Size; ++x) {
      const std::uint32_t p = bmp.Pixel(x, y);
      out.push_back(std::uint8_t(p));
      out.push_back(std::uint8_t(p >> 8));
      out.push_back(std::uint8_t(p >> 16));
    }
    for (int pad = kBlur5Size * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}
