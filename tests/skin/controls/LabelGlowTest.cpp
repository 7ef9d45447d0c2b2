#include "skin/controls/sLabelGlow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {
using Rows = std::vector<std::vector<int>>;

Rows MaskRows(const TLabelGlow& g) {
  Rows rows;
  for (int y = 0; y < g.MaskHeight(); ++y) {
    rows.emplace_back();
    for (int x = 0; x < g.MaskWidth(); ++x) rows.back().push_back(g.At(x, y));
  }
  return rows;
}

// The in-place pass as the rule states it, one byte after the other.
void ReferenceSweep(std::vector<int>& m, int p, int q) {
  for (int y = 1; y < q - 1; ++y)
    for (int x = 1; x < p - 1; ++x)
      m[y * p + x] = (m[(y - 1) * p + x] + m[(y + 1) * p + x] + m[y * p + x - 1] + m[y * p + x + 1]) >> 2;
}

TBitmap32 TextPicture(int w, int h, std::initializer_list<TPoint> white) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = 0xFF000000u;
  for (TPoint p : white) b.Pixel(p.X, p.Y) = 0xFFFFFFFFu;
  return b;
}
}  // namespace

// One stamped centre pixel of a 3 × 3 label, one pass, alpha 255, aqua over opaque black.
TEST(LabelGlow, ExactSinglePass) {
  TLabelGlow g;
  g.Build(TextPicture(3, 3, {{1, 1}}), 1);
  EXPECT_EQ(MaskRows(g), (Rows{{0, 0, 0, 0, 0},
                               {0, 0, 63, 15, 0},
                               {0, 63, 31, 11, 0},
                               {0, 15, 11, 5, 0},
                               {0, 0, 0, 0, 0}}));
  TBitmap32 pic(3, 3);
  pic.Pixel(0, 0) = 0x7F123456u;  // an opaque label paints over its own colour and keeps alpha
  g.Compose(pic, clAqua, 255, false, clBlack);
  EXPECT_EQ(pic.Pixel(1, 0), 0x00003D3Du);  // m = 63·255 >> 8 = 62: G = B = 62·255 >> 8 = 61, R = 0
  EXPECT_EQ(pic.Pixel(1, 1), 0x00001D1Du);  // m = 30: 29
  EXPECT_EQ(pic.Pixel(0, 0), 0x7F000000u);  // m = 0: black
  EXPECT_EQ(g.At(2, 1), 62);                // the scaled mask is kept
  // Over what lies behind (transparent label): the background weighs 255 − m.
  TLabelGlow t;
  t.Build(TextPicture(3, 3, {{1, 1}}), 1);
  TBitmap32 behind(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) behind.Pixel(x, y) = 0xFF808080u;
  t.Compose(behind, 0x0000FF, 128, true, clBlack);
  // m = 63·128 >> 8 = 31: R = (128·224 + 255·31) >> 8 = 142, G = B = 128·224 >> 8 = 112.
  EXPECT_EQ(behind.Pixel(1, 0), 0xFF8E7070u);
  EXPECT_EQ(behind.Pixel(0, 0), 0xFF7F7F7Fu);  // m = 0 still takes 255/256 of the background
}

// The quick pass gives the very bytes of the rule, over many passes and odd widths, for sparse
// text and for a solid block (the largest sums the blocks of the pass can meet).
TEST(LabelGlow, SweepMatchesTheRule) {
  for (int w : {1, 2, 3, 4, 5, 7, 9, 40, -17, -40}) {
    const bool solid = w < 0;
    w = std::abs(w);
    const int h = 6;
    TBitmap32 text = TextPicture(w, h, {{0, 0}, {w - 1, h - 1}, {w / 2, 2}});
    if (solid)
      for (int y = 1; y < h - 1; ++y)
        for (int x = 0; x < w; ++x) text.Pixel(x, y) = 0xFFFFFFFFu;
    TLabelGlow g;
    g.Prepare(w, h);
    const int p = w + 2, q = h + 2;
    std::vector<int> ref(std::size_t(p * q), 0);
    for (int pass = 0; pass < 6; ++pass) {
      g.Stamp(text);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (text.Pixel(x, y) & 0xFF) ref[std::size_t((y + 1) * p + x + 1)] = 255;
      g.Sweep();
      ReferenceSweep(ref, p, q);
    }
    for (int y = 0; y < q; ++y)
      for (int x = 0; x < p; ++x) ASSERT_EQ(g.At(x, y), ref[std::size_t(y * p + x)]) << w << " " << x << "," << y;
  }
}

// The border stays 0, the buffer only grows, and nothing is written outside it (ASan watches).
TEST(LabelGlow, BufferAndBorder) {
  TLabelGlow g;
  TBitmap32 full(6, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) full.Pixel(x, y) = 0xFFFFFFFFu;
  g.Build(full, 6);
  EXPECT_EQ(g.Capacity(), 2u * 8 * 6);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(g.At(x, 0) | g.At(x, 5), 0);
  for (int y = 0; y < 6; ++y) EXPECT_EQ(g.At(0, y) | g.At(7, y), 0);
  EXPECT_GT(g.At(3, 2), 0);
  // A smaller label reuses the buffer and starts from zero.
  g.Build(TextPicture(2, 2, {}), 3);
  EXPECT_EQ(g.Capacity(), 2u * 8 * 6);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(g.At(x, y), 0);
  // A zero-sized label (or a negative rectangle) sweeps nothing and composes nothing.
  TBitmap32 none;
  g.Build(none, 6);
  g.Prepare(-5, -5);
  EXPECT_EQ(g.MaskWidth(), 2);
  g.Compose(none, clAqua, 255, true, clBlack);
  // A picture larger than the prepared mask is only composed where the mask reaches.
  g.Prepare(1, 1);
  g.Compose(full, clAqua, 255, false, clBlack);
  EXPECT_EQ(full.Pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(full.Pixel(0, 0), 0xFF000000u);
}
