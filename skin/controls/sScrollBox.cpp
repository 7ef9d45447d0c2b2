#include "skin/controls/sScrollBox.h"

#include "skin/paint/sBackground.h"
#include "skin/paint/sItemPaint.h"

namespace {
constexpr int kScrollBoxKind = 19;  // paints as "BAR"
}

TsScrollBox::TsScrollBox(TComponent* owner) : TsSkinnedControl(owner, kScrollBoxKind) {}

bool TsScrollBox::PrepareCache() {
  const std::optional<TCacheInfo> ready = ReadyControlBackground(skinData_);
  if (!ready) return false;
  const TRect client = ClientRect();
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != client.Width() || cache.Height() != client.Height()) cache.SetSize(client.Width(), client.Height());
  GdiFlush();
  PaintSkinItem(skinData_, *ready, false, cache.Pixels(), {0, 0}, Rect(0, 0, client.Width(), client.Height()), 0);
  skinData_.BGChanged = false;
  return true;
}

void TsScrollBox::PaintWindow(HDC dc) {
  if (!Skinned()) {
    TsSkinnedControl::PaintWindow(dc);
    return;
  }
  const TRect client = ClientRect();
  const TBitmap* cache = skinData_.CacheBmp();
  const bool stale = skinData_.BGChanged || !cache || cache->Width() != client.Width() || cache->Height() != client.Height();
  if (stale && !PrepareCache()) return;
  BitBlt(dc, 0, 0, client.Width(), client.Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
}

void TsScrollBox::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_PREPARECACHE && Skinned()) PrepareCache();
  if (m.Msg == WM_SIZE) skinData_.BGChanged = true;
  TsSkinnedControl::WndProc(m);
}
