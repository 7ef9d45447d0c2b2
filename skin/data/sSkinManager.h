// The skin manager: the one non-visual component that owns the loaded skin (its tables, palette
// and cached indexes), loads and reloads it, recolours it, answers the lookups every skinned
// control makes while painting, and tells every form and control when the skin changed by
// broadcasting the skin command message (sMessages.h).
//
// The manager itself needs no Windows API. What it asks of the platform (message boxes, the
// broadcast to forms and controls, locking forms, the window-creation hook, the command line)
// goes through TsSkinPlatform; the program installs the Windows implementation
// (sSkinManagerWin.h), native builds and tests use the defaults or a recording one.
//
// Start-up from the stored layout: HueOffset is only stored while the component is read, the
// internal skins and the skin directory are stored, then SkinName loads the skin once with the
// hue offset applied; applying it (SendNewSkin) waits for Loaded, which applies it without repaint.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "framework/Component.h"
#include "framework/StringList.h"
#include "skin/base/sAnimSteps.h"
#include "skin/data/sSkinFiles.h"
#include "skin/data/sSkinIndexes.h"
#include "skin/data/sSkinOptions.h"
#include "skin/data/sStoredSkins.h"

class TsSkinManager;

// Class names of foreign controls to skin, one list per kind; index order is fixed.
constexpr std::array<const char*, 23> kThirdPartyNames = {
    "ThirdEdits",       "ThirdButtons",     "ThirdBitBtns",       "ThirdCheckBoxes",  "ThirdComboBoxes", "ThirdGrids",
    "ThirdGroupBoxes",  "ThirdListViews",   "ThirdPanels",        "ThirdTreeViews",   "ThirdWWEdits",    "ThirdGridEh",
    "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl",   "ThirdToolBar",     "ThirdStatusBar",  "ThirdSpeedButton",
    "ThirdScrollControl", "ThirdUpDown",    "ThirdScrollBar",     "ThirdStaticText",  "ThirdNativePaint"};
// Built-in defaults: a single blank, except ThirdButtons.
std::wstring DefaultThirdParty(std::size_t index);

// The texts the manager shows.
inline constexpr const wchar_t* kNewSkinWarning =
    L"This version of the skin have not complete support by used Velourkit package release.\r\n"
    L"Components must be updated up to latest version for using this skin.";
std::wstring OldSkinMessage(const std::wstring& skinName);

// What the manager needs from the platform. Every operation has a harmless default.
class TsSkinPlatform {
 public:
  virtual ~TsSkinPlatform() = default;
  // An error message box captioned "Error".
  virtual void ShowError(const std::wstring& message) {}
  // A plain message box.
  virtual void ShowMessage(const std::wstring& message) {}
  // A warning dialog with an OK button.
  virtual void ShowWarning(const std::wstring& message) {}
  // Whether one of the program's command-line parameters, lower-cased, equals `lowerParam`.
  virtual bool HasCommandLineParam(const std::wstring& lowerParam) { return false; }
  // The running program's folder with its final separator.
  virtual std::wstring ProgramFolder() { return L""; }
  virtual int SizingFrameWidth() { return 4; }
  virtual int VerticalScrollBarWidth() { return 17; }
  virtual bool LayeredWindowsSupported() { return false; }
  // Sends the skin command `code` (argument 0, lParam) to every form of the program and their
  // controls.
  virtual void BroadcastSkinCommand(TsSkinManager& manager, std::uint16_t code, std::intptr_t lParam) {}
  // Locking the forms for a skin change, taking cover pictures, unlocking.
  virtual void LockForms(TsSkinManager& manager) {}
  virtual void TakeCoverPictures(TsSkinManager& manager) {}
  virtual void UnlockForms(TsSkinManager& manager, bool animate) {}
  // Redraws every visible window registered by the window-creation hook.
  virtual void RedrawHookedWindows() {}
  // The window-creation hook of the user-interface thread; false when it could not be installed.
  virtual bool InstallHook(TsSkinManager& manager) { return true; }
  virtual void UnInstallHook(TsSkinManager& manager) {}
  // Removes every glow window.
  virtual void HideAllGlows() {}
  // The library-wide notification that skinning is on or off.
  virtual void SkinningChanged(bool on) {}
  // Whether standard dialogs are skinned.
  virtual void SkinStdDialogs(bool on) {}
};
// The platform in use; null restores the defaults. Not owned.
void SetSkinPlatform(TsSkinPlatform* platform);
TsSkinPlatform& SkinPlatform();

// Process-wide state, touched only on the user-interface thread.
TsSkinManager* DefaultManager();
// Set while a skin loads; controls read it to skip work.
bool SkinLoading();
// Set while SendNewSkin broadcasts the new skin.
bool SkinChanging();
// The last library-wide skinning notification.
bool SkinningOn();

