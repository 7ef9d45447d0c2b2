// The caption button's overlay window: what it hands the system (premultiplied pixels, the
// constant alpha, its place), where it sits in z-order, and the styles that keep it from taking
// the activation or the mouse.
#include <gtest/gtest.h>

#include <vector>

#include "skin/base/sLayered.h"
#include "skin/frame/sButtonOverlay.h"
#include "skin/paint/sSkinEngine.h"

namespace {

struct TFrame {
  POINT Pos;
  SIZE Size;
  BYTE Alpha;
  std::vector<std::uint32_t> Pixels;
};

TEST(ButtonOverlay, ShowsPremultipliedAboveTheFormClickThrough) {
  InstallSkinEngine();
  std::vector<TFrame> frames;
  const TsUpdateLayeredFn previous =
      SetUpdateLayeredFunction([&](HWND, HDC, POINT* pos, SIZE* size, HDC src, POINT*, COLORREF, BLENDFUNCTION* blend, DWORD) {
        TFrame f{*pos, *size, blend->SourceConstantAlpha, {}};
        for (int x = 0; x < size->cx; ++x) {
          const COLORREF c = GetPixel(src, x, 0);
          f.Pixels.push_back(std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c));
        }
        frames.push_back(std::move(f));
        return TRUE;
      });
  TForm form(nullptr);
  form.SetBounds(100, 100, 300, 200);
  form.Show();
  TBitmap32 image(3, 2);
  image.Pixel(0, 0) = 0xFFC86432;  // opaque: kept
  image.Pixel(1, 0) = 0x80C86432;  // half: each colour × 128 / 255
  image.Pixel(2, 0) = 0x00FF00FF;  // transparent: 0
  image.Pixel(0, 1) = image.Pixel(1, 1) = image.Pixel(2, 1) = 0xFF000000;
  {
    TsButtonOverlay overlay;
    overlay.Show(form.Handle(), image, TRect{350, 110, 353, 112}, 25);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Pos.x, 350);
    EXPECT_EQ(frames[0].Pos.y, 110);
    EXPECT_EQ(frames[0].Size.cx, 3);
    EXPECT_EQ(frames[0].Alpha, 25);
    EXPECT_EQ(frames[0].Pixels, (std::vector<std::uint32_t>{0xC86432, 0x643219, 0}));
    HWND w = overlay.Handle();
    const LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_TRANSPARENT | WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW),
              WS_EX_TRANSPARENT | WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(w, GW_HWNDNEXT), form.Handle()) << "directly above the form";
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_NE(GetForegroundWindow(), w);
    overlay.Show(form.Handle(), image, TRect{350, 110, 353, 112}, 255);
    EXPECT_EQ(frames.back().Alpha, 255);
    overlay.Free();
    EXPECT_FALSE(IsWindow(w));
  }
  SetUpdateLayeredFunction(previous);
}

}  // namespace
