// The skinned frame of one top-level form. RiDuraRidareza takes over the form's message entry,
// paints the whole non-client area (border, title, caption text, caption buttons) and the client
// background from one picture of the whole window, cuts the window's region to the skin's
// corners, answers the hit test with the skin's caption buttons, and serves the show and hide
// animations. The portable layer (sFrameLayout, sCaptionButtons, sFrameImage, sFrameRegion,
// sSBAnimation) does the arithmetic and the pictures; this is the window's side.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Form.h"
#include "framework/Timer.h"
#include "framework/WindowProcHook.h"
#include "skin/frame/sButtonOverlay.h"
#include "skin/frame/sCaptionButtons.h"
#include "skin/frame/sFrameImage.h"
#include "skin/frame/sFrameLayout.h"
#include "skin/frame/sSBAnimation.h"
#include "skin/frame/sSystemMenu.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sSkinText.h"

// Bits of the provider's FormState.
enum : unsigned {
  fsTranslucentMoving = 0x80,
  fsMinimizing = 0x100,
  fsSnapshot = kFormStateSnapshot,  // 0x200
  fsRestoring = 0x400,
  fsActivating = 0x8000,
};

class RiDuraRidareza;

// The icon at the left of the title: the form's own icon, or Glyph when it holds a picture
// (magenta transparent), at Width × Height (0: from the caption's height).
struct TsTitleIcon {
  bool Visible = true;
  TBitmap Glyph;
  int Width = 0, Height = 0;
};

// One caption button's state animation: the steps, their 12 ms timer and the overlay window that
// shows them over the button.
struct TsButtonAnimation {
  TsButtonAnimation(RiDuraRidareza& provider, int hitCode, int steps);
  ~TsButtonAnimation();
  TsSBAnimation Machine;
  std::unique_ptr<TTimer> Timer;
  TsButtonOverlay Overlay;
  TBitmap32 Image;  // the state shown, over transparency
  int HitCode;
};

// A size grip drawn at the bottom right of a sizeable form's client area.
enum class TsGripMode { gmNone, gmRightBottom };

class RiDuraRidareza : public TComponent, public TsFormAnimationHost {
 public:
  // owner must be a form ("RiDuraRidareza component may be used with forms only!" otherwise).
  explicit RiDuraRidareza(TComponent* owner);
  // Made at run time for a form that exists already: initialised at its first non-client paint or
  // hit test.
  static RiDuraRidareza* CreateRT(TComponent* owner, bool initRT = true);
  ~RiDuraRidareza() override;

  // ---- Published ----
  bool AllowAnimation = true;
  TAlignment CaptionAlignment = TAlignment::taLeftJustify;
  bool DrawClientArea = true;
  bool ShowAppIcon = true;
  // Sets the form's Color to the skin's global colour.
  bool UseGlobalColor = true;
  std::wstring TitleSkin;
  TsTitleIcon TitleIcon;
  TsGripMode GripMode = TsGripMode::gmNone;
  std::function<void(TsAnimEventKind)> OnAfterAnimation;
  bool DrawNonClientArea() const { return drawNonClientArea_; }
  void SetDrawNonClientArea(bool value);
  TsScrollWndData& CommonData() { return FCommonData; }
  // A form's layout may place its provider: "SkinData.…", the published settings above, and
  // the ones stored only (snapping, resize mode, menus, title additions).
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

  // ---- Run-time state ----
  bool FormActive = true;
  unsigned FFormState = 0;
  int CurrentHT = 0;  // the hot caption button's code, 0 none, −1 after the mouse left
  TsCaptionButtons Buttons;
  std::vector<TRect> ArOR;
  bool RgnChanged = true, RgnChanging = false;
  bool RTInit = false, FirstInitialized = false;
  bool fAnimating = false, FInAnimation = false, SkipAnimation = false;

  // ---- Layout, from the window as it is now ----
  // The platform's frame and caption sizes now.
  static TsSystemMetrics System();
  TsFrameWindow WindowInfo() const;
  TsFrameMetrics Metrics() const;
  // The title's items: VCenter and the icon's place.
  TsTitleLayout Title() const;
  TsButtonQueries Queries();
  int OffsetX() const { return Metrics().OffsetX; }
  int OffsetY() const { return Metrics().OffsetY; }
  bool Skinned() const;

  // Resolves the skin's sections and button images, takes the system menu before WS_SYSMENU goes.
  void PrepareForm();
  void LoadInit();
  // Brings the window image up to date; false when it cannot be built now.
  bool PrepareCache();
  // The picture of the window; the client part starts at (OffsetX, OffsetY).
  TBitmap& Image() { return FCommonData.EnsureCache(); }

