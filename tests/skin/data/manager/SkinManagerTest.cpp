// The skin manager: properties and their limits, the SkinName path with its caught errors, the
// start-up order from a stored layout, lookups, constant indexes, the version checks and the
// skin command broadcasts, observed through a recording platform.
#include <gtest/gtest.h>

#include <any>
#include <cstring>
#include <iterator>
#include <map>

#include "../SkinTestUtil.h"
#include "ManagerTestUtil.h"
#include "framework/LayoutReader.h"
#include "skin/base/sColorTransforms.h"
#include "skin/data/sMessages.h"

using namespace mgrtest;

namespace {

class TTestRoot : public TComponent {
 public:
  using TComponent::TComponent;
};

// Reads a stored layout into root and returns its manager "sSkinManager1" (null when missing).
TsSkinManager* ReadManager(TTestRoot& root, const std::string& layout, const TClassRegistry& classes) {
  TPublishedMethods ctx;
  ReadComponent(root, ParseLayout(layout), classes, ctx);
  return dynamic_cast<TsSkinManager*>(root.FindComponent("sSkinManager1"));
}

class Manager : public ::testing::Test {
 protected:
  TRecordingPlatform platform;
  void SetUp() override { SetSkinPlatform(&platform); }
  void TearDown() override { SetSkinPlatform(nullptr); }

  // A manager with the test skin as its only internal skin, loaded and applied.
  std::unique_ptr<TsSkinManager> Loaded(const std::string& version = "7.20") {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->InternalSkins().Add(StoredSkin(L"Test", TestPackage(version)));
    m->SetSkinName(L"Test");
    return m;
  }
};

}  // namespace

// Construction: the documented defaults, the first manager becomes the default one.
TEST_F(Manager, Defaults) {
  ASSERT_EQ(DefaultManager(), nullptr);
  {
    TsSkinManager m(nullptr);
    TsSkinManager second(nullptr);
    EXPECT_EQ(DefaultManager(), &m);
    EXPECT_TRUE(m.IsDefault());
    EXPECT_FALSE(second.IsDefault());
    EXPECT_TRUE(m.Active());
    EXPECT_EQ(m.SkinName(), L"");
    EXPECT_EQ(m.SkinDirectory(), L"c:\\Skins");
    EXPECT_EQ(m.HueOffset(), 0);
    EXPECT_EQ(m.Brightness(), 0);
    EXPECT_FALSE(m.ExtendedBorders());
    EXPECT_TRUE(m.SkinnedPopups());
    EXPECT_EQ(m.SkinningRules(), unsigned(srStdForms | srStdDialogs | srThirdParty));
    EXPECT_EQ(m.ScrollsOptions().ScrollSize, -1);
    EXPECT_EQ(m.ScrollsOptions().ButtonsSize, -1);
    EXPECT_TRUE(m.ButtonsOptions().ShowFocusRect);
    EXPECT_TRUE(m.LabelsOptions().TransparentAlways);
    EXPECT_EQ(m.MenuSupport().ExtraLineWidth, 32);
    EXPECT_EQ(m.MenuSupport().AlphaBlend, 255);
    EXPECT_TRUE(m.Effects().AllowGlowing);
    EXPECT_FALSE(m.Effects().AllowOuterEffects);
    EXPECT_FALSE(m.NoAutoUpdate);
    EXPECT_EQ(m.ShowState, TsShowState::saIgnore);
    EXPECT_EQ(m.ThirdParty(1), L"TButton");
    EXPECT_EQ(m.ThirdParty(0), L" ");
    EXPECT_EQ(m.ThirdLists[1][0], L"TButton");
  }
  EXPECT_EQ(DefaultManager(), nullptr);
}

// "EDIT" is found; the same name in lower case is not (names compare exactly).
TEST_F(Manager, SkinIndexIsCaseSensitive) {
  auto m = Loaded();
  EXPECT_GE(m->GetSkinIndex(L"EDIT"), 0);
  EXPECT_EQ(m->GetSkinIndex(L"edit"), -1);
  EXPECT_EQ(m->GetSkinIndex(L""), -1);
  EXPECT_EQ(m->gd()[std::size_t(m->GetSkinIndex(L"EDIT"))].ClassName, L"EDIT");
}

