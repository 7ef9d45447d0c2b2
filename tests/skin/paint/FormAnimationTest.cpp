// Form show and hide animations on a test skinner: the frames handed to the cover (recorded in
// place of the system call: Wine has no compositor to look at), the form's opacity at the end of
// every path, and one AfterAnimation per animation.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "../data/SkinTestUtil.h"
#include "../data/manager/ManagerTestUtil.h"
#include "PumpUtil.h"
#include "framework/Form.h"
#include "skin/base/sFill.h"
#include "skin/base/sLayered.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sSkinEngine.h"

namespace {

struct TFrame {
  HWND Wnd;
  int Alpha;
  TRect Drawn;  // bounding box of the picture's visible pixels
};

// The bounding box of the pixels with alpha in the 32-bit picture selected into dc.
TRect DrawnArea(HDC dc) {
  DIBSECTION ds{};
  HGDIOBJ bmp = GetCurrentObject(dc, OBJ_BITMAP);
  if (!bmp || GetObjectW(bmp, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) return {};
  GdiFlush();
  const int w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
  const auto* px = static_cast<const std::uint32_t*>(ds.dsBm.bmBits);
  TRect r{w, h, 0, 0};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (px[std::size_t(y) * w + x] >> 24) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r;
}

// A form answering skin command 4 with its skinner, as skinned forms do.
class TSkinnedForm : public TForm {
 public:
  using TForm::TForm;
  TsFormAnimationHost* Skinner = nullptr;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_GETPROVIDER) {
      m.Result = reinterpret_cast<LRESULT>(Skinner);
      return;
    }
    TForm::WndProc(m);
  }
};

class TTestSkinner : public TsFormAnimationHost {
 public:
  TSkinnedForm form{nullptr};
  TsCommonData data{&form, 0};
  std::unique_ptr<TBitmap> image;
  bool hasData = true, inAnimation = false;
  std::vector<TsAnimEventKind> events;

  TForm& Form() override { return form; }
  TsCommonData* SkinData() override { return hasData ? &data : nullptr; }
  TBitmap* WindowImage() override { return image.get(); }
  void RepaintWindowImage() override {
    if (!image) return;
    GdiFlush();
    FillPixels(image->Pixels(), TRect{0, 0, image->Width(), image->Height()}, 0x00C08040, 255);
  }
  std::vector<TRect> CutRects() override { return {TRect{0, 0, 3, 3}}; }
  void SetInAnimation(bool on) override { inAnimation = on; }
  unsigned FormState() override { return 0; }
  void AfterAnimation(TsAnimEventKind kind) override { events.push_back(kind); }
};

using pumptest::Pump;
using pumptest::PumpPending;

BYTE LayeredAlpha(HWND wnd) {
  BYTE alpha = 0;
  DWORD flags = 0;
  COLORREF key = 0;
  return GetLayeredWindowAttributes(wnd, &key, &alpha, &flags) ? alpha : BYTE(0);
}

class FormAnimation : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  std::unique_ptr<TTestSkinner> skinner;
  std::vector<TFrame> frames;

  void SetUp() override {
    InstallSkinEngine();
    manager.InternalSkins().Add(mgrtest::StoredSkin(L"T", WriteSkinPackage(mgrtest::TestPackageEntries(
                                                               "[GLOBALINFO]\r\nVERSION=7.20\r\nMASTERBITMAP=MASTER.BMP\r\n"))));
    manager.SetSkinName(L"T");
    skinner = std::make_unique<TTestSkinner>();
    skinner->form.Skinner = skinner.get();
    skinner->form.SetBorderStyle(TFormBorderStyle::bsNone);
    skinner->form.SetBounds(80, 60, 200, 100);
    skinner->image = std::make_unique<TBitmap>(200, 100);
    SetUpdateLayeredFunction([this](HWND wnd, HDC, POINT*, SIZE*, HDC src, POINT*, COLORREF, BLENDFUNCTION* blend, DWORD) {
      frames.push_back({wnd, blend->SourceConstantAlpha, DrawnArea(src)});
      return BOOL(TRUE);
    });
  }
  void TearDown() override {
    SetUpdateLayeredFunction(nullptr);
    skinner.reset();
    PumpPending();
    SetSkinPlatform(nullptr);
  }
  // Shows the form the way the form skinner does before the animation: layered at opacity 0.
  void ShowHidden() {
    TForm& f = skinner->form;
    f.Show();
    HWND wnd = f.Handle();
    SetWindowLongW(wnd, GWL_EXSTYLE, GetWindowLongW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredAttributes(wnd, 0, 0, LWA_ALPHA);
  }
  std::vector<int> Alphas() const {
    std::vector<int> v;
    for (const TFrame& f : frames) v.push_back(f.Alpha);
    return v;
  }
};

}  // namespace

// Time 0: the cover shows the finished picture at the target opacity, no frame between.
TEST_F(FormAnimation, ShowAtOnce) {
  ShowHidden();
  AnimateFormShow(*skinner, 0, 240, TsAnimType::atAero);
  EXPECT_EQ(Alphas(), (std::vector<int>{240, 240}));
  EXPECT_EQ(frames.front().Drawn, (TRect{0, 0, 200, 100}));
  EXPECT_EQ(skinner->events, std::vector<TsAnimEventKind>{TsAnimEventKind::aeShowing});
  EXPECT_EQ(LayeredAlpha(skinner->form.Handle()), 240);
  EXPECT_FALSE(FormAnimationRunning());
}

