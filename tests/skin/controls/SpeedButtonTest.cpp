// The skinned speed button on a real window with the setup's own skin: the "..." caption centred,
// the fades (frames within the old and new pictures also when a press follows a hover at once),
// an opaque sibling in both fade pictures, handing the hover to an overlapping button, and the
// drop-down menus of the speed button and the split push button (closed from a timer).
#include <gtest/gtest.h>

#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Timer.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/data/sSkinSend.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace {

using pumptest::Pump;
using pumptest::PumpPending;

// Counts the fade frames (each asks for a repaint) and keeps them; counts deactivations.
class TCountingSpeedButton : public TsSpeedButton {
 public:
  using TsSpeedButton::TsSpeedButton;
  int Frames = 0, Deactivated = 0;
  std::vector<TBitmap32> Shown;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_INVALIDATE && AnimTimer()) {
      ++Frames;
      Shown.push_back(AnimTimer()->TmpBmp);
    }
    if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_DEACTIVATED) ++Deactivated;
    TsSpeedButton::WndProc(m);
  }
};

// A windowless control that covers its rectangle in one colour.
class TSolid : public TGraphicControl {
 public:
  explicit TSolid(TComponent* owner) : TGraphicControl(owner) { controlStyle_ |= csOpaque; }

 protected:
  void Paint(TCanvas& canvas) override {
    RECT r{0, 0, Width(), Height()};
    TUniqueBrush b(CreateSolidBrush(RGB(200, 10, 20)));
    FillRect(canvas.Handle(), &r, b.get());
  }
};
constexpr std::uint32_t kSolid = 0xC80A14;  // as the pixels hold it

// Closes the open menu from a timer after `ms` and remembers what the button looked like then.
class TMenuCloser {
 public:
  explicit TMenuCloser(std::function<void()> look, unsigned ms = 150) : look_(std::move(look)) {
    timer_.SetInterval(ms);
    timer_.OnTimer = [this](TObject*) {
      timer_.SetEnabled(false);
      ++Closed;
      if (look_) look_();
      EndMenu();
    };
  }
  void Arm() { timer_.SetEnabled(true); }
  int Closed = 0;

 private:
  TTimer timer_{nullptr};
  std::function<void()> look_;
};

class SpeedButton : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TCountingSpeedButton* button = nullptr;
  int clicks = 0;

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 0, L"T");
    manager.SetSkinName(L"T");
    manager.AnimEffects().Buttons.Events = kAllBtnEvents;
    form.SetBounds(60, 60, 320, 200);
    button = Add(20, 20);
    form.Show();
    SetFocus(form.Handle());
    PumpPending();
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  TCountingSpeedButton* Add(int x, int y) {
    auto* b = new TCountingSpeedButton(&form);
    b->SetParent(&form);
    b->SetBounds(x, y, 23, 22);
    b->SetCaption(L"...");
    b->SkinData().SetSkinSection(L"SPEEDBUTTON");
    b->OnClick = [this](TObject*) { ++clicks; };
    b->Loaded();
    return b;
  }
  void Press(TControl* c, int x = 5) { c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5)); }
  void Release(TControl* c, int x = 5) { c->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, 5)); }
};

}  // namespace

// The browse button: "..." measured in 25 and centred in 23 × 22.
TEST_F(SpeedButton, BrowseCaptionCentred) {
  const TSize t = button->TextRectSize();
  ASSERT_GT(t.W, 0);
  EXPECT_LE(t.W, 25);
  const TRect r = button->CaptionRect(false);
  EXPECT_EQ(r.Left, (23 - t.W) / 2);
  EXPECT_EQ(r.Top, (22 - t.H) / 2);
}

