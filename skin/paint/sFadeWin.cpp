#include "skin/paint/sFadeWin.h"

#include "framework/Application.h"
#include "framework/ControlDC.h"
#include "framework/Handles.h"
#include "framework/Timer.h"
#include "framework/WinControl.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sGlow.h"

namespace {

class TsWinFadeHost : public TsFadeHost {
 public:
  explicit TsWinFadeHost(TsCommonData& data) : data_(data) {}

  bool ControlAlive() const override {
    const TControl* c = data_.OwnerControl();
    return c && !c->Destroying();
  }
  bool ControlEnabled() const override { return data_.OwnerControl()->Enabled(); }
  bool ApplicationTerminating() const override { return Application && Application->Terminated(); }
  const TBitmap32* Cache() const override {
    const TBitmap* cache = data_.CacheBmp();
    return cache && cache->Width() > 0 ? &cache->Pixels() : nullptr;
  }
  bool BGChanged() const override { return data_.BGChanged; }
  std::intptr_t Command(std::uint16_t code, std::uint16_t argument) override {
    TControl* c = data_.OwnerControl();
    return c ? SendSkinCommand(*c, code, 0, argument) : 0;
  }
  TBitmap32& FrameBuffer(int w, int h) override {
    if (frame_.Width() != w || frame_.Height() != h) frame_.SetSize(w, h);
    GdiFlush();
    return frame_.Pixels();
  }
  void ShowFrame() override {
    TControl* c = data_.OwnerControl();
    if (!c) return;
    // The control may show the frame itself (a button drawing its focus mark over it).
    if (PerformSkinCommand(*c, SKIN_FADEFRAME, reinterpret_cast<LPARAM>(&frame_)) != 0) return;
    if (!ControlAlive() || frame_.Width() == 0) return;
    if (auto* win = dynamic_cast<TWinControl*>(c); win && win->HandleAllocated()) {
      TWindowDC dc(win->Handle());
      if (dc.dc()) {
        TSavedDC saved(dc.dc());
        BitBlt(dc.dc(), 0, 0, frame_.Width(), frame_.Height(), frame_.DC(), 0, 0, SRCCOPY);
      }
    } else if (TControlDC dc(*c); dc) {
      BitBlt(dc.dc(), 0, 0, frame_.Width(), frame_.Height(), frame_.DC(), 0, 0, SRCCOPY);
    }
  }
  void InvalidateCache() override { data_.Invalidate(false); }
  void SetTicking(bool on, unsigned intervalMs) override {
    if (!timer_) {
      if (!on) return;
      timer_ = std::make_unique<TTimer>(nullptr);
      timer_->SetEnabled(false);
      timer_->OnTimer = [this](TObject*) {
        if (fade_) fade_->Timer();
      };
    }
    timer_->SetInterval(intervalMs);
    timer_->SetEnabled(on);
  }
  void Attach(TsFadeTimerBase& timer) override { fade_ = &timer; }

 private:
  TsCommonData& data_;
  TBitmap frame_;
  std::unique_ptr<TTimer> timer_;
  TsFadeTimerBase* fade_ = nullptr;
};

}  // namespace

std::unique_ptr<TsFadeHost> MakeFadeHost(TsCommonData& data) { return std::make_unique<TsWinFadeHost>(data); }

void StartFade(TsFadeTimer*& slot, TsCommonData& data, bool half, TFadeDirection direction) {
  StartFade(slot, [&] { return MakeFadeHost(data); }, half, direction);
}

void FadeOnEvent(TsFadeTimer*& slot, TsCommonData& data, bool half, TFadeDirection direction, bool allowed) {
  if (!data.Skinned()) return;
  const TBitmap* cache = data.CacheBmp();
  if (allowed && !SkinLoading() && !FadesClosing() && cache && cache->Width() > 0 && !data.BGChanged) {
    data.BGChanged = true;
    StartFade(slot, data, half, direction);
  } else {
    StopFade(slot);
    data.BGChanged = true;
    if (TControl* c = data.OwnerControl()) c->Repaint();
  }
  UpdateControlGlow(data, half, nullptr);
}

void StopFadesForShutdown() {
  SetFadesClosing(true);
  StopAllFades();
  const DWORD start = GetTickCount();
  MSG msg;
  while (LiveFadeTimers() > 0 && !TicksPassed(start, GetTickCount(), 2000)) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // The program's end was asked for meanwhile: it stays asked for, for the loop that ends it.
      if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (LiveFadeTimers() > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void ResumeFadesAfterCancelledShutdown() { SetFadesClosing(false); }