// A section whose ParentClass names a section with a BORDERSMASK gets the parent's piece; a
// ParentClass equal to the section's own name is not followed, and parents that name each other
// end the search instead of looping for ever.
TEST_F(Manager, MaskInheritance) {
  auto m = Loaded();
  const int edit = m->GetSkinIndex(L"EDIT");
  const int own = m->GetMaskIndex(edit, L"EDIT", L"BORDERSMASK");
  ASSERT_GE(own, 0);
  EXPECT_EQ(m->GetMaskIndex(m->GetSkinIndex(L"PANEL"), L"PANEL", L"BORDERSMASK"), own);
  EXPECT_EQ(m->GetMaskIndex(L"PANEL", L"BORDERSMASK"), -1);  // the non-inheriting form
  EXPECT_EQ(m->GetMaskIndex(m->GetSkinIndex(L"SELF"), L"SELF", L"BORDERSMASK"), -1);
  EXPECT_EQ(m->GetMaskIndex(m->GetSkinIndex(L"LOOPA"), L"LOOPA", L"BORDERSMASK"), -1);
  EXPECT_EQ(m->GetMaskIndex(-1, L"EDIT", L"BORDERSMASK"), -1);
  EXPECT_EQ(m->GetMaskIndex(edit, L"", L"BORDERSMASK"), -1);
  EXPECT_EQ(m->gd()[std::size_t(m->GetSkinIndex(L"PANEL"))].BorderIndex, own);  // mask-index pass
  EXPECT_EQ(m->GetTextureIndex(edit, L"EDIT", L"BORDERSMASK"), -1);  // not a texture
  EXPECT_EQ(m->GetPatternIndex(edit, L"EDIT", L"PATTERN"), -1);      // no large textures
}

// SkinInfo is the loaded version in its shortest form, "N/A" when inactive; Version is "9.14".
TEST_F(Manager, SkinInfoAndVersion) {
  auto m = Loaded();
  EXPECT_EQ(m->SkinInfo(), L"7.2");
  EXPECT_EQ(TsSkinManager::Version(), L"9.14");
  m->SetActive(false);
  EXPECT_EQ(m->SkinInfo(), L"N/A");
  EXPECT_EQ(TsSkinManager::Version(), L"9.14");
  auto newer = Loaded("9.5");
  EXPECT_EQ(newer->SkinInfo(), L"9.5");
}

// Brightness 150 is stored as 100; setting 100 again does not reload.
TEST_F(Manager, BrightnessLimitAndNoReloadOnEqual) {
  auto m = Loaded();
  int loads = 0;
  m->OnSkinLoading = [&](TObject*) { ++loads; };
  m->SetBrightness(150);
  EXPECT_EQ(m->Brightness(), 100);
  EXPECT_EQ(loads, 1);
  m->SetBrightness(100);
  EXPECT_EQ(loads, 1);
  m->SetBrightness(-300);
  EXPECT_EQ(m->Brightness(), -100);
  EXPECT_EQ(loads, 2);
  m->SetHueOffset(0);  // unchanged: no reload
  EXPECT_EQ(loads, 2);
}

// A colour change reloads from the stored colours (no accumulation) and repaints with locking.
TEST_F(Manager, ColorChangeReloadsFromStoredColours) {
  auto m = Loaded();
  platform.commands.clear();
  m->SetHueOffset(120);
  m->SetHueOffset(0);
  m->SetHueOffset(120);
  EXPECT_EQ(m->MasterBitmap().Pixel(63, 0), ChangePixelHue(120, kRed));
  EXPECT_EQ(platform.Codes(), (std::vector<std::uint16_t>{SKIN_STOPANIMATION, SKIN_REFRESH, SKIN_STOPANIMATION,
                                                          SKIN_REFRESH, SKIN_STOPANIMATION, SKIN_REFRESH}));
}