// Entering fades in 11 frames and a press in 5; both end on the cache.
TEST_F(SpeedButton, FadeFrames) {
  button->Perform(FN_MOUSEENTER);
  EXPECT_TRUE(button->Fading());
  Pump([&] { return !button->Fading(); });
  EXPECT_EQ(button->Frames, 11);
  button->Frames = 0;
  Press(button);
  Pump([&] { return !button->Fading(); });
  EXPECT_EQ(button->Frames, 5);
  Release(button);
  Pump([&] { return !button->Fading(); });
  EXPECT_EQ(clicks, 1);
}

// A press two frames into the hover fade: every frame of the press fade lies, channel by
// channel, between its old and new pictures.
TEST_F(SpeedButton, PressAfterShortHoverStaysBetweenPictures) {
  button->Perform(FN_MOUSEENTER);
  Pump([&] { return button->Frames >= 2; });
  button->Shown.clear();
  Press(button);
  ASSERT_TRUE(button->Fading());
  const TBitmap32 from = button->AnimTimer()->BmpFrom;
  Pump([&] { return !button->Fading(); });
  const TBitmap32& to = button->SkinData().CacheBmp()->Pixels();
  ASSERT_FALSE(button->Shown.empty());
  for (const TBitmap32& f : button->Shown) {
    ASSERT_EQ(f.Width(), to.Width());
    for (int y = 0; y < f.Height(); ++y)
      for (int x = 0; x < f.Width(); ++x)
        for (int shift : {0, 8, 16}) {
          const int a = int(from.Pixel(x, y) >> shift & 0xFF), b = int(to.Pixel(x, y) >> shift & 0xFF);
          const int v = int(f.Pixel(x, y) >> shift & 0xFF);
          ASSERT_GE(v, std::min(a, b)) << x << "," << y;
          ASSERT_LE(v, std::max(a, b)) << x << "," << y;
        }
  }
  Release(button);
  Pump([&] { return !button->Fading(); });
}

// An opaque windowless sibling lying over the button shows in the old and the new picture.
TEST_F(SpeedButton, OpaqueSiblingInBothPictures) {
  auto* solid = new TSolid(&form);
  solid->SetParent(&form);
  solid->SetBounds(30, 25, 30, 30);  // its top-left corner lies inside the button
  PumpPending();
  button->Perform(FN_MOUSEENTER);
  ASSERT_TRUE(button->Fading());
  EXPECT_EQ(button->AnimTimer()->BmpFrom.Pixel(15, 10) & 0xFFFFFFu, kSolid);
  EXPECT_EQ(button->SkinData().CacheBmp()->Pixels().Pixel(15, 10) & 0xFFFFFFu, kSolid);
  EXPECT_NE(button->SkinData().CacheBmp()->Pixels().Pixel(5, 3) & 0xFFFFFFu, kSolid);
  Pump([&] { return !button->Fading(); });
}

// Moving onto an overlapping button: the first is told (command 30) and fades back.
TEST_F(SpeedButton, HoverMovesToTheOverlappingButton) {
  TCountingSpeedButton* other = Add(30, 20);
  button->Perform(FN_MOUSEENTER);
  Pump([&] { return !button->Fading(); });
  EXPECT_EQ(button->CurrentState(), 1);
  other->Perform(FN_MOUSEENTER);
  EXPECT_EQ(button->Deactivated, 1);
  EXPECT_TRUE(button->Fading());
  EXPECT_EQ(button->CurrentState(), 0);
  EXPECT_EQ(manager.ActiveGraphControl(), other);
  Pump([&] { return !button->Fading() && !other->Fading(); });
}

