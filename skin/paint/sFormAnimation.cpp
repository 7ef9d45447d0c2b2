#include "skin/paint/sFormAnimation.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Handles.h"
#include "platform/SafeLibrary.h"
#include "skin/base/sFill.h"
#include "skin/base/sLayered.h"
#include "skin/data/sHelperWindows.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sGlow.h"

namespace {

bool gAnimating = false;
// The hide timer; owned by the application when there is one (freed with it), else here.
TsHideTimer* gHideTimer = nullptr;
std::unique_ptr<TsHideTimer> gOwnHideTimer;

constexpr UINT kCoverPosFlags = SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW;

std::uint32_t Clock() { return GetTickCount(); }
// Waits out the rest of a frame's 12 ms without burning a whole core.
void WaitFrame(std::uint32_t start) {
  WaitTicks(start, kAnimFrameMs, Clock, [] { Sleep(1); });
}

// The picture of the form for the cover: painted like the screen shows it, opaque, with the
// corners cut from its window transparent.
std::unique_ptr<TBitmap> CoverPicture(TsFormAnimationHost& host, const TBitmap& image) {
  auto picture = std::make_unique<TBitmap>(image.Width(), image.Height());
  PaintControlImage(*picture, host.Form(), 0, 0, &host);
  GdiFlush();
  TBitmap32& px = picture->Pixels();
  SetPixelsAlpha(px, TRect{0, 0, px.Width(), px.Height()}, 255, clNone);
  for (const TRect& r : host.CutRects()) FillPixels(px, r, 0, 0);
  return picture;
}

void DrawFrame(TBitmap& frame, const TBitmap& picture, const TsAnimFrame& f, bool copyWhole) {
  if (!f.Whole) {
    StretchBlt(frame.DC(), f.Dest.Left, f.Dest.Top, f.Dest.Width(), f.Dest.Height(), picture.DC(), 0, 0,
               picture.Width(), picture.Height(), SRCCOPY);
  } else if (copyWhole) {
    BitBlt(frame.DC(), 0, 0, picture.Width(), picture.Height(), picture.DC(), 0, 0, SRCCOPY);
  }
  GdiFlush();
}

// The end of every show, early or not: the form at its target opacity, drawing again and
// redrawn, the flags cleared, the cover (if any) put below the form and freed, one event.
void FinishShow(TsFormAnimationHost& host, int target, std::unique_ptr<TForm> cover) {
  TForm& form = host.Form();
  host.SetInAnimation(false);
  if (form.AlphaBlend()) form.SetAlphaBlendValue(target);
  HWND wnd = form.HandleAllocated() ? form.Handle() : nullptr;
  if (wnd) {
    if (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) SetLayeredAttributes(wnd, 0, BYTE(target), LWA_ALPHA);
    if (cover) SetWindowPos(wnd, cover->Handle(), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | kCoverPosFlags);
    SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
  }
  SetFormAnimationRunning(false);
  if (wnd) {
    RedrawWindow(wnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
  }
  if (cover) {
    if (CompositionEnabled()) Sleep(48);
    if (wnd) SetWindowPos(cover->Handle(), wnd, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | kCoverPosFlags);
    cover.reset();
  }
  host.AfterAnimation(TsAnimEventKind::aeShowing);
}

void ShowAnimated(TsFormAnimationHost& host, int timeMs, int target, TsAnimType mode, std::unique_ptr<TForm>& cover,
                  const TBitmap& image) {
  HWND wnd = host.Form().Handle();
  const std::unique_ptr<TBitmap> picture = CoverPicture(host, image);
  RECT w{};
  GetWindowRect(wnd, &w);
  const std::vector<TsAnimFrame> frames = ShowFrames(timeMs, target, mode, picture->Width(), picture->Height());
  BLENDFUNCTION blend = PerPixelBlend(BYTE(frames.empty() ? target : 0));
  HWND c = cover->Handle();
  AddExStyle(c, WS_EX_NOACTIVATE);
  HWND reference = GetWindow(wnd, GW_HWNDPREV);
  if (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) {
    AddExStyle(c, WS_EX_LAYERED);
    SetWindowPos(c, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOACTIVATE);
    reference = HWND_TOPMOST;
  }
  TWindowDC screen(nullptr);
  AddExStyle(c, WS_EX_LAYERED);
  SIZE size{picture->Width(), picture->Height()};
  POINT origin{0, 0};
  UpdateLayered(c, screen.dc(), nullptr, &size, picture->DC(), &origin, 0, &blend, ULW_ALPHA);
  cover->SetBounds(w.left, w.top, size.cx, size.cy);
  ShowWindow(c, SW_SHOWNOACTIVATE);
  SetWindowPos(c, reference, w.left, w.top, size.cx, size.cy, kCoverPosFlags);

  TBitmap frame(size.cx, size.cy);
  SetStretchBltMode(frame.DC(), COLORONCOLOR);
  for (std::size_t k = 0; k < frames.size(); ++k) {
    blend.SourceConstantAlpha = BYTE(frames[k].Alpha);
    // A fading picture is copied once; an aero frame draws over the previous, larger-inset one.
    DrawFrame(frame, *picture, frames[k], k == 0 || mode == TsAnimType::atAero);
    const std::uint32_t t = Clock();
    UpdateLayered(c, screen.dc(), nullptr, &size, frame.DC(), &origin, 0, &blend, ULW_ALPHA);
    WaitFrame(t);
  }
  blend.SourceConstantAlpha = BYTE(target);
  SetWindowPos(c, nullptr, w.left, w.top, size.cx, size.cy, kCoverPosFlags | SWP_NOZORDER);
  UpdateLayered(c, screen.dc(), nullptr, &size, picture->DC(), &origin, 0, &blend, ULW_ALPHA);
}

}  // namespace

bool CompositionEnabled() {
  using TDwmIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
  static const auto query = SystemFunction<TDwmIsCompositionEnabled>(L"dwmapi.dll", "DwmIsCompositionEnabled");
  BOOL on = FALSE;
  return query && SUCCEEDED(query(&on)) && on;
}

bool FormAnimationRunning() { return gAnimating; }
void SetFormAnimationRunning(bool on) { gAnimating = on; }

std::unique_ptr<TForm> NewCoverForm() {
  auto cover = std::make_unique<TForm>(nullptr);
  cover->SetTag(kHelperFormTag);
  cover->SetBorderStyle(TFormBorderStyle::bsNone);
  HWND c = cover->Handle();
  AddExStyle(c, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  return cover;
}

void AnimateFormShow(TsFormAnimationHost& host, int timeMs, int target, TsAnimType mode) {
  target = std::clamp(target, 0, 255);
  TForm& form = host.Form();
  if (!host.SkinData() || !form.HandleAllocated() || IsIconic(form.Handle())) return FinishShow(host, target, nullptr);
  SetFormAnimationRunning(true);
  std::unique_ptr<TForm> cover;
  try {
    host.RepaintWindowImage();
    cover = NewCoverForm();
    const TBitmap* image = host.WindowImage();
    if (!image || image->Width() <= 0 || image->Height() <= 0) return FinishShow(host, target, nullptr);
    ShowAnimated(host, timeMs, target, mode, cover, *image);
  } catch (...) {
    FinishShow(host, target, std::move(cover));
    throw;
  }
  FinishShow(host, target, std::move(cover));
}

// ---- Hiding -------------------------------------------------------------------------------------

std::unique_ptr<TForm> CoverFromScreen(HWND wnd) {
  RECT w{};
  GetWindowRect(wnd, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  std::unique_ptr<TForm> cover = NewCoverForm();
  cover->SetBounds(w.left, w.top, width, height);
  if (width <= 0 || height <= 0) return cover;
  TBitmap shot(width, height);
  {
    HDC dc = GetWindowDC(wnd);
    BitBlt(shot.DC(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(wnd, dc);
  }
  GdiFlush();
  SetPixelsAlpha(shot.Pixels(), TRect{0, 0, width, height}, 255, clNone);
  HWND c = cover->Handle();
  AddExStyle(c, WS_EX_LAYERED);
  TWindowDC screen(nullptr);
  SIZE size{width, height};
  POINT origin{0, 0};
  BLENDFUNCTION blend = PerPixelBlend(255);
  UpdateLayered(c, screen.dc(), nullptr, &size, shot.DC(), &origin, 0, &blend, ULW_ALPHA);
  SetWindowPos(c, HWND_TOPMOST, w.left, w.top, 0, 0,
               SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  return cover;
}


void AnimateFormHide(TsFormAnimationHost& host) {
  HideAllGlows(true);
  const TBitmap* image = host.WindowImage();
  TForm& form = host.Form();
  if (host.IsMdiChild() || !image || !form.HandleAllocated()) return;
  SetFormAnimationRunning(true);
  struct TClearFlag {
    ~TClearFlag() { SetFormAnimationRunning(false); }
  } clearFlag;
  if (!(host.FormState() & kFormStateSnapshot)) host.RepaintWindowImage();
  image = host.WindowImage();
  if (!image) return;
  HWND wnd = form.Handle();
  std::unique_ptr<TForm> cover = host.TakeCoverForm();
  if (!cover) cover = CoverFromScreen(wnd);
  // The form stays where it is, invisible behind the cover, until it is hidden for good.
  const bool wasLayered = GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED;
  if (!wasLayered) AddExStyle(wnd, WS_EX_LAYERED);
  SetLayeredAttributes(wnd, 0, 1, LWA_ALPHA);
  auto picture = std::make_unique<TBitmap>(image->Width(), image->Height());
  picture->Assign(image->Pixels());
  for (const TRect& r : host.CutRects()) FillPixels(picture->Pixels(), r, 0, 0);
  const TsSkinManager* m = host.SkinData() ? host.SkinData()->SkinManager() : DefaultManager();
  const TsFormAnimation hide = m ? m->AnimEffects().FormHide : TsFormAnimation{};
  StartHideAnimation(std::move(cover), std::move(picture), hide.Time, wnd, hide.Mode, 255);
  SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) & ~WS_VISIBLE);
  // A window layered for its own opacity keeps it for the next show; one layered only for the
  // hide is plain again.
  if (wasLayered) SetLayeredAttributes(wnd, 0, BYTE(form.AlphaBlend() ? std::clamp(form.AlphaBlendValue(), 0, 255) : 255), LWA_ALPHA);
  else RemoveExStyle(wnd, WS_EX_LAYERED);
}

TsHideTimer& HideTimer() {
  if (!gHideTimer) {
    if (Application) {
      gHideTimer = new TsHideTimer(Application);
    } else {
      gOwnHideTimer = std::make_unique<TsHideTimer>(nullptr);
      gHideTimer = gOwnHideTimer.get();
    }
  }
  return *gHideTimer;
}

TsHideTimer::TsHideTimer(TComponent* owner) : TsThreadedTimer(owner) {}

TsHideTimer::~TsHideTimer() {
  SetOnTimer(nullptr);
  CallEvent();
  FreeFrames();
  if (gHideTimer == this) gHideTimer = nullptr;
}

void TsHideTimer::FreeFrames() {
  Form.reset();
  SrcBmp.reset();
  DstBmp.reset();
}

void TsHideTimer::Anim_Init() {
  Frames = HideFrames(StepCount * int(kAnimFrameMs), StartBlendValue, AnimType, FBmpSize.cx, FBmpSize.cy);
}

void TsHideTimer::Anim_DoNext() {
  const TsAnimFrame& f = Frames[std::size_t(std::min<int>(i, int(Frames.size()) - 1))];
  FBlend.SourceConstantAlpha = BYTE(f.Alpha);
  if (AnimType == TsAnimType::atAero) {
    // Each frame starts from an empty picture: the shrinking one leaves a transparent rim.
    if (!f.Whole) FillPixels(DstBmp->Pixels(), TRect{0, 0, FBmpSize.cx, FBmpSize.cy}, 0, 0);
    SetStretchBltMode(DstBmp->DC(), COLORONCOLOR);
    DrawFrame(*DstBmp, *SrcBmp, f, true);
  } else if (i == 0) {
    DrawFrame(*DstBmp, *SrcBmp, TsAnimFrame{f.Alpha}, true);
  }
}

void TsHideTimer::OnTimerProc() {
  if (!Form) return;
  if (i > StepCount) {
    Finish();
    return;
  }
  Anim_DoNext();
  TWindowDC screen(nullptr);
  POINT origin{0, 0};
  UpdateLayered(Form->Handle(), screen.dc(), nullptr, &FBmpSize, DstBmp->DC(), &origin, 0, &FBlend, ULW_ALPHA);
  ++i;
}

void TsHideTimer::Finish() {
  CallEvent();
  SetInterval(65535);
  SetOnTimer(nullptr);
  FreeFrames();
}

void TsHideTimer::CallEvent() {
  if (EventCalled || !ParentWnd) return;
  EventCalled = true;
  // The hidden form may be gone by now, and its handle reused by another window: only a live
  // window of this thread is asked, and only its own answer is followed.
  if (!IsWindow(ParentWnd)) return;
  if (auto* skinner = reinterpret_cast<TsFormAnimationHost*>(SendSkinCommand(ParentWnd, SKIN_GETPROVIDER)))
    skinner->AfterAnimation(TsAnimEventKind::aeHiding);
}

void StartHideAnimation(std::unique_ptr<TForm> cover, std::unique_ptr<TBitmap> picture, int timeMs, HWND parent,
                        TsAnimType mode, int start) {
  // A hide still running ends first, whether or not this one animates: its form hears that it
  // is hidden, and its timer and window-sized pictures do not outlive it.
  if (gHideTimer && gHideTimer->Form) gHideTimer->Finish();
  const int n = std::max(timeMs, 0) / int(kAnimFrameMs);
  if (n == 0 || !cover || !picture) return;
  TsHideTimer& h = HideTimer();
  h.ParentWnd = parent;
  h.EventCalled = false;
  h.i = 0;
  h.SrcBmp = std::move(picture);
  h.StartBlendValue = std::clamp(start, 0, 255);
  h.Form = std::move(cover);
  h.AnimType = mode;
  h.SetInterval(kAnimFrameMs);
  h.StepCount = n;
  h.FBmpSize = SIZE{h.SrcBmp->Width(), h.SrcBmp->Height()};
  h.FBmpTopLeft = POINT{0, 0};
  h.FBlend = PerPixelBlend(BYTE(h.StartBlendValue));
  HWND c = h.Form->Handle();
  {
    TWindowDC screen(nullptr);
    AddExStyle(c, WS_EX_NOACTIVATE | WS_EX_LAYERED);
    UpdateLayered(c, screen.dc(), nullptr, &h.FBmpSize, h.SrcBmp->DC(), &h.FBmpTopLeft, 0, &h.FBlend, ULW_ALPHA);
    ShowWindow(c, SW_SHOWNOACTIVATE);
    RECT r{};
    GetWindowRect(c, &r);
    SetWindowPos(c, HWND_TOPMOST, r.left, r.top, h.FBmpSize.cx, h.FBmpSize.cy,
                 SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  h.DstBmp = std::make_unique<TBitmap>(h.FBmpSize.cx, h.FBmpSize.cy);
  h.Anim_Init();
  if (Application && Application->Terminated()) {
    while (h.i <= h.StepCount) {
      const std::uint32_t t = Clock();
      h.OnTimerProc();
      WaitFrame(t);
    }
    return;
  }
  h.SetOnTimer([&h](TObject*) { h.OnTimerProc(); });
  h.i = 0;
  h.OnTimerProc();
  h.SetEnabled(true);
}

// ---- The picture of a window and its children -------------------------------------------------

void PaintControlImage(TBitmap& bitmap, TWinControl& control, int x, int y, TsFormAnimationHost* host) {
  TWinControl* parent = control.Parent();
  if (parent && !parent->Visible() && !host) {
    // A control on a hidden parent is not painted: what lies behind it stands in for it.
    TsBackgroundQuery q;
    QueryParentBackground(q, *parent, false);
    const TRect area = Bounds(x, y, control.Width(), control.Height());
    if (q.Answer == qaBitmap && q.Bmp) {
      BitBlt(bitmap.DC(), x, y, control.Width(), control.Height(), q.Bmp->DC(), q.X + control.Left(),
             q.Y + control.Top(), SRCCOPY);
    } else {
      GdiFlush();
      FillPixels(bitmap.Pixels(), area, ColorToRGB(q.Color), 255);
    }
    return;
  }
  HDC dc = bitmap.DC();
  TSavedDC whole(dc);
  IntersectClipRect(dc, 0, 0, control.Width(), control.Height());
  if (!control.HandleAllocated()) {
    SendSkinCommand(control, SKIN_PRINT, reinterpret_cast<LPARAM>(dc));
    control.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SendSkinCommand(control, SKIN_PRINT, 0);
    return;
  }
  HWND wnd = control.Handle();
  // The platform's printing draws nothing without flags: ask for the frame, the background and
  // the client of every control, skinned or not.
  const LPARAM flags = PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT;
  if (SendSkinCommand(control, SKIN_ISSKINNED) == 1) {
    SendSkinCommand(control, SKIN_PRINT, reinterpret_cast<LPARAM>(dc));
    SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
    SendSkinCommand(control, SKIN_PRINT, 0);
  } else {
    SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
  }
  for (int k = 0; k < control.ControlCount(); ++k) {
    auto* child = dynamic_cast<TWinControl*>(control.Controls(k));
    if (!child || !child->Visible() || !child->HandleAllocated()) continue;
    TSavedDC saved(dc);
    const bool floatingForm = dynamic_cast<TForm*>(child) && !child->Parent();
    if (!floatingForm) OffsetViewportOrgEx(dc, child->Left(), child->Top(), nullptr);
    PaintControlImage(bitmap, *child, child->Left(), child->Top(), nullptr);
  }
}
