// The skinned scroll bars of a windowed control. A handler attaches itself to the control's
// window, takes the system's scroll bars out of the non-client layout, reserves the same room
// itself, paints its bars from the skin's scroll elements (sScrollPaint) and does all the mouse
// work (arrows, paging, thumb drag, hover) by sending the control the scroll messages the
// system's bars would send. The control keeps its own scroll state; the bars only mirror it.
//
// TsMainWnd (the message entry) → TsScrollWnd (the bars) → TsBaseWnd (the frame from the
// control's skin picture) → TsEditWnd (edit-like windows: the memo, the combo box's list, the
// folder dialog's tree).
//
// Handlers are shared objects: a control (or the message that frees the handler) may drop its
// share while the handler is still dispatching a message; each dispatch holds a share of its own,
// so the handler gives the window back at once and goes when the outermost dispatch returns.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "framework/Graphics.h"
#include "framework/WindowProcHook.h"
#include "skin/frame/sScrollGeometry.h"
#include "skin/frame/sScrollPaint.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sSkinItem.h"

// Ids of the handler's window timers: the first repeat delay, the repeat, the hover watch.
inline constexpr UINT_PTR kScrollDelayTimer = 0xFFFD;
inline constexpr UINT_PTR kScrollRepeatTimer = 0xFFFE;
inline constexpr UINT_PTR kScrollHoverTimer = 0xFFF2;
inline constexpr UINT kScrollDelayMs = 300;
inline constexpr UINT kScrollRepeatMs = 55;
inline constexpr UINT kScrollHoverMs = 20;

// The base of every handler: the window, its skin state, and the message entry taken over.
class TsMainWnd : public std::enable_shared_from_this<TsMainWnd> {
 public:
  virtual ~TsMainWnd();
  TsMainWnd(const TsMainWnd&) = delete;
  TsMainWnd& operator=(const TsMainWnd&) = delete;

  HWND CtrlHandle = nullptr;
  // The control's own skin state, or the handler's (OwnSkinData) for a window without one.
  TsCommonData* SkinData = nullptr;
  TsSkinManager* SkinManager = nullptr;
  // Set while the handler sends scroll messages itself: they repaint nothing.
  bool DontRepaint = false;
  // The window was destroyed, or the handler gave it back: the attach helpers replace it.
  bool Destroyed = false;
  TColor StdColor = clNone, StdFontColor = clNone;

  // Gives the window back now: its message entry (only while still ours), the "SKINSBSC"
  // property, the control's style; a press on the window ends. Safe inside the handler's own
  // dispatch; the object itself lives until the last share goes.
  void Release();

 protected:
  // section: the handler's own skin data's section when the window has no skin data (coc its
  // kind code).
  TsMainWnd(HWND wnd, TsCommonData* data, TsSkinManager* manager, const std::wstring& section, int coc);
  // Takes over the window's messages: the framework control's entry when the skin data has an
  // owner control, the raw window procedure otherwise. Called once the handler is shared.
  void Subclass();
  virtual void sWndProc(TMessage& m);
  // The message to the control as if no handler were attached.
  void CallPrevWndProc(TMessage& m);
  // False once the window was given back (inside a dispatch that freed the handler).
  bool Attached() const { return !released_; }
  TControl* OwnerControl() const;
  void SaveStdParams();
  void RestoreStdParams();

  std::unique_ptr<TsCommonData> OwnSkinData;

 private:
  static LRESULT CALLBACK RawProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref);
  void Dispatch(TMessage& m, const TWndMethod* previous);

  std::unique_ptr<TWindowProcHook> hook_;
  bool rawSubclassed_ = false;
  bool released_ = false;
  const TWndMethod* previous_ = nullptr;  // the entry the running dispatch was handed (hooked controls)
  unsigned oldCtrlStyle_ = 0;
};

// The bars: their non-client room, their painting and all mouse work.
class TsScrollWnd : public TsMainWnd {
 public:
  // Attaches a handler to wnd. frameChanged: the non-client size is computed anew at once.
  static std::shared_ptr<TsScrollWnd> Create(HWND wnd, TsCommonData* data, TsSkinManager* manager,
                                             const std::wstring& section, bool frameChanged);

  TsScrollBar sBarHorz, sBarVert;
  bool ScrollsInitialized = false;
  bool fThumbTracking = false;
  bool fLeftScrollbar = false;
  TsScrollEdges Edges;
  bool bPreventStyleChange = false;

  // Re-reads both bars' scroll state from the control; with repaint, paints them.
  void UpdateScrolls(bool repaint);
  // The bar's rectangle, the corner square (screen coordinates; empty when not shown).
  TRect BarRect(const TsScrollBar& bar) const;
  TRect CornerRect() const;
  // The bar as its arithmetic sees it, lying at its screen rectangle.
  TsBarGeometry Geometry(const TsScrollBar& bar) const;
  // Unless the system reports the bar unavailable, or nothing is there to scroll.
  bool IsActive(const TsScrollBar& bar) const;
  // The bars and the corner square onto the window's device context.
  void PaintBars(HDC windowDC);

