// Controls: the windowless base (painted by its parent, which also routes the mouse to it) and
// the shared behaviour of windowed controls. Every window message and framework notification
// reaches a control through its virtual WndProc, which derived classes (and the skin engine)
// override: handle what they own, pass the rest to the base.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Anchors.h"
#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"
#include "framework/Types.h"

class TWinControl;

enum TControlStateFlag : unsigned {
  csLButtonDown = 1u << 0,  // the left button went down on the control and is still held
  csClicked = 1u << 1,      // a press began on the control (for the click on release)
  csMouseOver = 1u << 2,    // the pointer is over the control (between enter and leave)
  csFocusing = 1u << 3,
  csCreating = 1u << 4,     // the window is being created
};

enum TControlStyleFlag : unsigned {
  csOpaque = 1u << 0,         // paints its whole area: the parent need not erase behind it
  csClickEvents = 1u << 1,    // a press and release on it raises OnClick
  csCaptureMouse = 1u << 2,   // keeps the mouse while a button is held
  csDoubleClicks = 1u << 3,
  csSetCaption = 1u << 4,     // takes its name as caption when created at design time (unused)
  csAcceptsControls = 1u << 5,
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A replaceable message entry (see TControl::WindowProc).
using TWndMethod = std::function<void(TMessage& msg)>;

class TControl : public TComponent {
  friend class TWinControl;  // keeps the parent link and the bounds of windows in step

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  // Moves and sizes the control. A windowless one is then sent WM_WINDOWPOSCHANGED with a
  // WINDOWPOS (no window; SWP_NOMOVE / SWP_NOSIZE for what stayed), as a window would be.
  virtual void SetBounds(int left, int top, int width, int height);
  virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }

  // The parent's sides the control keeps its distances to when the parent's client area changes
  // size. The distances are taken when the control is put on its parent, when it is loaded, when
  // the program sets its bounds or its anchors; not when its parent moves it for its anchors.
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);
  // Bound Width and Height from now on (see TSizeConstraints); the current size is kept within them.
  const TSizeConstraints& Constraints() const { return constraints_; }
  void SetConstraints(const TSizeConstraints& c);
  // Takes the control's current distances to its parent's sides as those its anchors keep.
  void RecordAnchorOrigin();

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // Visible and every parent visible and shown.
  virtual bool Showing() const;

  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& s) { SetText(s); }
  virtual std::wstring GetText() const { return text_; }
  virtual void SetText(const std::wstring& s);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  unsigned ControlState() const { return controlState_; }
  unsigned ControlStyle() const { return controlStyle_; }
  void SetControlStyle(unsigned s) { controlStyle_ = s; }
  bool MouseInControl() const { return controlState_ & csMouseOver; }

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // The pointer shape over the control: a system cursor id (IDC_HAND ...), none for the default.
  LPCWSTR Cursor() const { return cursor_; }
  void SetCursor(LPCWSTR cursor) { cursor_ = cursor; }

  // Sends a message to WindowProc and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void WndProc(TMessage& msg);
  // Where every message enters, from Perform and from the window procedure: WndProc until a
  // handler takes the entry over (TWindowProcHook) and chains to the one it replaced. Owner is
  // whoever installed the current entry (none for WndProc itself).
  void WindowProc(TMessage& msg) {
    if (windowProc_) windowProc_(msg);
    else WndProc(msg);
  }
  TWndMethod GetWindowProc();
  const void* WindowProcOwner() const { return windowProcOwner_; }
  void SetWindowProc(TWndMethod proc, const void* owner);
  // What happens to a message nobody handled: windowless controls answer 0; windowed ones pass
  // it to the window procedure they replaced.
  virtual void DefaultHandler(TMessage& msg) { msg.Result = 0; }

  virtual void Invalidate();
  // Scales the bounds, and a font of the control's own, by m / d, as for a screen of another
  // density; a window's children follow. Nothing for a factor of 1 or one that is not positive.
  virtual void ChangeScale(int m, int d);
  // Brings the screen up to date now: a windowless control paints straight onto its parent
  // (see TControlDC; a see-through one with the parent's look under it, when the parent is a
  // window of ours); anything else is invalidated and its parent updated.
  void Repaint();

  // Painting never lets an error into the message loop. TryPaint runs one painting step; when it
  // throws, the error is reported the first time only and the control paints plainly from then
  // on (PaintFailed): one error box, not one per 12 ms frame. Returns whether the step worked.
  bool TryPaint(const std::function<void()>& step) noexcept;
  bool PaintFailed() const { return paintFailed_; }
  // The framework's own look of a windowless control into dc (origin at the control, clipped to
  // it), used once its own painting has failed.
  virtual void PaintFallback(HDC dc) {}
  virtual void Click();
  void Loaded() override;
  virtual bool IsWindowed() const { return false; }

  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  virtual void MouseDown(TMouseButton button, int x, int y) {}
  virtual void MouseUp(TMouseButton button, int x, int y) {}
  virtual void MouseMove(int x, int y) {}
  // Called on the font's every change (including a parent font taken over).
  virtual void FontChanged();
  void SetControlState(unsigned flags, bool on) { controlState_ = on ? controlState_ | flags : controlState_ & ~flags; }
  // Records a position and size the window already has (no repaint, no move).
  void SetBoundsFields(int left, int top, int width, int height) { left_ = left; top_ = top; width_ = width; height_ = height; }
  void SetVisibleField(bool v) { visible_ = v; }

  unsigned controlStyle_ = csCaptureMouse | csClickEvents | csDoubleClicks;
  std::wstring text_;  // the caption; windowed controls keep it in step with their window

 private:
  void HandleMouse(TMessage& msg);
  // Where the anchors put the control in a parent client area of that size.
  void ApplyAnchors(int clientWidth, int clientHeight);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TFont font_;
  bool parentFont_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  unsigned controlState_ = 0;
  bool takingParentFont_ = false;
  LPCWSTR cursor_ = nullptr;
  TWndMethod windowProc_;
  const void* windowProcOwner_ = nullptr;
  bool paintFailed_ = false;
  TAnchors anchors_ = kDefaultAnchors;
  TSizeConstraints constraints_;
  // The bounds and the parent's client size the anchors measure from.
  TAnchorBounds anchorPlaced_;
  int anchorClientWidth_ = 0, anchorClientHeight_ = 0;
  bool anchorRecorded_ = false;
  bool anchoring_ = false;  // the parent is moving the control for its anchors
};

// A windowless control that paints itself on its parent's device context.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  void WndProc(TMessage& msg) override;
  void PaintFallback(HDC dc) override;

 protected:
  // Paints in control coordinates (origin at the control's top-left, clipped to it). Skinned
  // controls override it; by default it is the plain look.
  virtual void Paint(TCanvas& canvas) { PaintPlain(canvas); }
  // The framework's own look, also used once Paint has failed.
  virtual void PaintPlain(TCanvas& canvas) {}
};
