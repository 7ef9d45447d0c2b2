#include "skin/base/sGradient.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "framework/MemIniFile.h"
#include "skin/base/sBlendKernels.h"
#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"

using namespace scolor;

namespace {

// One band's colours: 32-bit float accumulators starting at Color1, advanced by a double step.
class TRamp {
 public:
  TRamp(const TsGradPie& pie, int steps) {
    const TColor c1 = pie.Color1, c2 = pie.Color2;
    flat_ = c1 == c2;
    flatPixel_ = AlphaMask | (SwapRB(c1) & RgbMask);
    r_ = float(ColR(c1));
    g_ = float(ColG(c1));
    b_ = float(ColB(c1));
    dr_ = double(ColR(c2) - ColR(c1)) / steps;
    dg_ = double(ColG(c2) - ColG(c1)) / steps;
    db_ = double(ColB(c2) - ColB(c1)) / steps;
  }
  bool Flat() const { return flat_; }
  // The current pixel (alpha 255), then one step on.
  std::uint32_t Next() {
    if (flat_) return flatPixel_;
    const std::uint32_t p = MakePixel(ClampByte(Trunc(r_)), ClampByte(Trunc(g_)), ClampByte(Trunc(b_)), 255);
    r_ = float(double(r_) + dr_);
    g_ = float(double(g_) + dg_);
    b_ = float(double(b_) + db_);
    return p;
  }

 private:
  bool flat_;
  std::uint32_t flatPixel_;
  float r_, g_, b_;
  double dr_, dg_, db_;
};

// Walks the bands of a kind-0/1 gradient: bandEnd(segment, start) gives a band's raw end, which
// is limited to last (and is last for the final segment); paint(from, to, segment) is called for
// every band with to > from.
template <class End, class Paint>
void ForEachBand(const TsGradArray& segs, long long start, long long last, End&& bandEnd, Paint&& paint) {
  for (std::size_t s = 0; s < segs.size(); ++s) {
    long long end = std::min<long long>(bandEnd(segs[s], start), last);
    if (s + 1 == segs.size()) end = last;
    if (end > start) paint(start, end, segs[s]);
    start = end;
  }
}

auto VerticalEnd(int height, int offset) {
  return [=](const TsGradPie& p, long long start) { return start + ((long long)height + offset) * p.Percent / 100; };
}
auto HorizontalEnd(int width) {
  return [=](const TsGradPie& p, long long start) { return Trunc(p.Percent * (width / 100.0) + double(start)); };
}

// Writes the gradient of kind 1 into row y over columns from r.Left; calls done(from, to) per band.
template <class Done>
void HorizontalBands(TBitmap32& bmp, const TRect& r, const TsGradArray& segs, int offset, Done&& done) {
  std::uint32_t* row = bmp.Row(r.Top);
  ForEachBand(segs, (long long)r.Left + offset, r.Right - 1, HorizontalEnd(r.Width()),
              [&](long long from, long long to, const TsGradPie& pie) {
                TRamp ramp(pie, int(to - from));
                for (long long x = from; x <= to; ++x) {
                  const std::uint32_t px = ramp.Next();
                  if (x >= r.Left) row[x] = px;
                }
                done(int(std::max<long long>(from, r.Left)), int(to));
              });
}

}  // namespace

TsGradArray ParseGradientData(std::wstring_view text) {
  std::vector<std::wstring_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == L';') ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != L';') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  TsGradArray result(words.size() / 5);
  for (std::size_t s = 0; s < result.size(); ++s) {
    TsGradPie& p = result[s];
    p.Color1 = ColorToRGB(TColor(StrToInt(words[5 * s])));
    p.Color2 = ColorToRGB(TColor(StrToInt(words[5 * s + 1])));
    p.Percent = std::uint8_t(std::clamp(StrToInt(words[5 * s + 2]), 0, 100));
    p.Mode1 = StrToInt(words[5 * s + 3]);
    p.Mode2 = 0;
  }
  return result;
}