// Reading the stored layout: HueOffset is only stored, SkinName loads once with the offset
// applied, nothing is broadcast while reading, and Loaded applies the skin (SKIN_LOADED once,
// the hook installed once) without repainting.
TEST_F(Manager, StoredLayoutLoadsOnceWithHueApplied) {
  TClassRegistry classes;
  int loads = 0;
  std::vector<std::wstring> seen;
  classes.Register("TsSkinManager", [&](TComponent* owner) -> TComponent* {
    auto* m = new TsSkinManager(owner);
    m->OnSkinLoading = [&loads](TObject*) { ++loads; };
    m->OnActivate = [&seen](TObject*) { seen.push_back(L"activate"); };
    return m;
  });
  const std::string layout = ManagerLayout(
      "    HueOffset = 196\n"
      "    InternalSkins = <\n"
      "      item\n"
      "        Name = 'Test'\n"
      "        Data = {" + Hex(TestPackage()) + "}\n"
      "      end>\n"
      "    MenuSupport.IcoLineSkin = 'ICOLINE'\n"
      "    Options.NativeBordersMaximized = True\n"
      "    SkinDirectory = 'c:\\Skins'\n"
      "    SkinName = 'Test'\n"
      "    SkinInfo = '7.2'\n"
      "    ThirdParty.ThirdButtons = 'TButton'\n");
  TTestRoot root(nullptr);
  TsSkinManager* m = ReadManager(root, layout, classes);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(m->HueOffset(), 196);
  EXPECT_EQ(m->MasterBitmap().Pixel(63, 0), ChangePixelHue(196, kRed));  // applied exactly once
  EXPECT_EQ(m->MasterBitmap().Pixel(0, 0), kRed);                      // close icon kept
  EXPECT_EQ(platform.Count(SKIN_LOADED), 1);
  EXPECT_EQ(platform.Count(SKIN_REFRESH), 0);  // no repaint at start-up
  EXPECT_EQ(platform.locks, 0);
  EXPECT_EQ(platform.installs, 1);
  EXPECT_TRUE(m->GlobalHookInstalled);
  EXPECT_TRUE(m->CommonSkinData().Active);
  EXPECT_EQ(seen, std::vector<std::wstring>{L"activate"});  // from Loaded only
  EXPECT_EQ(m->SkinName(), L"Test");
  EXPECT_EQ(m->SkinInfo(), L"7.2");
  EXPECT_TRUE(m->NativeBordersMaximized());
  EXPECT_EQ(m->IcoLineSkin(), L"ICOLINE");
  ASSERT_FALSE(platform.notifications.empty());
  EXPECT_TRUE(platform.notifications.back());
}

// A stored skin keeps its descriptive Version and MasterBitmap, in both forms the bitmap is
// stored in (the file's bytes, or with their 32-bit length in front).
TEST_F(Manager, StoredSkinKeepsVersionAndMasterBitmap) {
  TBitmap32 picture(3, 2);
  picture.Pixel(2, 1) = 0x00123456;
  const std::vector<std::uint8_t> file = skintest::EncodeBmp(picture, 24);
  std::vector<std::uint8_t> withLength(file.size() + 4);
  withLength[0] = std::uint8_t(file.size());
  withLength[1] = std::uint8_t(file.size() >> 8);
  std::copy(file.begin(), file.end(), withLength.begin() + 4);
  TClassRegistry classes;
  classes.Register("TsSkinManager", [](TComponent* owner) -> TComponent* { return new TsSkinManager(owner); });
  const std::string layout = ManagerLayout(
      "    InternalSkins = <\n"
      "      item\n"
      "        Name = 'One'\n"
      "        Version = 7.2\n"
      "        MasterBitmap.Data = {" + Hex(file) + "}\n"
      "      end\n"
      "      item\n"
      "        Name = 'Two'\n"
      "        Version = 9\n"
      "        MasterBitmap.Data = {" + Hex(withLength) + "}\n"
      "      end>\n");
  TTestRoot root(nullptr);
  TsSkinManager* m = ReadManager(root, layout, classes);
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->InternalSkins().Count(), 2);
  EXPECT_DOUBLE_EQ(m->InternalSkins().Items(0).Version, 7.2);
  EXPECT_DOUBLE_EQ(m->InternalSkins().Items(1).Version, 9.0);
  for (int i = 0; i < 2; ++i) {
    const TBitmap32& kept = m->InternalSkins().Items(i).MasterBitmap;
    ASSERT_EQ(kept.Width(), 3);
    ASSERT_EQ(kept.Height(), 2);
    EXPECT_EQ(kept.Pixel(2, 1), 0x00123456u);
  }
}

