#include "skin/base/sColorTransforms.h"

#include <algorithm>

#include "skin/base/sColorMath.h"

using namespace scolor;

namespace {
double Limit255(double v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
}  // namespace

std::uint32_t ChangePixelHue(std::int32_t offset, std::uint32_t pixel) {
  const int r = PixR(pixel), g = PixG(pixel), b = PixB(pixel);
  const int vi = std::max({r, g, b});
  const int mi = std::min({r, g, b});
  const int di = vi - mi;
  if (vi == 0 || di == 0) return pixel;  // S = 0: grey, black and white keep their value
  const double v = vi;
  const double s = double(di) / v;

  const double k = 60.0 / double(di);
  const double rr = v - r * k, gg = v - g * k, bb = v - b * k;
  double h;
  if (vi == r) h = bb - gg;
  else if (vi == g) h = 120.0 + rr - bb;
  else h = 240.0 + gg - rr;
  if (h < 0) h += 360.0;

  // Signed remainder: a negative sum stays negative and falls into the last case below.
  const long long h2 = (static_cast<long long>(offset) + Round(h)) % 360;
  const double x = double(h2) / 60.0;
  const long long i = Round(x);
  const double f = x - double(i);

  const double p = Limit255(v * (1.0 - s));
  const double q = Limit255(v * (1.0 - s * f));
  const double t = Limit255(v * (1.0 - s * (1.0 - f)));
  double nr, ng, nb;
  switch (i) {
    case 0: nr = v, ng = t, nb = p; break;
    case 1: nr = q, ng = v, nb = p; break;
    case 2: nr = p, ng = v, nb = t; break;
    case 3: nr = p, ng = q, nb = v; break;
    case 4: nr = t, ng = p, nb = v; break;
    default: nr = v, ng = p, nb = q; break;  // 5, 6 and negative sectors
  }
  return MakePixel(int(Round(nr)), int(Round(ng)), int(Round(nb)), PixA(pixel));
}

TColor ChangeColorHue(std::int32_t offset, TColor color) {
  if (offset == 0) return color;
  return SwapRB(ChangePixelHue(offset, SwapRB(color)));
}

std::uint32_t ChangeColorSaturation(std::int32_t amount, std::uint32_t value) {
  if (amount == 0) return value;
  const int c0 = int(value & 0xFF), c1 = int((value >> 8) & 0xFF), c2 = int((value >> 16) & 0xFF);
  const int a = (c0 + c1 + c2) / 3;
  // Integer division truncates toward zero, as the rule asks.
  auto ch = [&](int c) { return std::uint32_t(ClampByte(c - (amount * (a - c)) / 255)); };
  return (value & AlphaMask) | ch(c2) << 16 | ch(c1) << 8 | ch(c0);
}

std::uint32_t ChangeColorBrightness(std::uint32_t value, std::int32_t amount) {
  if (amount == 0) return value;
  auto ch = [&](int shift) { return std::uint32_t(ClampByte(((value >> shift) & 0xFF) + (long long)amount)) << shift; };
  return (value & AlphaMask) | ch(16) | ch(8) | ch(0);
}

std::int32_t SaturationAmount(std::int32_t percent) {
  return std::int32_t(std::clamp<long long>(Round(double(percent) * 2.55), -255, 255));
}

std::uint32_t HueTransform(std::uint32_t pixel, std::int32_t offset) { return ChangePixelHue(offset, pixel); }
std::uint32_t SaturationTransform(std::uint32_t pixel, std::int32_t amount) { return ChangeColorSaturation(amount, pixel); }
std::uint32_t BrightnessTransform(std::uint32_t pixel, std::int32_t amount) { return ChangeColorBrightness(pixel, amount); }
