// Labels in a real window under Wine: the effect label's size and glow, the web label's colours
// from the skin, and the one request a click on a web label makes to open its address.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "../data/SkinTestUtil.h"
#include "../data/manager/ManagerTestUtil.h"
#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "platform/ShellOpen.h"
#include "skin/controls/sLabel.h"
#include "skin/paint/sSkinEngine.h"

namespace {

using pumptest::PumpPending;

constexpr TColor kWebText = 0x0000C0, kWebTextHot = 0xC00000;

class LabelWin : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};

  void SetUp() override {
    InstallSkinEngine();
    manager.InternalSkins().Add(mgrtest::StoredSkin(L"T", WriteSkinPackage(mgrtest::TestPackageEntries(mgrtest::TestOptions()))));
    manager.SetSkinName(L"T");
    manager.Tables().Palette[pcWebText] = kWebText;
    manager.Tables().Palette[pcWebTextHot] = kWebTextHot;
    form.SetColor(clWhite);
    form.SetBounds(40, 40, 400, 160);
    form.Show();
    PumpPending();
  }
  void TearDown() override { SetSkinPlatform(nullptr); }

  static void SetFont(TFont& f) {
    f.SetName(L"Tahoma");
    f.SetHeight(-16);
    f.SetStyle(fsBold);
    f.SetColor(clBlack);
  }

  // The form's client area as it is on the screen after painting.
  TBitmap32 Shot() {
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    RECT rc;
    GetClientRect(form.Handle(), &rc);
    TBitmap shot(rc.right, rc.bottom);
    HDC dc = GetDC(form.Handle());
    BitBlt(shot.DC(), 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(form.Handle(), dc);
    GdiFlush();
    return shot.Pixels();
  }

  // The text's extent with the font, measured here.
  TPoint Measure(const TFont& font, const std::wstring& text) {
    TWindowDC screen(nullptr);
    TCanvas canvas(screen.dc());
    canvas.Font = font;
    TRect r{0, 0, 0x7FFFFFFF, 0};
    canvas.DrawText(text, r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    return {r.Width(), r.Height()};
  }
};

// Aqua over white lowers red and leaves green and blue near full: a tinted pixel.
bool Tinted(std::uint32_t p) {
  const int r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
  return g - r >= 8 && b - r >= 8;
}

}  // namespace

// An auto-sized label with shadow (6, 1) is 12 pixels larger than its text, the text box at (5, 5);
// the glow tints pixels left of, right of and below the text box and nothing outside the label.
// Disabled, it shows no glow.
TEST_F(LabelWin, AutoSizedShadowedLabel) {
  auto* l = new TsLabelFX(&form);
  l->SetParent(&form);
  SetFont(l->Font());
  l->Kind().SetKindType(TsKindType::ktCustom);
  l->Kind().SetColor(clBlack);
  l->Shadow().SetMode(TsShadowMode::smCustom);
  l->Shadow().SetColor(clAqua);
  l->Shadow().SetBlurCount(6);
  l->SetBounds(60, 50, 10, 10);
  const std::wstring text = L"Glow test";
  l->SetCaption(text);
  const TPoint e = Measure(l->Font(), text);
  ASSERT_GT(e.X, 0);
  EXPECT_EQ(l->Width(), e.X + 12);
  EXPECT_EQ(l->Height(), e.Y + 12);
  EXPECT_EQ(l->Shadow().OffsetKeeper.LeftTop, -5);
  EXPECT_EQ(l->Shadow().OffsetKeeper.RightBottom, 7);

  const TRect label = l->BoundsRect(), box = Bounds(label.Left + 5, label.Top + 5, e.X, e.Y);
  TBitmap32 shot = Shot();
  bool left = false, right = false, below = false, outside = false;
  TRect ink{1 << 20, 1 << 20, -1, -1};
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const std::uint32_t p = shot.Pixel(x, y) & 0xFFFFFF;
      if (!label.Contains({x, y})) {
        outside |= p != 0xFFFFFF;
        continue;
      }
      if (Tinted(p)) {
        left |= x < box.Left;
        right |= x >= box.Right;
        below |= y >= box.Bottom;
      }
      if (p == 0) ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1), std::max(ink.Bottom, y + 1)};
    }
  EXPECT_TRUE(left && right && below);
  EXPECT_FALSE(outside);
  // Black text, all inside its box.
  ASSERT_GE(ink.Right, 0);
  EXPECT_GE(ink.Left, box.Left);
  EXPECT_GE(ink.Top, box.Top);
  EXPECT_LE(ink.Right, box.Right);
  EXPECT_LE(ink.Bottom, box.Bottom);

  l->SetEnabled(false);
  shot = Shot();
  int tinted = 0;
  for (int y = label.Top; y < label.Bottom; ++y)
    for (int x = label.Left; x < label.Right; ++x) tinted += Tinted(shot.Pixel(x, y));
  EXPECT_EQ(tinted, 0);
}