// A name with no folder, no package and no internal skins turns Active off and fires
// OnDeactivate; the removal is broadcast.
TEST_F(Manager, NoSourceTurnsInactive) {
  TsSkinManager m(nullptr);
  int deactivated = 0, activated = 0;
  m.OnDeactivate = [&](TObject*) { ++deactivated; };
  m.OnActivate = [&](TObject*) { ++activated; };
  m.SetSkinName(L"Nowhere");
  EXPECT_FALSE(m.Active());
  EXPECT_EQ(deactivated, 1);
  EXPECT_EQ(activated, 0);
  EXPECT_EQ(platform.Count(SKIN_UNLOADED), 1);
  EXPECT_EQ(platform.Count(SKIN_LOADED), 0);
  EXPECT_TRUE(platform.errors.empty());
  EXPECT_EQ(m.SkinInfo(), L"N/A");
}

// An unknown name falls back to the first internal skin and takes its name; ".asz" is dropped.
TEST_F(Manager, FallbackToFirstInternalSkin) {
  TsSkinManager m(nullptr);
  m.InternalSkins().Add(StoredSkin(L"Test", TestPackage()));
  m.SetSkinName(L"Other.asz");
  EXPECT_EQ(m.SkinName(), L"Test");
  EXPECT_GE(m.GetSkinIndex(L"EDIT"), 0);
}

// A load error is caught: the old name comes back and the message is shown as an error.
TEST_F(Manager, LoadErrorRestoresNameAndShowsError) {
  auto m = Loaded();
  m->InternalSkins().Add(StoredSkin(L"Broken", {'X', 'Y', 'Z', 'W', 0, 0, 0, 0}));
  m->SetSkinName(L"Broken");
  EXPECT_EQ(m->SkinName(), L"Test");
  ASSERT_EQ(platform.errors.size(), 1u);
  EXPECT_EQ(platform.errors[0], L"Loaded data is not a packed Velour file");
  EXPECT_TRUE(m->Active());
  EXPECT_FALSE(SkinLoading());
}

// An internal skin without data shows the package format message and keeps the loaded skin.
TEST_F(Manager, InternalSkinWithoutDataKeepsTables) {
  auto m = Loaded();
  TsStoredSkin empty;
  empty.Name = L"Empty";
  m->InternalSkins().Add(std::move(empty));
  const std::size_t sections = m->gd().size();
  m->SetSkinName(L"Empty");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], L"\"Empty\" skin have internal format error. Please update this skin to latest version.");
  EXPECT_EQ(m->SkinName(), L"Empty");
  EXPECT_EQ(m->gd().size(), sections);
  EXPECT_TRUE(platform.errors.empty());
}

// VERSION 10 shows the warning once per load and leaves SkinningRules as they were.
TEST_F(Manager, TooNewSkinWarnsOncePerLoad) {
  auto m = Loaded("10");
  ASSERT_EQ(platform.warnings.size(), 1u);
  EXPECT_EQ(platform.warnings[0],
            L"This version of the skin have not complete support by used Velourkit package release.\r\n"
            L"Components must be updated up to latest version for using this skin.");
  EXPECT_EQ(m->SkinningRules(), unsigned(srStdForms | srStdDialogs | srThirdParty));
  // Standard dialogs were unskinned during the warning and skinned again after it.
  ASSERT_GE(platform.stdDialogs.size(), 2u);
  m->SetSkinName(L"Test");
  EXPECT_EQ(platform.warnings.size(), 2u);
  EXPECT_EQ(m->SkinningRules(), unsigned(srStdForms | srStdDialogs | srThirdParty));
  // Without srStdDialogs set before, it stays unset.
  m->SetSkinningRules(srStdForms);
  m->SetSkinName(L"Test");
  EXPECT_EQ(m->SkinningRules(), unsigned(srStdForms));
}

