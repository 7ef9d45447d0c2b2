// A skinned control's skin state: which section of which manager paints it, its cache picture and
// the flags saying whether that picture is current, whether the mouse is over the control or it
// has the focus, and whether painting waits for the background. Skinned windows and controls talk
// through the skin message (skin/data/sSkinSend.h); the common handler that answers what every
// skinned control answers alike is in sSkinCommands.h, the background query in sBackground.h.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "framework/Control.h"
#include "framework/Graphics.h"
#include "framework/Layout.h"
#include "skin/data/sMessages.h"

class TsSkinManager;
class TWinControl;

// Bits of TsCommonData::CtrlSkinState.
enum : std::uint16_t {
  ssTransparentForChildren = 0x0001,  // children look through the control to its parent
  ssUndetermined = 0x0002,            // the transparency bit is not computed yet
  ssPrinting = 0x0200,                // painting into PrintDC
  ssInUpdate = 0x0800,                // between BeginUpdate and EndUpdate
};

// Command 26.
struct TsSectionInfo {
  int SkinIndex = -1;
  std::wstring Name;
  bool RepaintNeeded = false;
};

enum class TsOuterVisibility { ovNone, ovAlways };
// The shadow around a control. The setup window's controls never show one.
struct TsOuterEffects {
  TsOuterVisibility Visibility = TsOuterVisibility::ovNone;
};

class TsCommonData {
 public:
  // owner: the control (or form skinner) the state belongs to; coc: its kind code.
  TsCommonData(TComponent* owner, int coc, bool createCacheBmp = true);
  virtual ~TsCommonData();
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  // ---- Stored and published ----
  const std::wstring& SkinSection() const { return FSkinSection; }
  // Stores the name upper-cased and re-resolves the section (nothing when unchanged).
  void SetSkinSection(const std::wstring& value);
  // The explicit manager, or the default one.
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* value);
  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool value);
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool value);
  TColor ColorTone() const { return FColorTone; }
  void SetColorTone(TColor value);
  int HUEOffset() const { return FHUEOffset; }
  void SetHUEOffset(int value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int value);
  TsOuterEffects& OuterEffects() { return FOuterEffects; }
  bool Updating() const { return FUpdating; }
  // "SkinSection", "SkinManager" (ignored: one manager per window), "CustomColor",
  // "CustomFont", "ColorTone", "HUEOffset", "Saturation", "OuterEffects.Visibility".
  bool SetProperty(const std::string& name, const TLayoutValue& value);

  // ---- Life cycle ----
  void Loaded();
  void UpdateIndexes(bool updateMain = true);
  void BeginUpdate();
  void EndUpdate(bool repaint);
  // Marks the cache out of date and repaints the owner.
  void Invalidate(bool updateNow = false);
  // A manager exists, the section is valid and nothing is being destroyed (with checkActive,
  // the manager's skin is also active).
  bool Skinned(bool checkActive = false) const;
  bool RepaintIfMoved();
  // Recomputes the transparency bit (containers only; others stay opaque).
  void UpdateTransparency();
  // The owner's colour and font colour follow the skin (colour-following kinds only).
  void SyncColors(bool repaint);
  // The hot-state colours while hot, the normal ones otherwise (colour-following kinds).
  void SyncHotColors(bool hot);
  // The section's colours for the painting state (the hot one while focused or hovered, where the
  // section has it) become the owner's own, as the skin's change and not the user's. Nothing with
  // CustomColor or without a section.
  void SyncStateColors(bool focused);
  // The background colour of the control for a state.
  TColor BackgroundColor(int state) const;
  // The colour seen at the owner's parent: its command-21 answer when it is skinned, else its
  // own colour; `none` without a parent.
  TColor ParentColor(TColor none) const;
  // The section is fully transparent in both states (such a control never turns hot).
  bool FullyTransparent() const;

  TControl* OwnerControl() const { return FOwnerControl; }
  TComponent* OwnerObject() const { return FOwnerObject; }
  TBitmap* CacheBmp() const { return FCacheBmp.get(); }
  TBitmap& EnsureCache();
  void EmptyCache();
  // The skin command answer when the control is a window of ours: its window, else null.
  HWND OwnerWindow() const;

  // ---- State ----
  std::uint16_t COC;  // control kind code
  int SkinIndex = -1, BorderIndex = -1, Texture = -1, HotTexture = -1;
  int GlowID = -1;
  bool BGChanged = true;
  bool HalfVisible = true;
  bool Loading = true;
  bool FFocused = false;
  bool FMouseAbove = false;
  bool FUpdating = false;
  std::uint16_t CtrlSkinState = ssUndetermined;
  std::uint16_t BGType = 0;
  HDC PrintDC = nullptr;
  TRect InvalidRectH{}, InvalidRectV{};
  int FUpdateCount = 0;
  // Set while the skin itself changes the owner's colour or font colour: that font change is not
  // the user's and must not end the hot state.
  bool SyncingColors = false;

 protected:
  std::wstring FSkinSection;
  bool FCustomFont = false, FCustomColor = false;
  TColor FColorTone = TColor(0x1FFFFFFF);
  int FHUEOffset = 0, FSaturation = 0;
  TsSkinManager* FSkinManager = nullptr;
  TControl* FOwnerControl = nullptr;
  TComponent* FOwnerObject = nullptr;
  std::unique_ptr<TBitmap> FCacheBmp;
  TsOuterEffects FOuterEffects;

 private:
  void ResolveSection();
  // The indexes of the section in the manager's tables (none while it has no skin).
  void ResolveIndexes();
  // Command 3 to the owner when the section is valid, command 2 when it is not.
  void TellOwnerOfSection();
  // After the control's own colour tone, hue offset or saturation changed.
  void Recoloured();
  void ComputeBGType();
  bool OwnerBusy() const;
};

// The published variant of skinned controls: the colour tone, hue offset and saturation too.
class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
};

// Stored size overrides of one skinned scroll bar; −1 leaves the size to the skin.
struct TsScrollData {
  int ScrollWidth = -1;  // the bar's thickness
  int ButtonsSize = -1;  // the length of its arrow buttons
  // "ScrollWidth", "ButtonsSize".
  bool SetProperty(const std::string& name, const TLayoutValue& value);
};

// The skin state of a control with skinned scroll bars: each bar's size overrides too.
class TsScrollWndData : public TsCtrlSkinData {
 public:
  using TsCtrlSkinData::TsCtrlSkinData;
  TsScrollData HorzScrollData, VertScrollData;
  // "HorzScrollData.…" and "VertScrollData.…", then the common properties.
  bool SetProperty(const std::string& name, const TLayoutValue& value);
};

// Control kinds that steer behaviour.
bool IsColorFollowingKind(int coc);
bool IsContainerKind(int coc);
bool IsNeverHotKind(int coc);
// The section used when SkinSection is empty (an empty name: the owner's class decides).
std::wstring DefaultSectionFor(int coc, const TsSkinManager* manager);
