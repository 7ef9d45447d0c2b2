#include "skin/paint/sFade.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "skin/base/sTexture.h"
#include "skin/data/sMessages.h"
#include "skin/data/sSkinManager.h"

namespace {

// The live timers, for the count and for stopping every fade at shutdown. User-interface thread.
std::vector<TsFadeTimerBase*>& LiveList() {
  static std::vector<TsFadeTimerBase*> list;
  return list;
}
bool gClosing = false;

bool IsLive(const TsFadeTimerBase* t) {
  const auto& l = LiveList();
  return std::find(l.begin(), l.end(), t) != l.end();
}

void CopyPicture(TBitmap32& dst, const TBitmap32& src) {
  if (dst.Width() != src.Width() || dst.Height() != src.Height()) dst.SetSize(src.Width(), src.Height());
  CopyBitmapRect(dst, 0, 0, src, TRect{0, 0, src.Width(), src.Height()});
}

}  // namespace

bool AnimationAllowed(TsAnimatEvent e, TsAnimatEvents events, const TsSkinManager* manager) {
  if (events & e) return true;
  if (!(events & aeGlobalDef) || e == aeGlobalDef) return false;
  if (!manager) manager = DefaultManager();
  if (!manager) return false;
  // The control events map one to one onto the manager's button events.
  const TsBtnEvent be = e == aeMouseEnter ? beMouseEnter
                        : e == aeMouseLeave ? beMouseLeave
                        : e == aeMouseDown  ? beMouseDown
                                            : beMouseUp;
  return (manager->AnimEffects().Buttons.Events & be) != 0;
}

// ---- Both timers ----------------------------------------------------------------------------

TsFadeTimerBase::TsFadeTimerBase(std::unique_ptr<TsFadeHost> host) : FHost(std::move(host)) {
  LiveList().push_back(this);
  FHost->Attach(*this);
}

TsFadeTimerBase::~TsFadeTimerBase() {
  auto& l = LiveList();
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  if (FHost) FHost->SetTicking(false, FInterval);
}

void TsFadeTimerBase::Guarded(const std::function<void()>& f) {
  ++FTickDepth;
  try {
    f();
  } catch (...) {
    if (--FTickDepth == 0 && FReleased) delete this;
    throw;
  }
  if (--FTickDepth == 0 && FReleased) delete this;
}

void TsFadeTimerBase::Timer() {
  if (FReleased) return;
  Guarded([this] { Tick(); });
}

void TsFadeTimerBase::Release() {
  if (FReleased) return;
  FReleased = true;
  SetEnabled(false);
  if (FTickDepth == 0) delete this;
}

void TsFadeTimerBase::SetEnabled(bool on) {
  FEnabled = on;
  FHost->SetTicking(on, FInterval);
}

void TsFadeTimerBase::SetInterval(unsigned ms) {
  FInterval = ms;
  if (FEnabled) FHost->SetTicking(true, ms);
}

// ---- The fade drawn onto the window -----------------------------------------------------------

void TsFadeTimer::SetDirection(TFadeDirection d) {
  FDirection = d;
  if (FadeLevel < 0) FadeLevel = 1;
  SetEnabled(d != TFadeDirection::fdNone);
}

void TsFadeTimer::TakeOwnerPicture() {
  TsFadeHost& h = Host();
  const TBitmap32* cache = h.Cache();
  if (h.BGChanged() && (!cache || cache->Empty())) {
    h.Command(SKIN_PREPARECACHE);
    cache = h.Cache();
  }
  if (cache) CopyPicture(BmpFrom, *cache);
  else BmpFrom.SetSize(0, 0);
  SetInterval(kAnimFrameMs);
  Iterations = FDirection == TFadeDirection::fdUp     ? FadeLevel
               : FDirection == TFadeDirection::fdDown ? kFadeIterations - FadeLevel
                                                      : kFadeIterations;
}

void TsFadeTimer::Change() {
  Guarded([this] {
    TsFadeHost& h = Host();
    if (!h.ControlAlive() || Iterations == 0 || FadesClosing()) return;
    if (!h.ControlEnabled()) {
      SetEnabled(false);
      Iterations = 0;
      h.InvalidateCache();
      return;
    }
    struct TNextLevel {
      int& Level;
      ~TNextLevel() { ++Level; }  // the next frame comes even after a failed one
    } next{FadeLevel};
    const int a = FadeWeight(FadeLevel, Iterations);
    TBitmap32& frame = h.FrameBuffer(BmpFrom.Width(), BmpFrom.Height());
    CopyPicture(frame, BmpFrom);
    if (const TBitmap32* cache = h.Cache()) FadeBlend(frame, *cache, 255 - a);
    h.ShowFrame();
  });
}