// A skin older than 7.45 (like the stored 7.20) shows its notice only when the command line holds
// "/skintest"; a current skin never does.
TEST_F(Manager, OldSkinNoticeOnlyWithSkinTest) {
  auto m = Loaded("7.45");
  auto old = Loaded("7.2");
  EXPECT_TRUE(platform.messages.empty());
  platform.skintest = true;
  old->SetSkinName(L"Test");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0],
            L"You are using an old version of the \"Test\" skin. Please, update skins to latest or contact the "
            L"Velourkit support for upgrading of existing skin.\r\n\r\nThis notification occurs in design-time only "
            L"for your information and will not occur in real-time.");
  m->SetSkinName(L"Test");
  EXPECT_EQ(platform.messages.size(), 1u);
}

// SetSkinName applies the new skin: glows removed, forms locked, SKIN_LOADED, then a repaint
// (SKIN_STOPANIMATION, SKIN_REFRESH), OnBeforeChange first and OnAfterChange last.
TEST_F(Manager, SkinNameSequence) {
  TsSkinManager m(nullptr);
  m.InternalSkins().Add(StoredSkin(L"Test", TestPackage()));
  std::vector<std::string> events;
  bool loadingSeen = false;
  m.OnBeforeChange = [&](TObject*) { events.push_back("before"); };
  m.OnSkinLoading = [&](TObject*) {
    events.push_back("loading");
    loadingSeen = SkinLoading();
  };
  m.OnActivate = [&](TObject*) { events.push_back("activate"); };
  m.OnAfterChange = [&](TObject*) { events.push_back("after"); };
  m.SetSkinName(L"Test");
  EXPECT_EQ(events, (std::vector<std::string>{"before", "loading", "activate", "after"}));
  EXPECT_TRUE(loadingSeen);
  EXPECT_FALSE(SkinLoading());
  EXPECT_EQ(platform.Codes(), (std::vector<std::uint16_t>{SKIN_LOADED, SKIN_STOPANIMATION, SKIN_REFRESH}));
  EXPECT_EQ(platform.commands[0].LParam, reinterpret_cast<std::intptr_t>(&m));
  EXPECT_EQ(platform.locks, 1);
  EXPECT_EQ(platform.unlocks, 1);
  EXPECT_GE(platform.glowsHidden, 1);
  EXPECT_TRUE(m.CommonSkinData().Active);
}

// Between BeginUpdate and EndUpdate a new skin is loaded but not applied; EndUpdate applies it
// and, without the animation flag, leaves SkinChanging.Active as it was.
TEST_F(Manager, BeginEndUpdate) {
  TsSkinManager m(nullptr);
  m.InternalSkins().Add(StoredSkin(L"Test", TestPackage()));
  m.BeginUpdate();
  m.SetSkinName(L"Test");
  EXPECT_EQ(platform.Count(SKIN_LOADED), 0);
  EXPECT_GE(m.GetSkinIndex(L"EDIT"), 0);
  bool animatedDuring = true;
  m.AnimEffects().SkinChanging.Active = true;
  m.OnActivate = nullptr;
  EXPECT_TRUE(m.NoAutoUpdate);
  m.EndUpdate(true, false);
  animatedDuring = m.AnimEffects().SkinChanging.Active;
  EXPECT_FALSE(m.NoAutoUpdate);
  EXPECT_EQ(platform.Count(SKIN_LOADED), 1);
  EXPECT_EQ(platform.Count(SKIN_REFRESH), 1);
  EXPECT_TRUE(animatedDuring);
}

