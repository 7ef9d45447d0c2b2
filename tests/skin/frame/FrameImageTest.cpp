// The setup window's image without caption text, from its own skin: the plain client colour and
// the title's two looks.
#include <gtest/gtest.h>

#include "FrameTestSkin.h"
#include "skin/base/sColorMath.h"
#include "skin/frame/sFrameImage.h"

using frametest::WindowSkin;

namespace {

struct TImage {
  TsDialogFrame Frame;
  const TsFrameImageInput& In = Frame.In;
  TBitmap32 Image;
  TsTempBmp Temp;
  bool Built = false;

  TImage(TsSkinManager& m, bool active) : Frame(DialogFrame(m, TsSystemMetrics{}, 680, 495, active)) {
    Built = BuildFrameBackground(Image, In);
    FinishFrameImage(Image, Temp, In, Frame.Buttons, Frame.Queries, true);
  }
};

}  // namespace

// The window's skin paints its client as a plain fill of FORM's colour; the title differs between
// the active and the inactive look while the client does not.
TEST(FrameImage, PlainClientAndTwoTitleLooks) {
  TsSkinManager* m = WindowSkin();
  ASSERT_TRUE(m);
  const TImage active(*m, true), inactive(*m, false);
  ASSERT_TRUE(active.Built);
  EXPECT_TRUE(active.In.PlainColour);
  ASSERT_EQ(active.Image.Width(), 686);
  ASSERT_EQ(active.Image.Height(), 520);
  const TsFrameMetrics& fm = active.Frame.Metrics;
  const std::uint32_t client = active.Image.Pixel(fm.OffsetX + 100, fm.OffsetY + 100);
  EXPECT_EQ(client, scolor::SwapRB(FormColor(*m, active.In.Form.SkinIndex, true)) | 0xFF000000u);
  EXPECT_EQ(inactive.Image.Pixel(fm.OffsetX + 100, fm.OffsetY + 100), client);
  EXPECT_EQ(active.Image.Pixel(fm.OffsetX, fm.OffsetY), client);  // the client's first row is filled too
  EXPECT_NE(active.Image.Pixel(300, 10), inactive.Image.Pixel(300, 10));
}