// A margin change moves the label so that its text stays where it was.
TEST_F(LabelWin, BlurChangeKeepsTheText) {
  auto* l = new TsLabelFX(&form);
  l->SetParent(&form);
  l->Shadow().SetMode(TsShadowMode::smCustom);
  l->Shadow().SetBlurCount(6);
  l->SetCaption(L"Move");
  l->SetBounds(50, 40, l->Width(), l->Height());
  const TRect before = l->BoundsRect();
  l->Shadow().SetBlurCount(2);
  EXPECT_EQ(l->BoundsRect(), Bounds(before.Left + 4, before.Top + 4, before.Width() - 8, before.Height() - 8));
  EXPECT_EQ(l->Shadow().OffsetKeeper.LeftTop, -1);
  EXPECT_EQ(l->Shadow().OffsetKeeper.RightBottom, 3);
}

// A web label's text is the palette's web colour, and its hot colour while the pointer is over it.
TEST_F(LabelWin, WebLabelColours) {
  auto* l = new TsWebLabel(&form);
  l->SetParent(&form);
  TFont f;
  SetFont(f);
  f.SetColor(0x00FF00);  // the skin's colour wins
  l->SetNormalFont(f);
  l->SetHoverFont(f);
  l->SetBounds(30, 30, 10, 10);
  l->SetCaption(L"MMMM WWWW");
  const auto commonest = [&] {
    const TBitmap32 shot = Shot();
    std::map<std::uint32_t, int> counts;
    for (int y = l->Top(); y < l->Top() + l->Height(); ++y)
      for (int x = l->Left(); x < l->Left() + l->Width(); ++x)
        if ((shot.Pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++counts[shot.Pixel(x, y) & 0xFFFFFF];
    std::pair<std::uint32_t, int> best{0, 0};
    for (auto [c, n] : counts)
      if (n > best.second) best = {c, n};
    return best.first;
  };
  // Pixels are 0x00RRGGBB; colour values 0x00BBGGRR.
  EXPECT_EQ(commonest(), 0xC00000u);
  EXPECT_EQ(l->LabelTextColor(), kWebText);
  l->Perform(FN_MOUSEENTER);
  EXPECT_TRUE(l->MouseAbove());
  EXPECT_EQ(commonest(), 0x0000C0u);
  l->Perform(FN_MOUSELEAVE);
  EXPECT_FALSE(l->MouseAbove());
  EXPECT_EQ(commonest(), 0xC00000u);
}

namespace {
struct TRequest {
  bool desktop;
  std::wstring address;
  int show;
};

// Records the requests instead of opening anything.
class ShellOpen : public ::testing::Test {
 protected:
  std::vector<TRequest> requests;
  bool elevated = false, desktopWorks = true;
  void SetUp() override {
    ShellOpenSeam() = {[this] { return elevated; },
                       [this](const std::wstring& a, int s) {
                         if (desktopWorks) requests.push_back({true, a, s});
                         return desktopWorks;
                       },
                       [this](HWND, const std::wstring& a, int s) { requests.push_back({false, a, s}); }};
  }
  void TearDown() override { ShellOpenSeam() = SystemShellOpenSeam(); }
};
}  // namespace

// Exactly one request, with the address and show command, in every case; none without an address.
TEST_F(ShellOpen, OneRequestInEveryCase) {
  for (bool e : {false, true})
    for (bool d : {false, true}) {
      SCOPED_TRACE(testing::Message() << "elevated " << e << ", desktop " << d);
      elevated = e;
      desktopWorks = d;
      requests.clear();
      ShellOpenAddress(nullptr, L"https://example.invalid/", SW_SHOWMAXIMIZED);
      ASSERT_EQ(requests.size(), 1u);
      EXPECT_EQ(requests[0].desktop, e && d);
      EXPECT_EQ(requests[0].address, L"https://example.invalid/");
      EXPECT_EQ(requests[0].show, SW_SHOWMAXIMIZED);
      requests.clear();
      ShellOpenAddress(nullptr, L"", SW_SHOW);
      EXPECT_TRUE(requests.empty());
    }
}

// A left click on a web label asks once, with its ShowMode; a label without URL asks nothing.
TEST_F(ShellOpen, WebLabelClick) {
  TForm form(nullptr);
  form.SetBounds(40, 40, 200, 100);
  auto* l = new TsWebLabel(&form);
  l->SetParent(&form);
  l->SetBounds(10, 10, 80, 16);
  l->SetURL(L"https://prismatone.net/");
  l->SetShowMode(TsWindowShowMode::soMaximize);
  elevated = true;
  l->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  l->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].desktop);
  EXPECT_EQ(requests[0].address, L"https://prismatone.net/");
  EXPECT_EQ(requests[0].show, SW_SHOWMAXIMIZED);
  l->Perform(WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3));
  l->SetURL(L"");
  l->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(requests.size(), 1u);
}