// Active false removes the skin (SKIN_UNLOADED, hook removed, tables emptied); true reloads it.
TEST_F(Manager, ActiveOffAndOn) {
  auto m = Loaded();
  EXPECT_TRUE(m->GlobalHookInstalled);
  int deactivated = 0;
  m->OnDeactivate = [&](TObject*) { ++deactivated; };
  m->SetActive(false);
  EXPECT_EQ(deactivated, 1);
  EXPECT_EQ(platform.Count(SKIN_UNLOADED), 1);
  EXPECT_FALSE(m->GlobalHookInstalled);
  EXPECT_EQ(platform.uninstalls, 1);
  EXPECT_TRUE(m->gd().empty());
  EXPECT_TRUE(m->MasterBitmap().Empty());
  EXPECT_EQ(m->GetSkinIndex(L"EDIT"), -1);
  TStringList sections;
  m->GetSkinSections(sections);
  EXPECT_EQ(sections.Count(), 0);
  m->SetActive(true);
  EXPECT_GE(m->GetSkinIndex(L"EDIT"), 0);
  EXPECT_TRUE(m->GlobalHookInstalled);
  m->GetSkinSections(sections);
  EXPECT_EQ(sections[0], L"GLOBALINFO");
}

// Only the default manager installs the hook; destroying a manager removes a hook it installed.
TEST_F(Manager, HookBelongsToTheDefaultManager) {
  auto first = Loaded();
  auto second = Loaded();
  EXPECT_TRUE(first->GlobalHookInstalled);
  EXPECT_FALSE(second->GlobalHookInstalled);
  EXPECT_EQ(platform.installs, 1);
  first.reset();
  EXPECT_FALSE(platform.hook);
  EXPECT_EQ(DefaultManager(), nullptr);
}

// The control under the mouse, a window (an opaque handle) or a windowless control: setting one
// answers the one before, and forgetting clears only the active one, never another's place (a
// windowless control going away forgets a null window). The two kinds do not touch each other.
TEST_F(Manager, ActiveControlsMoveAndAreForgottenOnlyByThemselves) {
  TTestRoot a(nullptr), b(nullptr);
  enum TOp { opSet, opForget };
  struct TStep {
    TOp op;
    TComponent* control;
    TComponent* answer;  // what a set answers
    TComponent* active;  // the active one afterwards
  };
  const TStep steps[] = {
      {opSet, &a, nullptr, &a},         // the first one
      {opSet, &b, &a, &b},              // replaced
      {opForget, &a, nullptr, &b},      // another one forgotten
      {opForget, nullptr, nullptr, &b}, // none forgotten
      {opSet, &b, &b, &b},              // set again
      {opForget, &b, nullptr, nullptr}, // the active one forgotten
  };
  for (const bool windows : {true, false}) {
    TsSkinManager m(nullptr);
    for (std::size_t i = 0; i < std::size(steps); ++i) {
      SCOPED_TRACE(testing::Message() << (windows ? "window" : "windowless") << " step " << i);
      const TStep& s = steps[i];
      if (s.op == opSet) {
        void* answer = windows ? m.SetActiveControl(s.control) : m.SetActiveGraphControl(s.control);
        EXPECT_EQ(answer, s.answer);
      } else if (windows) {
        m.ForgetActiveControl(s.control);
      } else {
        m.ForgetActiveGraphControl(s.control);
      }
      EXPECT_EQ(windows ? m.ActiveControl() : m.ActiveGraphControl(), s.active);
      EXPECT_EQ(windows ? m.ActiveGraphControl() : m.ActiveControl(), nullptr);
    }
  }
}

// UpdateSkinSection broadcasts command 13 with the upper-cased section name.
TEST_F(Manager, UpdateSkinSection) {
  auto m = Loaded();
  platform.commands.clear();
  m->UpdateSkinSection(L"Button");
  ASSERT_EQ(platform.commands.size(), 1u);
  EXPECT_EQ(platform.commands[0].Code, SKIN_SECTIONUPDATED);
  EXPECT_EQ(platform.commands[0].Text, L"BUTTON");
}

