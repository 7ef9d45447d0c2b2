#include "framework/ControlDC.h"

#include "framework/WinControl.h"

TControlDC::TControlDC(TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated() || !control.Showing() || control.Width() <= 0 || control.Height() <= 0)
    return;
  wnd_ = parent->Handle();
  dc_ = GetDC(wnd_);
  if (!dc_) return;
  const TRect r = control.BoundsRect();
  IntersectClipRect(dc_, r.Left, r.Top, r.Right, r.Bottom);
  // The parent's device context covers its windowed children unless the parent clips them.
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (!w || !w->HandleAllocated() || !IsWindowVisible(w->Handle())) continue;
    const TRect b = w->BoundsRect();
    ExcludeClipRect(dc_, b.Left, b.Top, b.Right, b.Bottom);
  }
  SetViewportOrgEx(dc_, r.Left, r.Top, nullptr);
}

TControlDC::~TControlDC() {
  if (dc_) ReleaseDC(wnd_, dc_);
}

