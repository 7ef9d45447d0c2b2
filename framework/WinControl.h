// Windowed controls. A control either registers a window class of its own (forms) or wraps a
// platform class ("BUTTON", "EDIT", ...) and subclasses it: either way its window procedure is
// the framework's, which finds the control and calls its WndProc; unhandled messages go to the
// procedure that was replaced. Windowed controls also host windowless children: they paint
// them and route the mouse to them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Control.h"

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  HMENU Menu = nullptr;  // child id
  std::wstring WinClassName;  // a platform class to subclass, or our own class to register
  bool OwnClass = true;       // false: WinClassName is a platform class
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH ClassBackground = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created (with its parents) on first use.
  HWND Handle();
  bool HandleAllocated() const { return wnd_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();
  void RecreateWnd();

  int ControlCount() const { return int(controls_.size()); }
  TControl* Controls(int i) const { return controls_.at(std::size_t(i)); }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // The windowless child at p (client coordinates), topmost first; null when none.
  TControl* ControlAtPos(TPoint p) const;
  // The windowed child created with this id (its window may not exist yet: owner-draw controls
  // ask their size while CreateWindowExW still runs); null when none.
  TWinControl* ChildById(UINT id) const;
  // The id the window is (or will be) created with among its siblings; 0 before the first
  // creation and for top-level windows.
  UINT ChildId() const { return childId_; }

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int v);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  void SetFocus();
  // The keyboard focus is on the control (a control made of several windows answers for all).
  virtual bool Focused() const;
  bool CanFocus() const;

  bool IsWindowed() const override { return true; }
  bool Showing() const override;
  void SetBounds(int left, int top, int width, int height) override;
  // Moves the children for their anchors to the current client size (see TControl::Anchors).
  void AnchorChildren();
  void ChangeScale(int m, int d) override;
  TRect ClientRect() const override;
  std::wstring GetText() const override;
  void SetText(const std::wstring& s) override;
  void Invalidate() override;

  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;

  // Paints every visible windowless child that meets the clip box of dc (client coordinates),
  // from `first` (and those above it) when given. A child whose painting failed gets its plain
  // look.
  void PaintControls(HDC dc, TControl* first = nullptr);
  // The whole client look of our own windows into dc: background, then windowless children.
  // WM_PAINT with a DC in wParam and WM_PRINTCLIENT come here.
  void PaintInto(HDC dc);
  // The window is of our own class (painted by PaintInto), not a platform control.
  bool OwnWindowClass() const { return ownClass_; }

  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

  // The control bound to a window of ours, or null.
  static TWinControl* FromHandle(HWND wnd);
  // The control whose CreateWindowExW is running (the innermost one), or null: a window-creation
  // hook learns from it which control the window it is told about belongs to, before the window
  // is bound to the control.
  static TWinControl* Creating() { return creating_; }

 protected:
  virtual void CreateParams(TCreateParams& params);
  // Runs after CreateParams, the most derived one included, just before the window is made: a
  // class makes the parameters consistent with what its window class needs, whatever classes
  // derived from it asked for.
  virtual void FinishCreateParams(TCreateParams& params) {}
  virtual void CreateWnd();
  // Runs once the window exists, before children are created: apply stored state.
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  // Background of our own windows: fill with Color. Platform classes paint themselves.
  virtual void PaintWindow(HDC dc);
  // Whether the pointer, now off this window, is still over the control: over another window the
  // control is made of. Its leave notice then ends no hover.
  virtual bool PointerStillOver() const { return false; }
  void FontChanged() override;

  // Sets the window's own font from Font (WM_SETFONT).
  void ApplyFont();

 private:
  static LRESULT CALLBACK InitialWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  void Bind(HWND wnd);
  // WM_PAINT / WM_PRINTCLIENT once this control's own painting has failed: the platform's look
  // for platform classes, the plain background and the children for ours. justFailed: the
  // failed attempt may have left a half-painted window, so all of it is painted again.
  void PaintPlainly(TMessage& msg, bool justFailed);
  void UpdateBoundsFromWindow();
  void RouteMouseToChild(TMessage& msg, bool& handled);
  void TrackMouse();
  void SetMouseChild(TControl* c);
  void UpdateTabOrder();

  HWND wnd_ = nullptr;
  WNDPROC oldProc_ = nullptr;  // the replaced procedure (DefWindowProcW for our own classes)
  bool ownClass_ = true;
  std::vector<TControl*> controls_;  // children, windowless and windowed, in insertion order
  int tabOrder_ = -1;
  bool tabStop_ = false;
  bool trackingLeave_ = false;
  TControl* mouseChild_ = nullptr;    // windowless child under the pointer
  TControl* captureChild_ = nullptr;  // windowless child holding the mouse
  UINT childId_ = 0;
  UINT nextChildId_ = kFirstChildId;
  // Child ids start above the dialog command ids (IDOK ... IDCONTINUE), which the dialog
  // manager sends on its own for Enter and Escape.
  static constexpr UINT kFirstChildId = 0x100;
  static inline TWinControl* creating_ = nullptr;  // user-interface thread only
};
