// The caption buttons on the window: hot, press and release, the direct repaint from the saved
// title, and the state animation in its overlay window.
#include "framework/Handles.h"
#include "skin/base/sFill.h"
#include "skin/base/sLayered.h"
#include "skin/data/sSkinManager.h"
#include "skin/frame/sSkinProvider.h"
#include "skin/paint/sMaskFrame.h"

namespace {

// The pending press of a caption button: which form and which button. A release reacts only when
// it ends the press of that very button on that very form (one press at a time in the process:
// the mouse is the user's one hand).
struct TsPendingPress {
  HWND Form = nullptr;
  int Code = 0;
};
TsPendingPress& PendingPress() {
  static TsPendingPress press;  // user-interface thread only
  return press;
}
// A press whose form went (or was hidden by its own close) holds nothing up any more.
bool PressPending() {
  TsPendingPress& p = PendingPress();
  if (p.Form && !IsWindowVisible(p.Form)) p = {};
  return p.Form != nullptr;
}
void ClearPress() { PendingPress() = {}; }

int Slot(int code) {
  switch (code) {
    case 20: return 0;
    case 9: return 1;
    case 8: return 2;
    case 21: return 3;
    default: return -1;
  }
}

TRect ToScreen(HWND wnd, const TRect& r) {
  RECT w{};
  GetWindowRect(wnd, &w);
  return {w.left + r.Left, w.top + r.Top, w.left + r.Right, w.top + r.Bottom};
}

}  // namespace

TsButtonAnimation::TsButtonAnimation(RiDuraRidareza& provider, int hitCode, int steps)
    : Machine(steps), Timer(std::make_unique<TTimer>(nullptr)), HitCode(hitCode) {
  Timer->SetEnabled(false);
  Timer->SetInterval(12);
  Timer->OnTimer = [&provider, this](TObject*) { provider.AnimationTick(*this); };
}

TsButtonAnimation::~TsButtonAnimation() = default;

TsButtonAnimation* RiDuraRidareza::Animation(int code, bool create) {
  const int slot = Slot(code);
  if (slot < 0) return nullptr;
  if (!animations_[std::size_t(slot)] && create)
    animations_[std::size_t(slot)] = std::make_unique<TsButtonAnimation>(*this, code, AnimRequestFor(0).Steps);
  return animations_[std::size_t(slot)].get();
}

void RiDuraRidareza::KillAnimations() {
  for (auto& a : animations_) a.reset();
  for (TsCaptionButton* b : {&Buttons.Close, &Buttons.Max, &Buttons.Min, &Buttons.Help}) b->Animating = false;
}

void RiDuraRidareza::TrackNonClientLeave() {
  if (trackingLeave_ || !form_.HandleAllocated()) return;
  // Leaving through the frame sends no client leave: ask for the non-client one too.
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE | TME_NONCLIENT, form_.Handle(), 0};
  trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
}

void RiDuraRidareza::SetHotHT(int code, bool repaint) {
  if (code == CurrentHT || !drawNonClientArea_) return;
  const int previous = CurrentHT;
  if (previous > 0 && previous != code) {
    if (TsCaptionButton* b = Button(previous)) {
      b->State = 0;
      if (repaint) RepaintButton(previous);
    }
  }
  CurrentHT = code;
  if (PressPending() || code <= 0) return;
  if (TsCaptionButton* b = Button(code)) {
    b->State = 1;
    TrackNonClientLeave();
    if (repaint) RepaintButton(code);
  }
}

void RiDuraRidareza::SetPressedHT(int code) {
  if (CurrentHT > 0 && CurrentHT != code) {
    if (TsCaptionButton* b = Button(CurrentHT)) {
      b->State = 0;
      RepaintButton(CurrentHT);
    }
  }
  CurrentHT = code;
  TsCaptionButton* b = Button(code);
  const TsButtonQueries q = Queries();
  bool allowed = b && ButtonEnabled(Buttons, q, *b);
  if (code == 9) allowed = q.EnabledMax || (IsZoomed(form_.Handle()) && q.EnabledRestore);
  if (!allowed) {
    CurrentHT = 0;
    return;
  }
  b->State = 2;
  PendingPress() = {form_.Handle(), code};
  RepaintButton(code);
}

