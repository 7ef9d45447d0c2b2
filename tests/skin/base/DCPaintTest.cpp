// The device-context primitives paint the same pixels through the platform as their portable
// forms do on a bitmap: the pixel rules are shared, only the way to the pixels differs.
#include <gtest/gtest.h>

#include "skin/base/sDCPaint.h"
#include "skin/base/sFill.h"
#include "skin/base/sMarks.h"

namespace {

constexpr std::uint32_t kCanvas = 0x11223344;

// A device-context bitmap and a plain one, both filled with the same background.
struct Pair {
  TBitmap dc;
  TBitmap32 plain;
  Pair(int w, int h) : dc(w, h), plain(w, h) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) dc.Pixels().Pixel(x, y) = plain.Pixel(x, y) = kCanvas;
  }
  void ExpectSame() {
    GdiFlush();
    for (int y = 0; y < plain.Height(); ++y)
      for (int x = 0; x < plain.Width(); ++x)
        ASSERT_EQ(dc.Pixels().Pixel(x, y), plain.Pixel(x, y)) << "at " << x << "," << y;
  }
};

}  // namespace

// Solid fills and frame bands, including rectangles reaching past the bitmap.
TEST(DCPaint, FillsMatchTheBitmapForms) {
  Pair p(20, 16);
  FillDCRect(p.dc.DC(), Rect(2, 3, 9, 7), RGBColor(10, 200, 30));
  FillDCRect(p.plain, Rect(2, 3, 9, 7), RGBColor(10, 200, 30));
  FillDCRect(p.dc.DC(), Rect(15, -4, 40, 2), clBtnFace);
  FillDCRect(p.plain, Rect(15, -4, 40, 2), clBtnFace);
  FillDCFrame(p.dc.DC(), Rect(1, 8, 19, 16), 2, 1, 3, 2, RGBColor(200, 0, 100));
  FillDCFrame(p.plain, Rect(1, 8, 19, 16), 2, 1, 3, 2, RGBColor(200, 0, 100));
  p.ExpectSame();
  // The fill is really there: a pixel of the first rectangle holds the colour, alpha 0.
  EXPECT_EQ(p.plain.Pixel(2, 3), 0x000AC81Eu);
}

// The dotted frame and every arrow direction, pixel for pixel.
TEST(DCPaint, MarksMatchTheBitmapForms) {
  Pair p(30, 30);
  TCanvas canvas(p.dc.DC());
  DrawDottedFrame(canvas, Rect(1, 1, 14, 12), RGBColor(1, 2, 3), RGBColor(250, 240, 230));
  DrawDottedFrame(p.plain, Rect(1, 1, 14, 12), RGBColor(1, 2, 3), RGBColor(250, 240, 230));
  DrawDottedFrame(canvas, Rect(16, 16, 29, 29), clNone, clWhite);
  DrawDottedFrame(p.plain, Rect(16, 16, 29, 29), clNone, clWhite);
  for (int dir = 0; dir < 4; ++dir) {
    const TRect r = Bounds(16 + (dir % 2) * 7, 1 + (dir / 2) * 7, 7, 7);
    DrawSmallArrow(canvas, RGBColor(9, 99, 199), r, dir);
    DrawSmallArrow(p.plain, RGBColor(9, 99, 199), r, dir);
  }
  p.ExpectSame();
  EXPECT_FALSE(SmallArrowPixels(Bounds(0, 0, 7, 7), adDown, clBlack).empty());
}

// A picture is repeated from the rectangle's corner and cut at its far edges.
TEST(DCPaint, TileImageRepeatsAndClips) {
  TBitmap tile(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) tile.Pixels().Pixel(x, y) = 0x00010000u * std::uint32_t(10 * y + x + 1);
  Pair p(12, 10);
  TCanvas canvas(p.dc.DC());
  const TRect r = Rect(2, 1, 9, 6);
  TileImage(canvas, r, tile);
  GdiFlush();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const std::uint32_t want = r.Contains({x, y}) ? tile.Pixels().Pixel((x - r.Left) % 3, (y - r.Top) % 2) : kCanvas;
      ASSERT_EQ(p.dc.Pixels().Pixel(x, y) & 0xFFFFFF, want & 0xFFFFFF) << x << "," << y;
    }
}
