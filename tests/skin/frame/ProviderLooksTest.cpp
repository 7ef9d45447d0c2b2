// The frame's picture on skins made from the setup window's own by changing sections: a glowing
// title (and the old skins that may not glow in a 32-bit process on 64-bit Windows), a CAPTION
// section behind the caption text, and a FORM painted as a picture instead of a plain colour.
#include <algorithm>

#include "ProviderFixture.h"
#include "platform/SystemInfo.h"
#include "skin/base/sGradient.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFormAnimation.h"

namespace {

using namespace providertest;

class ProviderLooks : public Provider {
 protected:
  TsGeneralData& Section(const wchar_t* name) {
    const int i = manager.GetSkinIndex(name);
    EXPECT_GE(i, 0) << "the skin has no section " << name;
    return manager.Tables().gd[std::size_t(i)];
  }
  // The form's picture built anew with the skin as it is now.
  static TBitmap32 Rebuilt(TForm& form) {
    SendSkinCommand(form, SKIN_BGCHANGED, 0);
    EXPECT_TRUE(Of(form).PrepareCache());
    return Of(form).Image().Pixels();
  }
  // How many pixels of rows [from, to) are the colour rgb.
  static int Count(const TBitmap32& image, int from, int to, std::uint32_t rgb) {
    int n = 0;
    for (int y = from; y < to; ++y)
      for (int x = 0; x < image.Width(); ++x) n += (image.Pixel(x, y) & 0xFFFFFF) == rgb;
    return n;
  }
  static bool RowsDiffer(const TBitmap32& a, const TBitmap32& b, int rows) {
    for (int y = 0; y < rows; ++y)
      if (!std::equal(a.Row(y), a.Row(y) + a.Width(), b.Row(y))) return true;
    return false;
  }
};

// The title glows in both looks once its section asks for it, except for skins of version 7.5 or
// older in a 32-bit process on 64-bit Windows without desktop composition.
TEST_F(ProviderLooks, TitleGlowAndTheOldSkinRule) {
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  const int header = Of(*form).Metrics().HeaderHeight;
  TsGeneralData& title = Section(L"FORMTITLE");
  const TBitmap32 plain = Rebuilt(*form);
  title.GlowSize = title.HotGlowSize = 4;
  for (TsGenState& s : title.Props) s.GlowColor = 0x00FF00;
  const bool oldSkinsMayGlow = !(IsRunningUnderWow64() && !CompositionEnabled());
  for (const double version : {8.0, 7.5}) {
    manager.Tables().CommonSkinData.Version = version;
    const bool glows = version > 7.5 || oldSkinsMayGlow;
    EXPECT_EQ(RowsDiffer(plain, Rebuilt(*form), header), glows) << "version " << version;
  }
}

// A CAPTION section paints its colour behind the caption text, inside the title only.
TEST_F(ProviderLooks, CaptionSectionBehindTheText) {
  TsGeneralData caption;
  caption.ClassName = L"CAPTION";
  caption.States = 2;
  for (TsGenState& s : caption.Props) s.Color = 0x00C000;  // a green no other part of the skin uses
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  const int header = Of(*form).Metrics().HeaderHeight;
  const TBitmap32 without = Rebuilt(*form);
  ASSERT_EQ(Count(without, 0, without.Height(), 0x00C000), 0);
  manager.Tables().gd.push_back(caption);
  SendSkinCommand(*form, SKIN_LOADED, reinterpret_cast<LPARAM>(&manager));
  const TBitmap32 with = Rebuilt(*form);
  EXPECT_GT(Count(with, 0, header, 0x00C000), 0);
  EXPECT_EQ(Count(with, header, with.Height(), 0x00C000), 0);
}

// A FORM painted as a picture: a child asking for its background while the picture is out of
// date gets the picture built first, at the client's offset.
TEST_F(ProviderLooks, BackgroundQueryBuildsAnOutOfDatePicture) {
  TsGeneralData& formSection = Section(L"FORM");
  for (TsGenState& s : formSection.Props) {
    s.GradientPercent = 100;
    s.GradientData = L"3425866;2437686;100;0;0";
    s.GradientArray = ParseGradientData(s.GradientData);
  }
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  RiDuraRidareza& p = Of(*form);
  ASSERT_EQ(SendSkinCommand(*form, SKIN_SKINSTATE), 0) << "not a plain colour any more";
  SendSkinCommand(*form, SKIN_BGCHANGED, 0);
  TsBackgroundQuery q;
  q.X = 5;
  q.Y = 7;
  SendSkinCommand(*form, SKIN_QUERYBACKGROUND, reinterpret_cast<LPARAM>(&q));
  ASSERT_EQ(q.Answer, qaBitmap);
  EXPECT_EQ(q.Bmp, &p.Image());
  EXPECT_EQ(q.X, 5 + p.OffsetX());
  EXPECT_EQ(q.Y, 7 + p.OffsetY());
  EXPECT_FALSE(p.CommonData().BGChanged) << "built before the answer";
  // The gradient runs across the client: far corners differ.
  const TBitmap32& image = p.Image().Pixels();
  EXPECT_NE(image.Pixel(q.X, q.Y), image.Pixel(q.X + 150, q.Y + 150));
}

}  // namespace