// Time 100: 9 frames rising to the target while the picture grows from an eighth inside.
TEST_F(FormAnimation, ShowAnimatedGrowsAndRises) {
  ShowHidden();
  AnimateFormShow(*skinner, 100, 240, TsAnimType::atAero);
  ASSERT_EQ(frames.size(), 11u);  // the empty start, 9 frames, the whole picture
  EXPECT_EQ(Alphas(), (std::vector<int>{0, 30, 60, 90, 120, 150, 180, 210, 240, 240, 240}));
  // 200 × 100: insets 25 and 12.5 (→ 12) shrinking by 3.125 and 1.5625 per frame.
  EXPECT_EQ(frames[1].Drawn, (TRect{25, 12, 175, 87}));
  EXPECT_EQ(frames[9].Drawn, (TRect{0, 0, 200, 100}));
  EXPECT_EQ(skinner->events.size(), 1u);
  EXPECT_EQ(LayeredAlpha(skinner->form.Handle()), 240);
}

// Every early way out leaves the form visible at the target opacity, with one event.
TEST_F(FormAnimation, EarlyExitsStillShowTheForm) {
  for (int exit = 0; exit < 3; ++exit) {
    SCOPED_TRACE(exit);
    TearDown();
    SetUp();
    ShowHidden();
    if (exit == 0) ShowWindow(skinner->form.Handle(), SW_MINIMIZE);
    if (exit == 1) skinner->hasData = false;
    if (exit == 2) skinner->image.reset();
    AnimateFormShow(*skinner, 100, 240, TsAnimType::atAero);
    EXPECT_EQ(LayeredAlpha(skinner->form.Handle()), 240);
    EXPECT_EQ(skinner->events.size(), 1u);
    EXPECT_FALSE(skinner->inAnimation);
    EXPECT_FALSE(FormAnimationRunning());
  }
}

// Hiding with Time 100: the cover falls from 255 to 0 in 9 frames on the hide timer while the
// picture shrinks, then the form's skinner hears aeHiding once.
TEST_F(FormAnimation, HideFadesOutOnTheHideTimer) {
  skinner->form.Show();
  manager.AnimEffects().FormHide.Time = 100;
  AnimateFormHide(*skinner);
  EXPECT_FALSE(FormAnimationRunning());
  EXPECT_FALSE(IsWindowVisible(skinner->form.Handle()));
  Pump([&] { return !skinner->events.empty(); });
  ASSERT_EQ(skinner->events, std::vector<TsAnimEventKind>{TsAnimEventKind::aeHiding});
  std::vector<int> cover;
  for (std::size_t k = 1; k < frames.size(); ++k) cover.push_back(frames[k].Alpha);  // frames[0]: the screen copy
  EXPECT_EQ(cover, (std::vector<int>{255, 223, 191, 159, 128, 96, 64, 32, 0, 0}));
  EXPECT_EQ(frames[2].Drawn, (TRect{0, 0, 200, 100}));
  EXPECT_EQ(frames.back().Drawn, (TRect{25, 12, 175, 87}));
  EXPECT_FALSE(HideTimer().Form);
}

// Time 0 hides at once: no frames, no event. A hide whose form is gone by its end asks nobody.
TEST_F(FormAnimation, HideAtOnceAndAFormGoneMeanwhile) {
  skinner->form.Show();
  AnimateFormHide(*skinner);
  PumpPending();
  EXPECT_TRUE(skinner->events.empty());
  EXPECT_FALSE(HideTimer().Form);

  manager.AnimEffects().FormHide.Time = 60;
  skinner->form.Show();
  AnimateFormHide(*skinner);
  skinner->form.DestroyHandle();
  Pump([] { return !HideTimer().Form; });
  EXPECT_FALSE(HideTimer().Form);
  EXPECT_TRUE(skinner->events.empty());
}

// A hide at once while another hide runs ends that one: its form hears aeHiding, and neither
// the timer nor the two window-sized pictures are left behind.
TEST_F(FormAnimation, HideAtOnceEndsARunningHide) {
  skinner->form.Show();
  manager.AnimEffects().FormHide.Time = 400;
  AnimateFormHide(*skinner);
  ASSERT_TRUE(HideTimer().Form);
  manager.AnimEffects().FormHide.Time = 0;
  skinner->form.Show();
  AnimateFormHide(*skinner);
  EXPECT_EQ(skinner->events, std::vector<TsAnimEventKind>{TsAnimEventKind::aeHiding});
  EXPECT_FALSE(HideTimer().Form);
  EXPECT_FALSE(HideTimer().SrcBmp);
  EXPECT_FALSE(HideTimer().DstBmp);
  EXPECT_EQ(HideTimer().Interval(), 65535u);
}

// Logged, not asserted: how long the picture of a window-sized form and one show frame take.
TEST_F(FormAnimation, PictureAndFrameTimes) {
  skinner->form.SetBounds(40, 40, 680, 495);
  skinner->image = std::make_unique<TBitmap>(680, 495);
  skinner->form.Show();
  TBitmap picture(680, 495);
  const auto t0 = std::chrono::steady_clock::now();
  PaintControlImage(picture, skinner->form, 0, 0, skinner.get());
  const auto t1 = std::chrono::steady_clock::now();
  AnimateFormShow(*skinner, 12, 240, TsAnimType::atAero);  // two frames
  const auto t2 = std::chrono::steady_clock::now();
  const double paint = std::chrono::duration<double, std::milli>(t1 - t0).count();
  const double frame = (std::chrono::duration<double, std::milli>(t2 - t1).count() - 2 * 12.0) / 2;
  std::printf("PaintControlImage 680x495: %.2f ms; one show frame beyond its 12 ms wait: %.2f ms\n", paint, frame);
  EXPECT_EQ(skinner->events.size(), 1u);
}
