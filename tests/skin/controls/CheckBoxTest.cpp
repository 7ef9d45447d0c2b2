// The skinned check box in a real window: where its glyph goes and which frame shows, its size,
// the state changes by mouse, space bar and messages (one toggle each), read-only boxes, the
// disabled look and its fades. The test skin gives every frame of every state its own colour.
#include <gtest/gtest.h>

#include "../data/SkinTestUtil.h"
#include "../data/manager/ManagerTestUtil.h"
#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "skin/controls/sCheckBox.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace {

constexpr std::uint32_t kBack = 0x00C8D0D4;     // the section's colour (0x00BBGGRR)
constexpr std::uint32_t kBackRGB = 0xD4D0C8;  // the same as the pixels hold it
// Frame colours (0xRRGGBB as the pixels hold them): state × frame.
constexpr std::uint32_t kFrame[3][3] = {{0x400000, 0x600000, 0x800000},   // unchecked
                                        {0x004000, 0x006000, 0x008000},   // checked
                                        {0x000040, 0x000060, 0x000080}};  // grayed

TBitmap32 Strip(const std::uint32_t (&frames)[3], int size = 15) {
  TBitmap32 b(3 * size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < 3 * size; ++x) b.Pixel(x, y) = 0xFF000000u | frames[x / size];
  return b;
}

std::vector<TsPackageEntry> Package() {
  const std::string options =
      "[GLOBALINFO]\r\nVERSION=7.20\r\nMASTERBITMAP=MASTER.BMP\r\n"
      "BOXUNCHECKED=!BOXU.BMP!3!0!2\r\nBOXCHECKED=!BOXC.BMP!3!0!2\r\nBOXGRAYED=!BOXG.BMP!3!0!2\r\n"
      "[CHECKBOX]\r\nSTATES=3\r\nCOLOR=" + std::to_string(kBack) + "\r\nHOTCOLOR=" + std::to_string(kBack) +
      "\r\nTRANSPARENCY=0\r\nHOTTRANSPARENCY=0\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=255\r\n";
  auto entries = mgrtest::TestPackageEntries(options);
  entries.push_back({"BoxU.bmp", skintest::EncodeBmp(Strip(kFrame[0]), 24)});
  entries.push_back({"BoxC.bmp", skintest::EncodeBmp(Strip(kFrame[1]), 24)});
  entries.push_back({"BoxG.bmp", skintest::EncodeBmp(Strip(kFrame[2]), 24)});
  return entries;
}

// A box that counts the fade frames it is offered (and lets the fade draw them).
class TCountingBox : public TsCheckBox {
 public:
  using TsCheckBox::TsCheckBox;
  int Frames = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_FADEFRAME) ++Frames;
    TsCheckBox::WndProc(m);
  }
};

using pumptest::Pump;
using pumptest::PumpPending;