// The constant indexes: GLOBALINFO pieces, title icons, check boxes, and the combo button's glyph
// taken from COMBOBOX without inheritance.
TEST_F(Manager, ConstantIndexes) {
  auto m = Loaded();
  const TConstantSkinData& c = m->ConstData;
  EXPECT_EQ(c.IndexGLobalInfo, m->GetSkinIndex(L"GLOBALINFO"));
  EXPECT_EQ(c.MaskCloseBtn, m->GetMaskIndex(L"GLOBALINFO", L"BICONCLOSE"));
  EXPECT_GE(c.MaskCloseBtn, 0);
  EXPECT_EQ(c.MaskMaxBtn, m->GetMaskIndex(L"GLOBALINFO", L"BICONMAX"));
  EXPECT_EQ(c.MaskMinSmall, -1);
  EXPECT_EQ(c.CheckBoxChecked, m->GetMaskIndex(L"GLOBALINFO", L"BOXCHECKED"));
  EXPECT_EQ(c.CheckBoxUnChecked, -1);
  EXPECT_EQ(c.ComboBtn.SkinSection, L"COMBOBTN");
  EXPECT_EQ(c.ComboBtn.SkinIndex, m->GetSkinIndex(L"COMBOBTN"));
  EXPECT_EQ(c.ComboBtn.GlyphIndex, m->GetMaskIndex(L"COMBOBOX", L"GLYPHMASK"));
  EXPECT_GE(c.ComboBtn.GlyphIndex, 0);
  EXPECT_EQ(c.Tabs[asTop].SkinSection, L"TABTOP");
  EXPECT_EQ(c.Tabs[asTop].SkinIndex, -1);
  EXPECT_EQ(c.Sections[3], m->GetSkinIndex(L"TRANSPARENT"));  // added by the loader
  EXPECT_GE(c.Sections[3], 0);
}

// Border widths: explicit widths, BorderWidth, then the frame size.
TEST_F(Manager, MaskWidths) {
  auto m = Loaded();
  const int edit = m->GetMaskIndex(m->GetSkinIndex(L"EDIT"), L"EDIT", L"BORDERSMASK");
  EXPECT_EQ(m->MaskWidthLeft(edit), 2);
  EXPECT_EQ(m->MaskWidthBottom(edit), 2);
  const int close = m->ConstData.MaskCloseBtn;  // a glyph: no widths, frame size 16 × 16
  EXPECT_EQ(m->MaskWidthLeft(close), 16);
  EXPECT_EQ(m->MaskWidthRight(close), 16);
  EXPECT_EQ(m->MaskWidthTop(close), 16);
  EXPECT_EQ(m->MaskWidthLeft(-1), 0);
  EXPECT_EQ(m->MaskWidthTop(100000), 0);
  TsSkinTables t;
  t.ma.emplace_back();
  t.ma[0].R = Rect(0, 0, 30, 20);
  t.ma[0].ImageCount = 0;
  t.ma[0].MaskType = 1;
  EXPECT_EQ(MaskWidthRight(t, 0), 0);  // ImageCount 0
  EXPECT_EQ(MaskWidthTop(t, 0), 10);
  EXPECT_EQ(MaskWidthLeft(t, 0), 30);  // ImageCount 0 becomes 1
  EXPECT_EQ(t.ma[0].ImageCount, 1);
  EXPECT_EQ(MaskWidthRight(t, 0), 30);
  t.ma[0].MaskType = -1;
  EXPECT_EQ(MaskWidthBottom(t, 0), 0);
  t.ma[0].MaskType = 3;
  EXPECT_EQ(MaskWidthBottom(t, 0), 5);
}

// Palette colour lookups.
TEST_F(Manager, PaletteColours) {
  auto m = Loaded();
  EXPECT_EQ(m->GetGlobalColor(), 0x0000FFu);
  EXPECT_EQ(m->GetGlobalFontColor(), 0x00FF00u);
  EXPECT_EQ(m->GetActiveEditColor(), m->Palette()[pcEditBG]);
  EXPECT_EQ(m->GetHighLightColor(true), m->Palette()[pcSelectionBG_Focused]);
  EXPECT_EQ(m->GetHighLightFontColor(false), m->Palette()[pcSelectionText]);
}

// Scroll-bar width: the option when 0 or more, else the platform's; the second query is at least
// the platform's.
TEST_F(Manager, ScrollBarWidths) {
  TsSkinManager m(nullptr);
  EXPECT_EQ(m.ScrollBarWidth(), 17);
  m.ScrollsOptions().ScrollSize = 0;
  EXPECT_EQ(m.ScrollBarWidth(), 0);
  EXPECT_EQ(m.ScrollBarWidthAtLeastPlatform(), 17);
  m.ScrollsOptions().ScrollSize = 25;
  EXPECT_EQ(m.ScrollBarWidthAtLeastPlatform(), 25);
}