void PaintGradient(TBitmap32& bmp, const TRect& rect, const TsGradArray& segments, int offset) {
  const TRect r = sclip::Intersect(rect, bmp.Width(), bmp.Height());
  if (sclip::IsEmpty(r) || segments.empty()) return;
  switch (segments[0].Mode1) {
    case 0:
      ForEachBand(segments, (long long)r.Top + offset, r.Bottom - 1, VerticalEnd(r.Height(), offset),
                  [&](long long from, long long to, const TsGradPie& pie) {
                    TRamp ramp(pie, int(to - from));
                    for (long long y = from; y <= to; ++y) {
                      const std::uint32_t px = ramp.Next();
                      if (y >= r.Top) sblend::FillRow(bmp.Row(int(y)) + r.Left, r.Width(), px);
                    }
                  });
      break;
    case 1:
      HorizontalBands(bmp, r, segments, offset, [&](int from, int to) {
        const std::uint32_t* top = bmp.Row(r.Top) + from;
        for (int y = r.Top + 1; y < r.Bottom; ++y)
          std::memcpy(bmp.Row(y) + from, top, std::size_t(to - from + 1) * 4);
      });
      break;
    case 2: {
      const int cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
      TTriVertex v[5] = {{rect.Left, rect.Top, 0}, {cx, cy, 0}, {rect.Right, rect.Top, 0},
                         {rect.Right, rect.Bottom, 0}, {rect.Left, rect.Bottom, 0}};
      for (std::size_t i = 0; i < 5; ++i)
        v[i].Color = i < segments.size() ? segments[i].Color1 : v[i - 1].Color;
      FillTriangleGradient(bmp, r, v[0], v[1], v[2]);
      FillTriangleGradient(bmp, r, v[1], v[2], v[3]);
      FillTriangleGradient(bmp, r, v[0], v[1], v[4]);
      FillTriangleGradient(bmp, r, v[4], v[1], v[3]);
      break;
    }
    default:
      break;
  }
}

namespace {

// texel·w + g·(256 − w) >> 8 for the three colour channels, alpha replaced.
inline std::uint32_t TexBlend(std::uint32_t texel, std::uint32_t g, std::uint32_t w, std::uint32_t alpha) {
  const std::uint32_t iw = 256 - w;
  const std::uint32_t rb = (((texel & 0xFF00FFu) * w + (g & 0xFF00FFu) * iw) >> 8) & 0xFF00FFu;
  const std::uint32_t gg = (((texel & 0xFF00u) * w + (g & 0xFF00u) * iw) >> 8) & 0xFF00u;
  return alpha | rb | gg;
}

struct TTile {
  const TBitmap32* Tex;
  int Left, Top, W, H;
  const std::uint32_t* Row(int y) const { return Tex->Row(Top + y % H) + Left; }
};

// Row dst (n pixels starting at tile column x0) := blend of the tile row with per-pixel gradient
// g[i] (or the single gradient pixel when g is null).
void BlendTexRow(std::uint32_t* dst, const std::uint32_t* g, std::uint32_t gOne, const std::uint32_t* tile, int tw,
                 int n, std::uint32_t w, std::uint32_t alpha) {
  int tx = 0;
  for (int i = 0; i < n; ++i) {
    dst[i] = TexBlend(tile[tx], g ? g[i] : gOne, w, alpha);
    if (++tx == tw) tx = 0;
  }
}

}  // namespace