enum TsSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
inline constexpr unsigned kAllSkinningRules = srStdForms | srStdDialogs | srThirdParty;

enum class TsOptimizingPriority { opSpeed, opMemory };
struct TsOptions {
  bool CheckEmptyAlpha = false;
  bool NoMouseHover = false;
  bool NativeBordersMaximized = false;
  bool StdGlyphsOrder = false;
  TsOptimizingPriority OptimizingPriority = TsOptimizingPriority::opSpeed;
};
struct TsSkinEffects {
  bool AllowGlowing = true;
  bool AllowAeroBluring = true;
  bool AllowOuterEffects = false;
  bool DiscoloredGlyphs = false;
};
// The animations of forms: how long (ms), whether at all, and how (fading, or fading while the
// picture grows or shrinks).
struct TsFormAnimation {
  bool Active = true;
  std::uint16_t Time = 0;
  TsAnimType Mode = TsAnimType::atAero;
};
// Moving a form shows it translucent at BlendValue.
struct TsBlendOnMoving : TsFormAnimation {
  TsBlendOnMoving() {
    Active = false;
    Time = 1000;
  }
  int BlendValue = 170;
};
// The control events that fade a control's look by default.
enum TsBtnEvent : unsigned { beMouseEnter = 1, beMouseLeave = 2, beMouseDown = 4, beMouseUp = 8 };
using TsBtnEvents = unsigned;  // a set of TsBtnEvent bits
inline constexpr TsBtnEvents kAllBtnEvents = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
struct TsBtnEffects {
  TsBtnEvents Events = kAllBtnEvents;
};
struct TsAnimEffects {
  TsBtnEffects Buttons;
  TsFormAnimation DialogShow, FormShow, FormHide, DialogHide, PageChange;
  TsFormAnimation SkinChanging{true, 100, TsAnimType::atFading};
  TsFormAnimation Minimizing{true, 120, TsAnimType::atAero};
  TsBlendOnMoving BlendOnMoving;
};
struct TsScrollBarsSupport {
  int ScrollSize = -1;
  int ButtonsSize = -1;
};
struct TsButtonsSupport {
  bool ShowFocusRect = true;
  bool ShiftContentOnClick = true;
};
struct TsLabelsSupport {
  bool TransparentAlways = true;
};
struct TsMenuSupport {
  std::wstring IcoLineSkin;  // empty is replaced by "ICOLINE"
  bool UseExtraLine = false;
  int ExtraLineWidth = 32;
  int AlphaBlend = 255;
};

// The last minimise or restore command of the main window.
enum class TsShowState { saIgnore, saRestore, saMinimize, saMaximize };

