// The speed button on its parent: the cache (or a running fade's frame) copied at once onto the
// parent's surface, with overlapping opaque siblings painted into it, and the fades between its
// looks that the button paints itself.
#include "skin/controls/sSpeedButton.h"

#include <algorithm>
#include <utility>

#include "framework/ControlDC.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sFadeWin.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sItemPaint.h"

void TsSpeedButton::PaintSiblings(HDC dc) {
  TWinControl* parent = Parent();
  if (!parent || FPaintingCopy) return;
  const TRect me = BoundsRect();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || !(c->ControlStyle() & csOpaque)) continue;
    const TRect b = c->BoundsRect();
    const bool over = me.Contains({b.Left, b.Top}) || me.Contains({b.Right - 1, b.Bottom - 1});
    if (!over) continue;
    TSavedDC saved(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + b.Left - me.Left, org.y + b.Top - me.Top, nullptr);
    IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
    auto* speed = dynamic_cast<TsSpeedButton*>(c);
    if (speed) speed->FPaintingCopy = true;
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      if (w->HandleAllocated()) SendMessageW(w->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    } else {
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    if (speed) speed->FPaintingCopy = false;
  }
}

void TsSpeedButton::Paint(TCanvas& canvas) {
  TsSkinManager* m = skinData_.SkinManager();
  if (m && m->Active() && m->CommonSkinData().Active && skinData_.SkinIndex <= 0) skinData_.UpdateIndexes();
  if (!Skinned()) {
    PaintUnskinned(canvas);
    return;
  }
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  if (FAnimTimer && FAnimTimer->Enabled()) {
    CopyFadeFrame(canvas.Handle());
    return;
  }
  skinData_.BGChanged = CurrentState() > 0 || Down() != FStoredDown || skinData_.BGChanged || skinData_.HalfVisible;
  FStoredDown = Down();
  if (TWinControl* parent = Parent(); parent && parent->HandleAllocated()) {
    RECT clip{};
    HDC pdc = GetWindowDC(parent->Handle());
    const int kind = pdc ? GetClipBox(pdc, &clip) : NULLREGION;
    if (pdc) ReleaseDC(parent->Handle(), pdc);
    skinData_.HalfVisible = !(kind != NULLREGION && clip.right - clip.left >= Left() + W &&
                              clip.bottom - clip.top >= Top() + H && Left() >= 0 && Top() >= 0);
  } else {
    skinData_.HalfVisible = false;
  }
  if (skinData_.BGChanged) {
    FOldNumGlyphs = NumGlyphs();
    FOldSpacing = Spacing();
  } else if (FOldNumGlyphs != NumGlyphs() || FOldSpacing != Spacing()) {
    FOldNumGlyphs = NumGlyphs();
    FOldSpacing = Spacing();
    skinData_.BGChanged = true;
  }
  if ((skinData_.BGChanged || !skinData_.CacheBmp()) && !PrepareCache()) return;
  GdiFlush();
  BitBlt(canvas.Handle(), 0, 0, W, H, skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
}

bool TsSpeedButton::Busy() const {
  return (ControlState() & csCreating) || Destroying() || Loading();
}

void TsSpeedButton::GraphRepaint() {
  TWinControl* parent = Parent();
  if (Busy() || !parent || !parent->HandleAllocated() || !Visible() || !IsWindowVisible(parent->Handle()) ||
      FormAnimationRunning())
    return;
  if (!Skinned() || (ComponentState() & csDesigning)) {
    Repaint();
    return;
  }
  if (skinData_.Updating()) return;
  if (skinData_.BGChanged || !skinData_.CacheBmp()) {
    if (!PrepareCache()) return;
    if (!FPaintingCopy) PaintSiblings(skinData_.CacheBmp()->DC());
  }
  TControlDC at(*this);
  if (!at) return;
  GdiFlush();
  if (!(FAnimTimer && FAnimTimer->Enabled() && CopyFadeFrame(at.dc())))
    BitBlt(at.dc(), 0, 0, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
}

bool TsSpeedButton::CopyFadeFrame(HDC dc) {
  const TBitmap32& f = FAnimTimer->TmpBmp;
  if (f.Width() != Width() || f.Height() != Height()) return false;
  if (FFrame.Width() != f.Width() || FFrame.Height() != f.Height()) FFrame.SetSize(f.Width(), f.Height());
  GdiFlush();
  TBitmap32& px = FFrame.Pixels();
  for (int y = 0; y < f.Height(); ++y) std::copy(f.Row(y), f.Row(y) + f.Width(), px.Row(y));
  BitBlt(dc, 0, 0, f.Width(), f.Height(), FFrame.DC(), 0, 0, SRCCOPY);
  return true;
}

void TsSpeedButton::Invalidate() {
  if (Layout() != FOldLayout || Margin() != FOldMargin) {
    FOldLayout = Layout();
    FOldMargin = Margin();
    skinData_.BGChanged = true;
  }
  if (state_ != TButtonState::bsDown) TsSkinnedControl::Invalidate();
}

// ---- Fades --------------------------------------------------------------------------------------

void TsSpeedButton::StartAnim(bool fast) {
  if (ComponentState() & csDesigning) return;
  int remaining = 1;
  if (FAnimTimer) {
    remaining = FAnimTimer->Iterations - FAnimTimer->FadeLevel;
    TsAnimTimer* old = std::exchange(FAnimTimer, nullptr);
    old->Release();
  }
  if (FadesClosing()) return;
  auto* t = new TsAnimTimer(MakeFadeHost(skinData_));
  FAnimTimer = t;
  t->TakeOwnerData();
  if (fast) t->Iterations /= 2;
  // What the old fade had left, but never past this one's frames: a level beyond them would
  // weigh the old picture below nothing.
  t->FadeLevel = ResumedFadeLevel(remaining, t->Iterations);
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != Width() || cache.Height() != Height()) {
    cache.SetSize(Width(), Height());
    PrepareCache();
  }
  PaintSiblings(cache.DC());
  GdiFlush();
  t->BmpFrom = cache.Pixels();
  PrepareCache();
  PaintSiblings(skinData_.EnsureCache().DC());
  RefreshCorners(skinData_, CurrentState(), crAllCorners);
  GdiFlush();
  t->SetEnabled(true);
  t->Timer();
}

void TsSpeedButton::StopAnim() {
  if (!FAnimTimer) return;
  TsAnimTimer* t = std::exchange(FAnimTimer, nullptr);
  if (Destroying() || (ComponentState() & csDesigning) || t->Destroying()) {
    t->Release();
    return;
  }
  t->SetEnabled(false);
  const bool repaint = t->FadeLevel != 0;
  t->Release();
  if (repaint) {
    skinData_.BGChanged = true;
    GraphRepaint();
  }
}

void TsSpeedButton::FadeRequest(bool fast, TsAnimatEvent e) {
  if (!AnimationAllowed(e, FAnimatEvents, skinData_.SkinManager()) || SkinLoading() || !Skinned() || FadesClosing()) {
    skinData_.BGChanged = true;
    StopAnim();
    GraphRepaint();
    return;
  }
  skinData_.BGChanged = true;
  StartAnim(fast);
}