class CheckBox : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TCountingBox* box = nullptr;
  int clicks = 0;

  void SetUp() override {
    InstallSkinEngine();
    manager.InternalSkins().Add(mgrtest::StoredSkin(L"T", WriteSkinPackage(Package())));
    manager.SetSkinName(L"T");
    form.SetBounds(60, 60, 320, 160);
    box = Add(L"");
    box->SetAnimatEvents(0);  // plain repaints unless a test asks for fades
    box->OnClick = [this](TObject*) { ++clicks; };
    form.Show();
    SetFocus(form.Handle());  // a focused box is hot: the tests give it the focus themselves
    PumpPending();
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  TCountingBox* Add(const std::wstring& caption) {
    auto* c = new TCountingBox(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 120, 25);
    c->SetCaption(caption);
    c->SkinData().SetSkinSection(L"CHECKBOX");
    c->Loaded();
    return c;
  }
  // The window's pixel (0xRRGGBB) once every paint is done.
  std::uint32_t ScreenPixel(int x, int y) {
    PumpPending();
    HWND wnd = box->Handle();
    UpdateWindow(wnd);
    HDC dc = GetDC(wnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  std::uint32_t GlyphCentre() { return ScreenPixel(box->GlyphRect().Left + 7, box->GlyphRect().Top + 7); }
  void Press() { SendMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }
  void Release() { SendMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }
  void Click() {
    Press();
    Release();
  }
  void Space() {
    SendMessageW(box->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(box->Handle(), WM_CHAR, L' ', 0x00390001);
    SendMessageW(box->Handle(), WM_KEYUP, VK_SPACE, 0xC0390001);
  }
  TSize Measured(const std::wstring& text) {
    TBitmap probe(1, 1);
    TCanvas canvas(probe.DC());
    canvas.Font = box->Font();
    TRect r{};
    canvas.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    return {r.Width(), r.Height()};
  }
};

}  // namespace

// The skin's glyph at (2, trunc((h − 15) / 2)); frames 0, 1, 2 at rest, hot and pressed; the
// state's own mask (BM_SETCHECK above 2 is grayed).
TEST_F(CheckBox, GlyphPlaceAndFrames) {
  box->SetAutoSize(false);
  for (int h : {25, 16, 12}) {
    box->SetBounds(10, 10, 120, h);
    EXPECT_EQ(box->GlyphRect(), Bounds(2, (h - 15) / 2, 15, 15));
  }
  box->SetBounds(10, 10, 120, 25);
  EXPECT_EQ(ScreenPixel(1, 12), kBackRGB);
  EXPECT_EQ(ScreenPixel(2, 5), kFrame[0][0]);
  EXPECT_EQ(ScreenPixel(16, 19), kFrame[0][0]);
  EXPECT_EQ(ScreenPixel(17, 12), kBackRGB);
  box->Perform(FN_MOUSEENTER);
  EXPECT_EQ(GlyphCentre(), kFrame[0][1]);
  Press();
  EXPECT_TRUE(box->Pressed());
  EXPECT_EQ(GlyphCentre(), kFrame[0][2]);
  Release();
  EXPECT_EQ(GlyphCentre(), kFrame[1][1]);
  box->Perform(FN_MOUSELEAVE);
  SetFocus(form.Handle());
  EXPECT_EQ(GlyphCentre(), kFrame[1][0]);
  SendMessageW(box->Handle(), BM_SETCHECK, 7, 0);
  EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed);
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(GlyphCentre(), kFrame[2][0]);
  SendMessageW(box->Handle(), BM_SETCHECK, 0, 0);
  EXPECT_EQ(GlyphCentre(), kFrame[0][0]);
}

// A three-frame custom strip shows frame 0, 1, 2; a one-frame strip always frame 0; an image
// list strip the same; all blended through their alpha.
TEST_F(CheckBox, CustomStripsAndImageList) {
  box->SetAutoSize(false);
  box->SetBounds(10, 10, 120, 25);
  box->SetGlyphUnChecked(Strip({0x111111, 0x222222, 0x333333}, 10));
  EXPECT_EQ(box->GlyphRect(), Bounds(2, 7, 10, 10));
  EXPECT_EQ(ScreenPixel(6, 11), 0x111111u);
  box->Perform(FN_MOUSEENTER);
  EXPECT_EQ(ScreenPixel(6, 11), 0x222222u);
  Press();
  EXPECT_EQ(ScreenPixel(6, 11), 0x333333u);
  Release();  // checked now: no custom checked strip, the skin's glyph again
  EXPECT_EQ(box->GlyphRect(), Bounds(2, 5, 15, 15));
  EXPECT_EQ(GlyphCentre(), kFrame[1][1]);
  TBitmap32 one(9, 4);  // no multiple of its height: one frame, shown hot too
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) one.Pixel(x, y) = 0xFF0A0B0Cu;
  box->SetGlyphChecked(one);
  EXPECT_EQ(box->GlyphRect(), Bounds(2, 10, 9, 4));
  EXPECT_EQ(ScreenPixel(5, 11), 0x0A0B0Cu);
  TBitmap32 three = Strip({0x010203, 0x040506, 0x070809}, 16);
  TImageList strips(48, 16);
  strips.Add(three);
  strips.Add(three);
  box->SetImgChecked(1);
  box->SetImgUnchecked(0);
  box->SetImages(&strips);
  EXPECT_EQ(box->GlyphRect(), Bounds(2, 4, 16, 16));
  EXPECT_EQ(ScreenPixel(10, 12), 0x040506u);  // hot
  box->SetImages(nullptr);
}