void PaintGradientTextured(TBitmap32& bmp, const TRect& rect, const TsGradArray& segments, std::uint8_t alpha,
                           int weight, const TRect& textureRect, const TBitmap32& texture) {
  const TRect r = sclip::Intersect(rect, bmp.Width(), bmp.Height());
  if (sclip::IsEmpty(r) || segments.empty() || texture.Empty()) return;
  const int kind = segments[0].Mode1;
  if (kind != 0 && kind != 1) return;
  const TRect t = sclip::IsEmpty(textureRect) ? sclip::Whole(texture) : textureRect;
  if (t.Left < 0 || t.Top < 0) return;
  int tw = t.Width(), th = t.Height();
  if ((long long)t.Left + tw >= texture.Width()) tw = texture.Width() - t.Left - 1;
  if ((long long)t.Top + th >= texture.Height()) th = texture.Height() - t.Top - 1;
  if (tw <= 0 || th <= 0) return;
  const TTile tile{&texture, t.Left, t.Top, tw, th};
  const std::uint32_t w = std::uint32_t(std::clamp(weight, 0, 256));
  const std::uint32_t a = std::uint32_t(alpha) << 24;
  const int width = r.Width();
  if (kind == 0) {
    ForEachBand(segments, r.Top, r.Bottom - 1, VerticalEnd(r.Height(), 0),
                [&](long long from, long long to, const TsGradPie& pie) {
                  TRamp ramp(pie, int(to - from));
                  for (long long y = from; y <= to; ++y)
                    BlendTexRow(bmp.Row(int(y)) + r.Left, nullptr, ramp.Next(), tile.Row(int(y) - r.Top), tw, width,
                                w, a);
                });
    return;
  }
  // Kind 1: the gradient row once into the top row, the rows of one tile height blended against
  // it, then that block of rows copied down the rest of the rectangle.
  HorizontalBands(bmp, r, segments, 0, [](int, int) {});
  std::uint32_t* top = bmp.Row(r.Top) + r.Left;
  const int block = std::min(th, r.Height());
  for (int y = 1; y < block; ++y) BlendTexRow(bmp.Row(r.Top + y) + r.Left, top, 0, tile.Row(y), tw, width, w, a);
  BlendTexRow(top, top, 0, tile.Row(0), tw, width, w, a);
  for (int y = block; y < r.Height(); ++y)
    std::memcpy(bmp.Row(r.Top + y) + r.Left, bmp.Row(r.Top + y % block) + r.Left, std::size_t(width) * 4);
}

void FillTriangleGradient(TBitmap32& bmp, const TRect& clip, const TTriVertex& a, const TTriVertex& b,
                          const TTriVertex& c) {
  // Positions far outside any bitmap would overflow the 64-bit edge arithmetic; nothing to draw.
  constexpr int kLimit = 1 << 24;
  for (const TTriVertex* v : {&a, &b, &c})
    if (std::abs(v->X) > kLimit || std::abs(v->Y) > kLimit) return;
  const TRect r0 = sclip::Intersect(clip, bmp.Width(), bmp.Height());
  // Doubled coordinates: vertices on pixel corners (even), pixel centres at 2x + 1 (odd).
  const long long x0 = 2LL * a.X, y0 = 2LL * a.Y, x1 = 2LL * b.X, y1 = 2LL * b.Y, x2 = 2LL * c.X, y2 = 2LL * c.Y;
  long long area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
  if (area == 0) return;
  const long long sign = area < 0 ? -1 : 1;
  area *= sign;
  const TRect r{std::max(r0.Left, std::min({a.X, b.X, c.X})), std::max(r0.Top, std::min({a.Y, b.Y, c.Y})),
                std::min(r0.Right, std::max({a.X, b.X, c.X})), std::min(r0.Bottom, std::max({a.Y, b.Y, c.Y}))};
  if (sclip::IsEmpty(r)) return;
  auto edge = [](long long ax, long long ay, long long bx, long long by, long long px, long long py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
  };
  const long long cr[3] = {ColR(a.Color) << 8, ColR(b.Color) << 8, ColR(c.Color) << 8};
  const long long cg[3] = {ColG(a.Color) << 8, ColG(b.Color) << 8, ColG(c.Color) << 8};
  const long long cb[3] = {ColB(a.Color) << 8, ColB(b.Color) << 8, ColB(c.Color) << 8};
  for (int y = r.Top; y < r.Bottom; ++y) {
    std::uint32_t* row = bmp.Row(y);
    const long long py = 2LL * y + 1;
    for (int x = r.Left; x < r.Right; ++x) {
      const long long px = 2LL * x + 1;
      const long long w0 = sign * edge(x1, y1, x2, y2, px, py);
      const long long w1 = sign * edge(x2, y2, x0, y0, px, py);
      const long long w2 = sign * edge(x0, y0, x1, y1, px, py);
      if (w0 < 0 || w1 < 0 || w2 < 0) continue;
      const int rr = int((w0 * cr[0] + w1 * cr[1] + w2 * cr[2]) / area) >> 8;
      const int gg = int((w0 * cg[0] + w1 * cg[1] + w2 * cg[2]) / area) >> 8;
      const int bb = int((w0 * cb[0] + w1 * cb[1] + w2 * cb[2]) / area) >> 8;
      row[x] = MakePixel(rr, gg, bb, 255);
    }
  }
}