// A drop-down button with OnClick: the arrow part opens the menu, the rest clicks. Without
// OnClick every press opens it and the button shows pressed meanwhile; closing with the cursor
// elsewhere ends the hover.
TEST_F(SpeedButton, DropDownMenus) {
  TPopupMenu menu(nullptr);
  menu.Add(L"one");
  button->SetButtonStyle(TToolButtonStyle::tbsDropDown);
  EXPECT_EQ(button->Width(), 39);
  button->SetDropdownMenu(&menu);
  int stateWhileOpen = -1;
  TMenuCloser closer([&] { stateWhileOpen = button->CurrentState(); });
  closer.Arm();
  Press(button, 30);
  EXPECT_EQ(closer.Closed, 1);
  EXPECT_FALSE(button->MenuVisible());
  Release(button, 30);
  EXPECT_EQ(clicks, 0);
  Press(button, 5);
  Release(button, 5);
  EXPECT_EQ(clicks, 1);
  button->OnClick = nullptr;
  SetCursorPos(0, 0);
  button->Perform(FN_MOUSEENTER);
  closer.Arm();
  Press(button, 5);
  EXPECT_EQ(closer.Closed, 2);
  EXPECT_EQ(stateWhileOpen, 2);
  EXPECT_FALSE(button->SkinData().FMouseAbove);
  EXPECT_EQ(button->State(), TButtonState::bsUp);
  Release(button, 5);
  button->SetButtonStyle(TToolButtonStyle::tbsButton);
  EXPECT_EQ(button->Width(), 23);
  Pump([&] { return !button->Fading(); });
}

// The split push button: its right 16 pixels open the menu and raise no click.
TEST_F(SpeedButton, SplitPushButton) {
  TPopupMenu menu(nullptr);
  menu.Add(L"one");
  auto* split = new TsButton(&form);
  split->SetParent(&form);
  split->SetBounds(100, 60, 90, 25);
  split->SetCaption(L"Split");
  split->SkinData().SetSkinSection(L"BUTTON");
  split->SetStyle(TButtonStyle::bsSplitButton);
  split->SetDropDownMenu(&menu);
  split->SetAnimatEvents(0);
  int splitClicks = 0;
  split->OnClick = [&](TObject*) { ++splitClicks; };
  split->Loaded();
  PumpPending();
  bool droppedWhileOpen = false;
  TMenuCloser closer([&] { droppedWhileOpen = split->DroppedDown(); });
  closer.Arm();
  SendMessageW(split->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 10));
  SendMessageW(split->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(80, 10));
  PumpPending();
  EXPECT_EQ(closer.Closed, 1);
  EXPECT_TRUE(droppedWhileOpen);
  EXPECT_FALSE(split->DroppedDown());
  EXPECT_EQ(splitClicks, 0);
  SendMessageW(split->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(split->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  PumpPending();
  EXPECT_EQ(splitClicks, 1);
}

// Without a skin the framework's face shows the strip's glyph: its normal frame at the glyph's
// place, its disabled frame when disabled (as it is, without the disabled blend).
TEST_F(SpeedButton, UnskinnedGlyph) {
  TBitmap32 strip(16, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) strip.Pixel(x, y) = x < 8 ? 0x00102030u : 0x00405060u;
  strip.Pixel(0, 7) = strip.Pixel(8, 7) = 0x00FF00FFu;  // the key colour of each frame
  button->SetCaption(L"");
  button->SetBounds(20, 20, 30, 30);
  button->SetNumGlyphs(2);
  button->SetGlyph(strip);
  manager.SetActive(false);
  // A plain form passes no skin command on to its windowless children: the button is told here.
  SendSkinCommand(*button, SKIN_UNLOADED, reinterpret_cast<LPARAM>(&manager));
  PumpPending();
  ASSERT_FALSE(button->SkinData().Skinned());
  const TRect g = button->ImgRect(true);
  EXPECT_EQ(g, Bounds(11, 11, 8, 8));
  auto pixel = [&](int x, int y) {
    UpdateWindow(form.Handle());
    HDC dc = GetDC(form.Handle());
    const COLORREF c = GetPixel(dc, 20 + x, 20 + y);
    ReleaseDC(form.Handle(), dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  };
  button->Invalidate();
  EXPECT_EQ(pixel(g.Left + 3, g.Top + 3), 0x102030u);
  button->SetDisabledGlyphKind(0);
  button->SetEnabled(false);
  button->Invalidate();
  EXPECT_EQ(pixel(g.Left + 3, g.Top + 3), 0x405060u);
}
