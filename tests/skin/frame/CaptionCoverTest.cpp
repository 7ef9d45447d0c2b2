// The cover over a form's frame: cut to the frame, showing the picture there, above the form, and
// gone with its scope.
#include <gtest/gtest.h>

#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "framework/Handles.h"
#include "skin/base/sFill.h"
#include "skin/frame/sCaptionCover.h"
#include "skin/paint/sSkinEngine.h"

TEST(CaptionCover, CoversTheFrameWithThePicture) {
  InstallSkinEngine();
  TForm form(nullptr);
  form.SetBounds(120, 120, 260, 180);
  form.Show();
  pumptest::PumpPending();
  RECT w{};
  GetWindowRect(form.Handle(), &w);
  POINT origin{0, 0};
  ClientToScreen(form.Handle(), &origin);
  RECT c{};
  GetClientRect(form.Handle(), &c);
  const TRect client{origin.x - w.left, origin.y - w.top, origin.x - w.left + c.right, origin.y - w.top + c.bottom};
  TBitmap image(w.right - w.left, w.bottom - w.top);
  FillPixels(image.Pixels(), TRect{0, 0, image.Width(), image.Height()}, TColor(0x00C08040), 255);  // R 0x40, B 0xC0
  const POINT frame{w.left + (w.right - w.left) / 2, w.top + 3};
  const POINT inside{origin.x + c.right / 2, origin.y + c.bottom / 2};
  HWND cover = nullptr;
  {
    TsCaptionCover covering(form.Handle(), image, client);
    cover = covering.Handle();
    ASSERT_TRUE(cover);
    TUniqueRgn region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(cover, region.get()), ERROR);
    EXPECT_TRUE(PtInRegion(region.get(), frame.x - w.left, frame.y - w.top));
    EXPECT_FALSE(PtInRegion(region.get(), inside.x - w.left, inside.y - w.top));
    EXPECT_EQ(WindowFromPoint(frame), cover);
    EXPECT_EQ(WindowFromPoint(inside), form.Handle());
    TWindowDC screen(nullptr);
    EXPECT_EQ(GetPixel(screen.dc(), frame.x, frame.y), RGB(0x40, 0x80, 0xC0)) << "the picture over the frame";
  }
  EXPECT_FALSE(IsWindow(cover));
}
