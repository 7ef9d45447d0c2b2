// The skin manager component: owns the settings of the window's skin as stored in the layout.
#pragma once
#include <array>
#include <string>

#include "framework/Component.h"
#include "skin/data/sStoredSkins.h"

// Class names of foreign controls to skin, one list per kind; index order is fixed.
constexpr std::array<const char*, 23> kThirdPartyNames = {
    "ThirdEdits",       "ThirdButtons",     "ThirdBitBtns",       "ThirdCheckBoxes",  "ThirdComboBoxes", "ThirdGrids",
    "ThirdGroupBoxes",  "ThirdListViews",   "ThirdPanels",        "ThirdTreeViews",   "ThirdWWEdits",    "ThirdGridEh",
    "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl",   "ThirdToolBar",     "ThirdStatusBar",  "ThirdSpeedButton",
    "ThirdScrollControl", "ThirdUpDown",    "ThirdScrollBar",     "ThirdStaticText",  "ThirdNativePaint"};

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* owner);

  bool Active() const { return active_; }
  const std::wstring& SkinName() const { return skinName_; }
  const std::wstring& SkinDirectory() const { return skinDirectory_; }
  int HueOffset() const { return hueOffset_; }
  int Saturation() const { return saturation_; }
  int Brightness() const { return brightness_; }
  const TsStoredSkins& InternalSkins() const { return internalSkins_; }
  const std::wstring& IcoLineSkin() const { return icoLineSkin_; }
  bool NativeBordersMaximized() const { return nativeBordersMaximized_; }
  const std::wstring& ThirdParty(std::size_t index) const { return thirdParty_.at(index); }
  // "9.14", whatever is written.
  static std::wstring Version() { return L"9.14"; }

  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  bool active_ = true;
  std::wstring skinName_;
  std::wstring skinDirectory_ = L"c:\\Skins";
  int hueOffset_ = 0, saturation_ = 0, brightness_ = 0;
  TsStoredSkins internalSkins_;
  std::wstring icoLineSkin_ = L"ICOLINE";
  bool nativeBordersMaximized_ = false;
  std::array<std::wstring, 23> thirdParty_;
};