// What an external skin editor sends for a preview (packed, 30,646 bytes).
#pragma pack(push, 1)
struct TsSkinPreviewData {
  std::int32_t Magic;  // kPreviewMagic when valid
  char SkinName[128];
  char SkinDir[513];
  char Data[30001];  // the options text
};
#pragma pack(pop)
static_assert(sizeof(TsSkinPreviewData) == 30646);
inline constexpr std::int32_t kPreviewMagic = 0xA400;

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;

  // ---- Properties ----
  bool Active() const { return FActive; }
  // true reloads SkinName; false removes skinning.
  void SetActive(bool value);
  const std::wstring& SkinName() const { return FSkinName; }
  // Loads the skin; load errors are caught and shown ("Error"), the old name coming back.
  void SetSkinName(const std::wstring& value);
  const std::wstring& SkinDirectory() const { return FSkinDirectory; }
  void SetSkinDirectory(const std::wstring& value);
  // SkinDirectory resolved against the program's folder, with a final "\".
  const std::wstring& SkinPath() const { return FSkinPath; }
  const TsStoredSkins& InternalSkins() const { return FBuiltInSkins; }
  TsStoredSkins& InternalSkins() { return FBuiltInSkins; }
  int HueOffset() const { return FHueOffset; }
  void SetHueOffset(int value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int value);
  int Brightness() const { return FBrightness; }
  // Limited to −100 … 100.
  void SetBrightness(int value);
  bool ExtendedBorders() const { return FExtendedBorders; }
  void SetExtendedBorders(bool value);
  bool SkinnedPopups() const { return FSkinnedPopups; }
  void SetSkinnedPopups(bool value) { FSkinnedPopups = value; }
  bool IsDefault() const { return DefaultManager() == this; }
  void SetIsDefault(bool value);
  const TStringList& CommonSections() const { return FCommonSections; }
  // Copies the lines, strips their blanks and sets SkinName again.
  void SetCommonSections(const TStringList& lines);
  unsigned SkinningRules() const { return FSkinningRules; }
  void SetSkinningRules(unsigned rules);
  const std::wstring& ThirdParty(std::size_t index) const { return FThirdParty.at(index); }
  void SetThirdParty(std::size_t index, const std::wstring& value) { FThirdParty.at(index) = value; }
  TsOptions& Options() { return FOptions; }
  TsSkinEffects& Effects() { return FEffects; }
  TsAnimEffects& AnimEffects() { return FAnimEffects; }
  const TsAnimEffects& AnimEffects() const { return FAnimEffects; }
  TsScrollBarsSupport& ScrollsOptions() { return FScrollsOptions; }
  TsButtonsSupport& ButtonsOptions() { return FButtonsSupport; }
  TsLabelsSupport& LabelsOptions() { return FLabelsSupport; }
  TsMenuSupport& MenuSupport() { return FMenuSupport; }
  const std::wstring& IcoLineSkin() const { return FMenuSupport.IcoLineSkin; }
  bool NativeBordersMaximized() const { return FOptions.NativeBordersMaximized; }
  // The loaded skin's version ("7.2"), or "N/A" when no skin is active; writing is ignored.
  std::wstring SkinInfo() const;
  // "9.14", whatever is written.
  static std::wstring Version() { return L"9.14"; }

  TNotifyEvent OnActivate, OnDeactivate, OnBeforeChange, OnAfterChange, OnSkinLoading, OnSkinListChanged;

  // ---- The loaded skin ----
  const TsSkinTables& Tables() const { return FTables; }
  TsSkinTables& Tables() { return FTables; }
  const TsGeneralDataArray& gd() const { return FTables.gd; }
  const TsMaskArray& ma() const { return FTables.ma; }
  const TsPatternArray& pa() const { return FTables.pa; }
  const TsOutEffArray& oe() const { return FTables.oe; }
  const TsPaletteArray& Palette() const { return FTables.Palette; }
  const TsSkinData& CommonSkinData() const { return FTables.CommonSkinData; }
  const TBitmap32& MasterBitmap() const { return FTables.MasterBitmap; }

  // ---- The control under the mouse ----
  // Its window, kept as an opaque handle, and the windowless one. The paint layer moves them as
  // the mouse enters controls (and tells the previous and the new one); a control going away is
  // forgotten, so that no later hover reaches it.
  void* ActiveControl() const { return FActiveControl; }
  // Makes `wnd` the active window and returns the one before.
  void* SetActiveControl(void* wnd) { return std::exchange(FActiveControl, wnd); }
  // Clears the active window when it is `wnd`, and only then.
  void ForgetActiveControl(const void* wnd) {
    if (FActiveControl == wnd) FActiveControl = nullptr;
  }
  TComponent* ActiveGraphControl() const { return FActiveGraphControl; }
  // Makes `control` the active windowless control and returns the one before.
  TComponent* SetActiveGraphControl(TComponent* control) { return std::exchange(FActiveGraphControl, control); }
  // Clears the active windowless control when it is `control`, and only then.
  void ForgetActiveGraphControl(const TComponent* control) {
    if (FActiveGraphControl == control) FActiveGraphControl = nullptr;
  }

  TConstantSkinData ConstData;
  bool SkinIsPacked = false;
  bool SkinRemoving = false;
  bool NoAutoUpdate = false;  // between BeginUpdate and EndUpdate
  bool GlobalHookInstalled = false;
  TsShowState ShowState = TsShowState::saIgnore;
  TRect FormShadowSize;
  std::array<TStringList, 23> ThirdLists;

  // ---- Lookups (−1 when absent) ----
  int GetSkinIndex(std::wstring_view sectionName) const { return FindSkinIndex(FTables, sectionName); }
  int GetMaskIndex(int sectionIndex, std::wstring_view sectionName, std::wstring_view key) const {
    return FindMaskIndex(FTables, sectionIndex, sectionName, key);
  }
  int GetMaskIndex(std::wstring_view sectionName, std::wstring_view key) const {
    return FindMaskIndex(FTables, sectionName, key);
  }
  int GetTextureIndex(int sectionIndex, std::wstring_view sectionName, std::wstring_view key) const {
    return FindTextureIndex(FTables, sectionIndex, sectionName, key);
  }
  int GetPatternIndex(int sectionIndex, std::wstring_view sectionName, std::wstring_view key) const {
    return FindPatternIndex(FTables, sectionIndex, sectionName, key);
  }
  bool IsValidSkinIndex(int i) const { return i >= 0 && i < int(FTables.gd.size()); }
  bool IsValidImgIndex(int i) const { return i >= 0 && i < int(FTables.ma.size()); }
  int MaskWidthLeft(int maskIndex) { return ::MaskWidthLeft(FTables, maskIndex); }
  int MaskWidthRight(int maskIndex) const { return ::MaskWidthRight(FTables, maskIndex); }
  int MaskWidthTop(int maskIndex) const { return ::MaskWidthTop(FTables, maskIndex); }
  int MaskWidthBottom(int maskIndex) const { return ::MaskWidthBottom(FTables, maskIndex); }
  // Clears the list and, when a skin is active, adds every section name in table order.
  void GetSkinSections(TStringList& list) const;
  TColor GetGlobalColor() const { return FTables.Palette[pcMainColor]; }
  TColor GetGlobalFontColor() const { return FTables.Palette[pcLabelText]; }
  TColor GetActiveEditColor() const { return FTables.Palette[pcEditBG]; }
  TColor GetActiveEditFontColor() const { return FTables.Palette[pcEditText]; }
  TColor GetHighLightColor(bool focused) const {
    return FTables.Palette[focused ? pcSelectionBG_Focused : pcSelectionBG];
  }
  TColor GetHighLightFontColor(bool focused) const {
    return FTables.Palette[focused ? pcSelectionText_Focused : pcSelectionText];
  }
  // Width of skinned scroll bars: ScrollsOptions.ScrollSize when 0 or more, else the platform's.
  int ScrollBarWidth() const;
  // The larger of ScrollBarWidth and the platform's width.
  int ScrollBarWidthAtLeastPlatform() const;

  // ---- Life cycle and commands ----
  void UpdateSkin(bool repaint);
  // Command 13 with the upper-cased section name to every form.
  void UpdateSkinSection(const std::wstring& sectionName);
  void RepaintForms(bool lockForms);
  void BeginUpdate() { NoAutoUpdate = true; }
  void EndUpdate(bool repaint, bool animate);
  void SendNewSkin(bool repaint);
  void SendRemoveSkin();
  // Reloads the skin after a change of HueOffset, Saturation or Brightness; errors propagate.
  void ApplyColorChange();
  // Loads from a folder or an internal skin / from a package file (the resolved source).
  void ReloadSkin();
  void ReloadPackedSkin();
  void InitConstantIndexes();
  void InitMaskIndexes();
  // Shows the old-skin notice (with "/skintest") or the too-new warning for the loaded VERSION.
  void CheckVersion();
  // The shadow templates of extended borders; nothing to prepare while no part uses them.
  void CheckShadows() {}
  void InstallHook();
  void UnInstallHook();
  void LoadThirdPartyLists(bool reset);
  void StoreThirdPartyLists();
  // Loads a skin sent by an external skin editor (a valid preview only).
  void LoadPreview(const TsSkinPreviewData& preview);

  // Skin files (see sSkinFiles.h), with this manager's directory, program folder and skins.
  std::wstring GetSkinNames(TStringList& list, TsSkinTypes kind = TsSkinTypes::stAllSkins) const;
  std::wstring GetExternalSkinNames(TStringList& list, TsSkinTypes kind = TsSkinTypes::stAllSkins) const;
  std::wstring GetRandomSkin() const;
  std::wstring GetFullSkinDirectory() const;
  void ExtractInternalSkin(const std::wstring& skinName, const std::wstring& folder) const;
  void ExtractByIndex(int index, const std::wstring& folder) const;

  void Loaded() override;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  bool Reading() const { return ComponentState() & csReading; }
  bool Designing() const { return ComponentState() & csDesigning; }
  void Fire(const TNotifyEvent& e) {
    if (e) e(this);
  }
  void UpdateStdDialogsRule();
  void LoadResolvedSkin();
  void LoadFromOptions(const TMemIniFile& ini, const TsSkinImages& images);
  void Reload();
  bool ExtendedBordersEffective() const;

  bool FActive = true;
  std::wstring FSkinName;
  std::wstring FSkinDirectory;
  std::wstring FSkinPath;
  TsStoredSkins FBuiltInSkins;
  int FHueOffset = 0, FSaturation = 0, FBrightness = 0;
  bool FExtendedBorders = false;
  bool FSkinnedPopups = true;
  TStringList FCommonSections;
  unsigned FSkinningRules = kAllSkinningRules;
  std::array<std::wstring, 23> FThirdParty;
  TsOptions FOptions;
  TsSkinEffects FEffects;
  TsAnimEffects FAnimEffects;
  TsScrollBarsSupport FScrollsOptions;
  TsButtonsSupport FButtonsSupport;
  TsLabelsSupport FLabelsSupport;
  TsMenuSupport FMenuSupport;
  void* FActiveControl = nullptr;
  TComponent* FActiveGraphControl = nullptr;

  TsSkinTables FTables;
  TsSkinSource FSource;                         // what the last resolution found
  bool FPreviewMode = false;                    // a skin editor's preview was loaded
  std::optional<std::wstring> FPreviewOptions;  // the preview's options text while it loads
};
