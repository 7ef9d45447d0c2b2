// The buttons' glyph drawing: which frame of a strip shows, image-list images through their
// alpha, the blend at rest and when disabled, grey-scale, and the reflection under the glyph.
#include <gtest/gtest.h>

#include "framework/ImageList.h"
#include "skin/controls/sButtonGlyph.h"

namespace {

TBitmap32 Filled(int w, int h, std::uint32_t px) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = px;
  return b;
}

// A classic strip of four 8 × 8 frames of their own colour (no alpha), key colour in the
// bottom-left pixel of each frame.
TBitmap32 ClassicStrip() {
  const std::uint32_t colours[4] = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
  TBitmap32 b(32, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 32; ++x) b.Pixel(x, y) = (x % 8 == 0 && y == 7) ? 0x00FF00FFu : colours[x / 8];
  b.Pixel(8, 7) = b.Pixel(16, 7) = b.Pixel(24, 7) = 0x00FF00FFu;
  return b;
}

}  // namespace

// Classic strips by use (normal, disabled, pressed, down); alpha glyphs by state.
TEST(ButtonGlyph, Frames) {
  TsGlyphRequest r;
  r.NumGlyphs = 4;
  EXPECT_EQ(GlyphFrame(r, false), 0);
  r.State = 2;
  EXPECT_EQ(GlyphFrame(r, false), 2);
  r.Pressed = true;
  EXPECT_EQ(GlyphFrame(r, false), 3);
  r.Enabled = false;
  EXPECT_EQ(GlyphFrame(r, false), 1);
  r.NumGlyphs = 1;
  EXPECT_EQ(GlyphFrame(r, false), 0);
  r.NumGlyphs = 2;
  r.Enabled = true;
  EXPECT_EQ(GlyphFrame(r, true), 1);
  r.NumGlyphs = 0;  // taken as one frame
  EXPECT_EQ(GlyphFrame(r, true), 0);
}

// The pressed frame of a classic strip lands at the rectangle, its key pixel leaves the picture.
TEST(ButtonGlyph, ClassicStripThroughKey) {
  TBitmap32 dst = Filled(20, 20, 0xFF000000u);
  const TBitmap32 strip = ClassicStrip();
  TsGlyphRequest r;
  r.Dst = &dst;
  r.Glyph = &strip;
  r.NumGlyphs = 4;
  r.State = 2;
  r.Rect = Bounds(5, 6, 8, 8);
  DrawButtonGlyph(r);
  EXPECT_EQ(dst.Pixel(6, 7) & 0xFFFFFFu, 0x708090u);
  EXPECT_EQ(dst.Pixel(5, 13) & 0xFFFFFFu, 0u);  // the key pixel
  EXPECT_EQ(dst.Pixel(4, 7) & 0xFFFFFFu, 0u);
  EXPECT_EQ(dst.Pixel(13, 7) & 0xFFFFFFu, 0u);
}

// An image-list image at rest with Blend 50 keeps half its weight; disabled with dgBlended the
// same; grey-scaled with a grey colour; nothing for a bad index.
TEST(ButtonGlyph, ImageListBlendAndGrey) {
  TImageList list(4, 4);
  list.Add(Filled(4, 4, 0xFF0060C0u));
  TsGlyphRequest r;
  r.Images = &list;
  r.ImageIndex = 0;
  r.Rect = Bounds(0, 0, 4, 4);
  r.Blend = 50;
  EXPECT_EQ(GlyphBlend(r), 50);
  r.State = 1;
  EXPECT_EQ(GlyphBlend(r), 0);
  r.Enabled = false;
  EXPECT_EQ(GlyphBlend(r), 50);
  r.DisabledKind = dgGrayed;
  EXPECT_EQ(GlyphBlend(r), 0);
  EXPECT_TRUE(GlyphIsGrey(false, 1, false, dgGrayed));
  EXPECT_TRUE(GlyphIsGrey(true, 0, true, dgBlended));
  EXPECT_FALSE(GlyphIsGrey(true, 1, true, dgBlended));

  TBitmap32 full = Filled(4, 4, 0xFF000000u), half = full, grey = full, none = full;
  r = {};
  r.Images = &list;
  r.ImageIndex = 0;
  r.Rect = Bounds(0, 0, 4, 4);
  r.Dst = &full;
  DrawButtonGlyph(r);
  EXPECT_EQ(full.Pixel(1, 1) & 0xFFFFFFu, 0x0060C0u);
  r.Dst = &half;
  r.Blend = 50;
  DrawButtonGlyph(r);
  const std::uint32_t h = half.Pixel(1, 1);
  EXPECT_NEAR(int(h & 0xFF), 0x60, 2);
  EXPECT_NEAR(int((h >> 8) & 0xFF), 0x30, 2);
  r.Blend = 0;
  r.Dst = &grey;
  r.GreyColor = 0xFFFFFF;
  DrawButtonGlyph(r);
  const std::uint32_t g = grey.Pixel(1, 1);
  EXPECT_EQ(g & 0xFF, (g >> 8) & 0xFF);
  EXPECT_EQ(g & 0xFF, (0x00 + 0x60 + 0xC0) / 3u);
  r.Dst = &none;
  r.ImageIndex = 3;
  DrawButtonGlyph(r);
  EXPECT_EQ(none.Pixel(1, 1), 0xFF000000u);
}

// The reflection lies under the glyph, fainter than it, and nothing else moves.
TEST(ButtonGlyph, Reflection) {
  TImageList list(6, 6);
  list.Add(Filled(6, 6, 0xFFFFFFFFu));
  TBitmap32 dst = Filled(10, 16, 0xFF000000u);
  TsGlyphRequest r;
  r.Images = &list;
  r.ImageIndex = 0;
  r.Rect = Bounds(2, 2, 6, 6);
  r.Dst = &dst;
  r.Reflected = true;
  DrawButtonGlyph(r);
  EXPECT_EQ(dst.Pixel(3, 7) & 0xFFu, 0xFFu);
  const std::uint32_t under = dst.Pixel(3, 8) & 0xFFu;
  EXPECT_GT(under, 0u);
  EXPECT_LT(under, 0x80u);
  EXPECT_EQ(dst.Pixel(3, 10) & 0xFFu, 0u);  // two rows: a third of the glyph
  EXPECT_EQ(dst.Pixel(1, 8) & 0xFFu, 0u);
}