bool RiDuraRidareza::ButtonRelease(int code, TPoint screen) {
  HWND wnd = form_.Handle();
  const bool pending = PendingPress().Form == wnd && PendingPress().Code == code;
  const TsButtonQueries q = Queries();
  switch (code) {
    case 20: {
      if (!q.EnabledClose || !pending) return true;
      Buttons.Close.State = 0;
      const auto alive = Liveness();
      SendMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(screen.X, screen.Y));
      if (!*alive) return true;
      KillAnimations();
      if (IsWindowVisible(wnd)) {
        FCommonData.BGChanged = true;
        SetHotHT(0, true);
      }
      return true;
    }
    case 8: {
      const RECT r{Buttons.Min.Rect.Left, Buttons.Min.Rect.Top, Buttons.Min.Rect.Right, Buttons.Min.Rect.Bottom};
      RECT w{};
      GetWindowRect(wnd, &w);
      const POINT p{screen.X - w.left, screen.Y - w.top};
      SetHotHT(0, true);
      if (!pending || !PtInRect(&r, p)) return false;
      SendMessageW(wnd, WM_SYSCOMMAND, IsIconic(wnd) ? SC_RESTORE : SC_MINIMIZE, 0);
      FCommonData.BGChanged = true;
      return true;
    }
    case 9: {
      if (!q.EnabledMax && !(IsZoomed(wnd) && q.EnabledRestore)) return true;
      SetHotHT(0, true);
      if (!pending) return false;
      ClearPress();
      SendMessageW(wnd, WM_SYSCOMMAND, IsZoomed(wnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
      if (SystemMenu) SystemMenu->Refresh();
      return true;
    }
    case 21:
      if (!pending) return false;
      ClearPress();
      SendMessageW(wnd, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
      SetHotHT(0, true);
      RepaintFrame();
      return true;
    default:
      ClearPress();
      return false;
  }
}

void RiDuraRidareza::RepaintButtonDirectly(TsCaptionButton& b) {
  TsSkinManager* m = FCommonData.SkinManager();
  TBitmap* image = WindowImage();
  if (!m || !image || FCommonData.BGChanged) return RepaintFrame();
  HWND wnd = form_.Handle();
  const TRect r =
      RepaintCaptionButton(image->Pixels(), TempBmp, *m, Buttons, Queries(), b, FormActive, IsWindowEnabled(wnd) != FALSE);
  TWholeWindowDC dc(wnd);
  GdiFlush();
  if (dc.dc()) BitBlt(dc.dc(), r.Left, r.Top, r.Width(), r.Height(), image->DC(), r.Left, r.Top, SRCCOPY);
}

void RiDuraRidareza::RepaintButton(int code) {
  TsCaptionButton* b = Button(code);
  TsSkinManager* m = FCommonData.SkinManager();
  if (!b || !m || !form_.HandleAllocated() || b->Rect.Right <= b->Rect.Left) return;
  TsButtonAnimation* a = Animation(code, false);
  const bool animate = m->Effects().AllowGlowing && FFormState == 0 && !form_.Parent() && LayeredWindowsAvailable() &&
                       m->IsValidImgIndex(b->ImageIndex);
  // Nothing shown and nothing to show: a button back to normal without a fade to undo.
  if (!animate || (b->State == 0 && (!a || a->Machine.Finished()))) {
    if (a) a->Overlay.Free();
    b->Animating = false;
    return RepaintButtonDirectly(*b);
  }
  const TsAnimRequest request = AnimRequestFor(b->State);
  TsAnimAnswer answer;
  if (!a || a->Machine.Finished()) {
    a = Animation(code, true);
    a->Machine = TsSBAnimation(request.Steps);
    answer = a->Machine.StartAnimation(request.State, true);
    answer.Rebuild = true;
  } else {
    answer = a->Machine.Retarget(request);
  }
  if (!b->Animating) {
    // The picture keeps the normal look below the overlay.
    b->Animating = true;
    RepaintButtonDirectly(*b);
  }
  AnimationAnswer(*a, answer);
}

void RiDuraRidareza::AnimationTick(TsButtonAnimation& a) { AnimationAnswer(a, a.Machine.Tick()); }

void RiDuraRidareza::AnimationAnswer(TsButtonAnimation& a, const TsAnimAnswer& answer) {
  TsCaptionButton* b = Button(a.HitCode);
  TsSkinManager* m = FCommonData.SkinManager();
  if (!b || !m || !form_.HandleAllocated()) return;
  HWND wnd = form_.Handle();
  if (answer.Free) {
    a.Timer->SetEnabled(false);
    a.Overlay.Free();
    b->Animating = false;
    RepaintButtonDirectly(*b);
    return;
  }
  if (answer.CheckMouse) {
    POINT p{};
    GetCursorPos(&p);
    if (!ToScreen(wnd, b->Rect).Contains({p.x, p.y})) {
      // The pointer left a fully shown button: the form fades it out.
      a.Machine.StopTimer();
      a.Timer->SetEnabled(false);
      SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
      return;
    }
  }
  const int state = a.Machine.CurrentState();
  if ((answer.Rebuild || a.Image.Empty()) && state >= 0 && m->IsValidImgIndex(b->ImageIndex)) {
    // The state image over transparency: copied pixels opaque, the skin's key colour clear.
    const TRect r = b->Rect;
    a.Image = NewBitmap32(r.Width(), r.Height());
    FillPixels(a.Image, TRect{0, 0, r.Width(), r.Height()}, clFuchsia, 0);
    PaintMaskImage(a.Image, {0, 0}, state, MakeCacheInfo(&a.Image, 0, 0), m->ma()[std::size_t(b->ImageIndex)], 1);
    for (int y = 0; y < a.Image.Height(); ++y) {
      std::uint32_t* row = a.Image.Row(y);
      for (int x = 0; x < a.Image.Width(); ++x) row[x] = (row[x] & 0xFFFFFFu) == 0xFF00FFu ? 0 : row[x] | 0xFF000000u;
    }
  }
  if (answer.Show && !a.Image.Empty()) a.Overlay.Show(wnd, a.Image, ToScreen(wnd, b->Rect), BYTE(std::clamp(answer.Alpha, 0, 255)));
  a.Timer->SetEnabled(answer.TimerOn);
}