// Third-party lists: empty properties get their defaults, a reset restores all of them, and
// storing copies the lists back.
TEST_F(Manager, ThirdPartyLists) {
  TsSkinManager m(nullptr);
  m.SetThirdParty(0, L"TMyEdit\r\nTOtherEdit");
  m.SetThirdParty(2, L"");
  m.LoadThirdPartyLists(false);
  EXPECT_EQ(m.ThirdLists[0].Count(), 2);
  EXPECT_EQ(m.ThirdLists[0][1], L"TOtherEdit");
  EXPECT_EQ(m.ThirdParty(2), L" ");
  m.ThirdLists[5].SetText(L"TGrid");
  m.StoreThirdPartyLists();
  EXPECT_EQ(m.ThirdParty(5), L"TGrid");
  m.LoadThirdPartyLists(true);
  EXPECT_EQ(m.ThirdParty(0), L" ");
  EXPECT_EQ(m.ThirdParty(1), L"TButton");
}

// A colour change that fails to reload reaches the caller and does not leave the loading flag set.
TEST_F(Manager, ColorChangeErrorPropagatesAndClearsFlag) {
  auto m = Loaded();
  m->InternalSkins().Items(0).ReadData({'B', 'A', 'D', '!'});
  EXPECT_THROW(m->SetHueOffset(40), Exception);
  EXPECT_FALSE(SkinLoading());
}

// CommonSections: blanks removed, the skin loaded again with the extra sections.
TEST_F(Manager, CommonSectionsReload) {
  auto m = Loaded();
  TStringList extra;
  extra.SetText(L"[NEW SECTION]\nCOLOR = 5\n");
  m->SetCommonSections(extra);
  EXPECT_EQ(m->CommonSections()[1], L"COLOR=5");
  EXPECT_GE(m->GetSkinIndex(L"NEWSECTION"), 0);
}

// A skin editor's preview loads its options text with the images of the named folder.
TEST_F(Manager, PreviewLoadsOptionsText) {
  auto m = Loaded();
  auto preview = std::make_unique<TsSkinPreviewData>();
  std::memset(preview.get(), 0, sizeof *preview);
  preview->Magic = kPreviewMagic;
  std::strcpy(preview->SkinName, "Preview");
  std::strcpy(preview->SkinDir, "c:\\nowhere");
  std::strcpy(preview->Data, "[GLOBALINFO]\r\nVERSION=8\r\n[PREVIEWED]\r\nCOLOR=1\r\n");
  m->LoadPreview(*preview);
  // No folder named "Preview" exists: the internal skin is used, as for any other name.
  EXPECT_EQ(m->SkinName(), L"Test");
  EXPECT_EQ(m->SkinDirectory(), L"c:\\nowhere");
  EXPECT_FALSE(m->NoAutoUpdate);
}

// A load that fails half-way leaves no cached index pointing past the shorter tables it built.
TEST_F(Manager, FailedLoadLeavesNoStaleIndexes) {
  auto m = Loaded();
  ASSERT_GE(m->ConstData.MaskCloseBtn, 0);
  const std::string bad = "[GLOBALINFO]\r\nVERSION=8\r\n[A]\r\nBORDERSMASK=^00x0^0000^0010^0010^0001^0001^0001^0001^1^0^1^1\r\n";
  m->InternalSkins().Add(StoredSkin(L"Bad", WriteSkinPackage({{"Options.dat", {bad.begin(), bad.end()}}})));
  m->SetSkinName(L"Bad");
  ASSERT_EQ(platform.errors.size(), 1u);
  EXPECT_EQ(m->SkinName(), L"Test");
  const TConstantSkinData& c = m->ConstData;
  for (int i : {c.MaskCloseBtn, c.MaskMaxBtn, c.MaskMinBtn, c.CheckBoxChecked, c.ComboBtn.GlyphIndex})
    EXPECT_TRUE(i == -1 || m->IsValidImgIndex(i)) << i;
  EXPECT_FALSE(m->IsValidSkinIndex(c.IndexGLobalInfo));
}