  // ---- TsFormAnimationHost ----
  TForm& Form() override { return form_; }
  TsCommonData* SkinData() override { return &FCommonData; }
  TBitmap* WindowImage() override;
  void RepaintWindowImage() override;
  std::vector<TRect> CutRects() override { return ArOR; }
  void SetInAnimation(bool on) override;
  unsigned FormState() override { return FFormState; }
  std::unique_ptr<TForm> TakeCoverForm() override { return std::move(CoverForm); }
  void AfterAnimation(TsAnimEventKind kind) override;

  // ---- Caption buttons (sProviderButtons.cpp) ----
  void SetHotHT(int code, bool repaint);
  void SetPressedHT(int code);
  void RepaintButton(int code);
  void KillAnimations();
  // A tick of a button's animation timer.
  void AnimationTick(TsButtonAnimation& a);

 private:
  // ---- Messages (sProviderMessages.cpp) ----
  void NewWndProc(TMessage& m, const TWndMethod& previous);
  // Skin commands: true when answered here (the form's own procedure never sees them then).
  bool SkinCommand(TMessage& m);
  bool SkinnedMessage(TMessage& m, const TWndMethod& previous);
  void Activate(TMessage& m, const TWndMethod& previous);
  void HitTest(TMessage& m, const TWndMethod& previous);
  bool ButtonRelease(int code, TPoint screen);
  void WindowPosChanging(TMessage& m, const TWndMethod& previous);
  void WindowPosChanged(TMessage& m, const TWndMethod& previous);
  void ShowWindowMessage(TMessage& m, const TWndMethod& previous);
  // After the window has shown: children draw again and the show animation runs.
  void FinishShowing();
  // A caption or icon change: the system's own caption drawing is hidden under a cover.
  void FrameChangeUnderCover(TMessage& m, const TWndMethod& previous);
  void Unskin();

  // ---- Painting (sProviderPaint.cpp) ----
  void PaintCaptionText(TBitmap& image, const TsFrameImageInput& in);
  void PaintTitleIcon(TBitmap& image, const TRect& place);
  // The size grip at the client area's bottom right (GripMode, a sizeable form not maximised).
  void PaintGrip(TBitmap& image, const TsFrameImageInput& in);
  // Whether the caption may glow: not for old skins in a 32-bit process on 64-bit Windows without
  // desktop composition.
  bool CaptionGlowAllowed() const;
  TsFrameImageInput ImageInput();
  void NonClientPaint(TMessage& m);
  void ApplyRegion(bool redraw);
  void CopyFrameStrips(HDC dc);
  // The client's background: FormColor, or the client part of the picture.
  void FillClient(HDC dc);
  void PaintClient(HDC dc);
  void EraseBackground(TMessage& m);
  void Paint(TMessage& m);
  void Print(TMessage& m);
  void AnswerBackground(TMessage& m);
  void RepaintFrame();
  bool PlainColour();
  TColor ClientColor();
  void TellChildren(std::uint16_t code, LPARAM lParam);
  void TakeSnapshot();

  TsButtonAnimation* Animation(int code, bool create);
  void AnimationAnswer(TsButtonAnimation& a, const TsAnimAnswer& answer);
  void RepaintButtonDirectly(TsCaptionButton& b);
  TsCaptionButton* Button(int code) { return ButtonByHitCode(Buttons, code); }
  void TrackNonClientLeave();

  TForm& form_;
  TsScrollWndData FCommonData;
  bool drawNonClientArea_ = true;
  int FTitleSkinIndex = -1, FCaptionSkinIndex = -1;
  std::unique_ptr<TsSystemMenu> SystemMenu;
  TsTempBmp TempBmp;
  TsGlowMaskHolder FGlow1, FGlow2;
  std::unique_ptr<TForm> CoverForm;
  std::array<std::unique_ptr<TsButtonAnimation>, 4> animations_;
  bool trackingLeave_ = false;
  bool paintFailed_ = false;
  // The show animation prepared at WM_SHOWWINDOW, run once the window has shown.
  struct TPendingShow {
    int Target = 255;
    bool AddedLayered = false;
    std::vector<HWND> RedrawOff;  // children whose drawing is off until then
  };
  std::unique_ptr<TPendingShow> pendingShow_;
  std::unique_ptr<TWindowProcHook> hook_;
};

// Attached by the window hook to a form that has none: owned by the form, it makes the
// provider (at run time, without the global colour) and repaints the window.
class TsProvider : public TComponent {
 public:
  explicit TsProvider(TForm& form);
  RiDuraRidareza* Provider() const { return provider_; }

 private:
  RiDuraRidareza* provider_;
};

// The form's provider from its answer to skin command 4, or null.
RiDuraRidareza* ProviderOf(HWND form);