// Caption-less 19 × 17; with a caption 27 wider than its measured text; sized again when the
// caption changes.
TEST_F(CheckBox, AutoSize) {
  EXPECT_EQ(box->Width(), 19);
  EXPECT_EQ(box->Height(), 17);
  const std::wstring text = L"Создать ярлык на рабочем столе";
  box->SetCaption(text);
  const TSize t = Measured(text);
  EXPECT_EQ(box->Width(), t.W + 27);
  EXPECT_EQ(box->Height(), std::max(15, t.H + 4) + 2);
  TCountingBox* other = Add(L"Ассоциировать PTS/PTT файлы");
  EXPECT_EQ(other->Width(), Measured(L"Ассоциировать PTS/PTT файлы").W + 27);
  box->SetAutoSize(false);
  box->SetCaption(L"x");
  EXPECT_EQ(box->Width(), t.W + 27);
}

// One click, one toggle and one click event; AllowGrayed cycles unchecked, grayed, checked.
TEST_F(CheckBox, ClicksToggleOnce) {
  Click();
  EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
  EXPECT_EQ(clicks, 1);
  Click();
  EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
  box->SetAllowGrayed(true);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    Click();
    seen.push_back(box->State());
  }
  EXPECT_EQ(seen, (std::vector{TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked}));
  EXPECT_EQ(clicks, 5);
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// One space press: one toggle; the platform's button reports no click of its own.
TEST_F(CheckBox, SpaceTogglesOnce) {
  Space();
  PumpPending();
  EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetFocus(), box->Handle());
  Space();
  PumpPending();
  EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(clicks, 2);
}

// Press, leave, release: no toggle.
TEST_F(CheckBox, LeavingClearsThePress) {
  box->Perform(FN_MOUSEENTER);
  Press();
  box->Perform(FN_MOUSELEAVE);
  EXPECT_FALSE(box->Pressed());
  Release();
  EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(clicks, 0);
}

// Read-only: mouse and space change nothing and the look stays at rest; Checked in code still
// changes the state and raises OnValueChanged.
TEST_F(CheckBox, ReadOnly) {
  int changes = 0;
  box->OnValueChanged = [&](TObject*) { ++changes; };
  box->SetReadOnly(true);
  box->Perform(FN_MOUSEENTER);
  Click();
  Space();
  PumpPending();
  EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
  EXPECT_FALSE(box->Pressed());
  EXPECT_EQ(GlyphCentre(), kFrame[0][0]);
  box->SetChecked(true);
  EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
  EXPECT_EQ(changes, 1);
  box->SetChecked(true);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(GlyphCentre(), kFrame[1][0]);
}

// Disabled: the glyph keeps 40 % over the background colour.
TEST_F(CheckBox, DisabledLook) {
  const std::uint32_t enabled = GlyphCentre();
  box->SetEnabled(false);
  const std::uint32_t disabled = GlyphCentre();
  EXPECT_NE(disabled, enabled);
  Click();
  EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
}

// Entering fades in 11 frames, a press in 5; a fade ends on the new picture.
TEST_F(CheckBox, Fades) {
  box->SetAnimatEvents(aeGlobalDef);
  manager.AnimEffects().Buttons.Events = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
  box->Perform(FN_MOUSEENTER);
  EXPECT_TRUE(box->Fading());
  Pump([&] { return !box->Fading(); });
  EXPECT_EQ(box->Frames, 11);
  box->Frames = 0;
  Press();
  Pump([&] { return !box->Fading(); });
  EXPECT_EQ(box->Frames, 5);
  EXPECT_EQ(GlyphCentre(), kFrame[0][2]);
}

// Without a skin the platform's button reports the click: one toggle too.
TEST_F(CheckBox, UnskinnedClickTogglesOnce) {
  manager.SetActive(false);
  PumpPending();
  ASSERT_FALSE(box->SkinData().Skinned());
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  PumpPending();
  EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
  EXPECT_EQ(clicks, 1);
  SendMessageW(box->Handle(), BM_SETCHECK, 9, 0);
  EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed);
}