 protected:
  TsScrollWnd(HWND wnd, TsCommonData* data, TsSkinManager* manager, const std::wstring& section, int coc);
  void InitScrollBars();
  // Bars read, window taken over (a shared handler only), the non-client size made anew when asked.
  void Attach(bool frameChanged);
  void sWndProc(TMessage& m) override;
  // Non-client painting: the control paints its frame, then the bars and the corner go over it.
  virtual void PaintNonClient(TMessage& m);
  // After the control handled m: the bars brought up to date where m may have scrolled.
  virtual void AfterDefault(const TMessage& m);
  TsScrollSizes OwnSizes(const TsScrollBar& bar) const;
  // What the bars' rectangles depend on, now.
  TsScrollFrame Frame() const;
  TsScrollBar& BarOf(int barType) { return barType == btVert ? sBarVert : sBarHorz; }
  // The control's parent's picture behind the window, and the window's place in that picture.
  TCacheInfo Background(TPoint& windowPos) const;
  // The answer for a point on a bar or on the corner grip; none where default processing answers.
  std::optional<UINT> HitTest(TPoint screen) const;
  // A press on a bar is being tracked in this window.
  bool Pressing() const;
  // Ends the press as a release does; captureGone: the capture is not the press's to release.
  void EndPress(bool captureGone);

 private:
  void NCCalcSize(TMessage& m);
  void SkinCommand(TMessage& m);
  void ReadScrollInfo(TsScrollBar& bar);
  void PaintBar(HDC windowDC, TsScrollBar& bar, const std::optional<TsThumb>& drag = std::nullopt);
  void PaintCorner(HDC windowDC);
  void RepaintBars();
  bool HandleMouse(TMessage& m);  // sSBTrack.cpp
  // The press, the repeat, the drag, the release (sSBTrack.cpp).
  void Hover(int barType);
  void HoverTick();
  void Press(int barType, TPoint screen);
  void RepeatTick(bool first);
  void PressMove(TPoint screen);
  void Drag(TPoint screen);

  TBitmap paintBmp_;
};

// A handler that also paints the control's frame from the control's skin picture.
class TsBaseWnd : public TsScrollWnd {
 public:
  // The look of the picture while the window is disabled (the control's own setting).
  unsigned DisabledKind = dkBlended;

 protected:
  using TsScrollWnd::TsScrollWnd;
  // The control's picture (its section over what lies behind, the window's size) made current;
  // false while the parent's picture is not ready.
  bool PrepareCache();
  // The frame ring, as thick as the control's top border, from the picture.
  void PaintFrameRing(HDC windowDC);
  int PaintState() const;
};

// Edit-like windows: the control paints its text, the handler everything around it.
class TsEditWnd : public TsBaseWnd {
 public:
  // section: "EDIT" when empty.
  static std::shared_ptr<TsEditWnd> Create(HWND wnd, TsCommonData* data, TsSkinManager* manager,
                                           const std::wstring& section = L"", bool frameChanged = true);
  TRect FClientRect{};
  bool SingleLineEdit = false;
  TColor Color = clNone, FocusColor = clNone, FrameColor = clNone;
  bool CtrlListChanged = false;

 protected:
  TsEditWnd(HWND wnd, TsCommonData* data, TsSkinManager* manager, const std::wstring& section);
  void PaintNonClient(TMessage& m) override;
  void AfterDefault(const TMessage& m) override;
};

// Sends a scroll command as a system scroll bar would: skin command 51 first (lParam: code in
// the low word, message in the high word); unless the control answers 1, a thumb-track position
// is stored in its scroll state first and lParam is 0, else lParam carries the position; then the
// message with the code and min(position, 65535); then skin command 52.
void SendScrollMessage(HWND wnd, UINT message, int code, int position);

// Keeps the skinned bars of an edit-like control (or of any window, RefreshScrolls) in step with
// its skin: while skinned, a destroyed handler is replaced and a missing one attached to the
// control's window; without a skin the handler is freed. Nothing while the control has no
// window (or, for RefreshScrolls, while it is loading or being destroyed).
void RefreshEditScrolls(TsCommonData& data, std::shared_ptr<TsEditWnd>& sw);
void RefreshScrolls(TsCommonData& data, std::shared_ptr<TsScrollWnd>& sw);
// Frees a handler: gives its window back, drops the share.
template <typename T>
void FreeScrolls(std::shared_ptr<T>& sw) {
  if (sw) sw->Release();
  sw.reset();
}