bool TsFadeTimer::ToEnd() {
  TsFadeHost& h = Host();
  if (!h.ControlAlive() || h.ApplicationTerminating()) {
    SetDirection(TFadeDirection::fdNone);
    return false;
  }
  if (FadeLevel >= 0 && FadeLevel <= Iterations) return false;
  h.Command(SKIN_STOPANIMATION);
  // A control that does not stop its fades must not be asked again every 12 ms.
  if (!Destroying()) SetDirection(TFadeDirection::fdNone);
  return true;
}

void TsFadeTimer::Tick() {
  if (ToEnd() || FadesClosing() || Destroying()) return;
  if (FDirection == TFadeDirection::fdUp || FDirection == TFadeDirection::fdDown) Change();
}

// ---- The fade the control paints ------------------------------------------------------------

void TsAnimTimer::TakeOwnerData() {
  SetInterval(kAnimFrameMs);
  Iterations = kFadeIterations;
}

void TsAnimTimer::DoFade() {
  Guarded([this] {
    TsFadeHost& h = Host();
    if (FadeInProcess || !h.ControlAlive() || Iterations == 0 || FadeLevel < 0) {
      ++FadeLevel;
      return;
    }
    FadeInProcess = true;
    struct TFrameDone {
      TsAnimTimer& T;
      ~TFrameDone() {
        ++T.FadeLevel;
        T.FadeInProcess = false;
      }
    } done{*this};
    CopyPicture(TmpBmp, BmpFrom);
    if (const TBitmap32* cache = h.Cache()) FadeBlend(TmpBmp, *cache, 255 - FadeWeight(FadeLevel, Iterations));
    Repaint();
  });
}

void TsAnimTimer::Repaint() {
  Host().Command(SKIN_SETUPDATING, 0);
  Host().Command(SKIN_INVALIDATE);
}

bool TsAnimTimer::ToEnd() {
  TsFadeHost& h = Host();
  if (Destroying() || !h.ControlAlive() || h.ApplicationTerminating()) return true;
  if (FadeLevel >= 0 && FadeLevel <= Iterations) return false;
  h.Command(SKIN_STOPANIMATION);
  if (!Destroying()) SetEnabled(false);
  return true;
}

void TsAnimTimer::Tick() {
  if (!ToEnd()) DoFade();
}

// ---- Starting and stopping --------------------------------------------------------------------

void StartFade(TsFadeTimer*& slot, const std::function<std::unique_ptr<TsFadeHost>()>& makeHost, bool half,
               TFadeDirection direction) {
  if (!slot) {
    slot = new TsFadeTimer(makeHost());
    slot->FadeLevel = 1;
  } else {
    slot->FadeLevel = kFadeIterations;
  }
  TsFadeTimer* t = slot;
  t->Guarded([&] {
    t->TakeOwnerPicture();
    if (half) t->Iterations /= 2;
    if (t->FadeLevel >= t->Iterations || t->FadeLevel <= 0) t->FadeLevel = 1;
    // The control paints its new look into its cache: the fade's target.
    t->Host().Command(SKIN_PREPARECACHE);
    if (!t->Destroying()) t->SetDirection(direction);
  });
}

void StopFade(TsFadeTimer*& slot) {
  if (!slot) return;
  TsFadeTimer* t = std::exchange(slot, nullptr);
  if (t->Destroying()) return;
  t->SetDirection(TFadeDirection::fdNone);
  t->Release();
}

int LiveFadeTimers() { return int(LiveList().size()); }
bool FadesClosing() { return gClosing; }
void SetFadesClosing(bool on) { gClosing = on; }

void StopAllFades() {
  const std::vector<TsFadeTimerBase*> snapshot = LiveList();
  for (TsFadeTimerBase* t : snapshot) {
    // An earlier stop may have freed this one already.
    if (!IsLive(t) || t->Destroying()) continue;
    t->Guarded([t] {
      t->Host().Command(SKIN_STOPANIMATION);
      if (!t->Destroying()) t->SetEnabled(false);
    });
  }
}
