// The background query: how a control learns what its parent shows behind it, and how a skinned
// control answers that question for its children.
#include <algorithm>

#include "framework/WinControl.h"
#include "skin/base/sDCPaint.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sSkinCommands.h"

namespace {

TColor GlobalColor() {
  const TsSkinManager* m = DefaultManager();
  return m && m->IsValidSkinIndex(0) ? m->GetGlobalColor() : ColorToRGB(clBtnFace);
}

// An unskinned parent paints itself into the query's context, moved so that its pixels behind the
// asking control land at PaintRect.
void PaintParentInto(TsBackgroundQuery& q, HWND parent) {
  if (!q.PaintDC || !parent) return;
  const int saved = SaveDC(q.PaintDC);
  POINT org;
  GetViewportOrgEx(q.PaintDC, &org);
  SetViewportOrgEx(q.PaintDC, org.x - q.X, org.y - q.Y, nullptr);
  const TRect r{q.PaintRect.Left + q.X, q.PaintRect.Top + q.Y, q.PaintRect.Right + q.X, q.PaintRect.Bottom + q.Y};
  IntersectClipRect(q.PaintDC, r.Left, r.Top, r.Right, r.Bottom);
  SendToOwnWindow(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(q.PaintDC), 0);
  SendToOwnWindow(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(q.PaintDC), PRF_CLIENT);
  RestoreDC(q.PaintDC, saved);
}

// The asking side's part of a query: everything answered is cleared, the request set.
void StartQuery(TsBackgroundQuery& q, bool paintNow) {
  q.Bmp = nullptr;
  q.X = q.Y = 0;
  q.Answer = qaNone;
  q.PaintNow = paintNow;
  q.FillRect = {};
}

}  // namespace

void QueryParentBackground(TsBackgroundQuery& q, TControl& parent, bool paintNow) {
  StartQuery(q, paintNow);
  SendSkinCommand(parent, SKIN_QUERYBACKGROUND, reinterpret_cast<LPARAM>(&q));
  if (q.Answer != qaNone) return;
  auto* win = dynamic_cast<TWinControl*>(&parent);
  if (paintNow) {
    if (win && win->HandleAllocated()) PaintParentInto(q, win->Handle());
    return;
  }
  q.Answer = qaColor;
  const LRESULT c = SendSkinCommand(parent, SKIN_GETBGCOLOR);
  q.Color = c ? TColor(c) : ColorToRGB(parent.Color());
}

void QueryParentWindowBackground(TsBackgroundQuery& q, HWND parent, bool paintNow) {
  if (TWinControl* c = TWinControl::FromHandle(parent)) {
    QueryParentBackground(q, *c, paintNow);
    return;
  }
  StartQuery(q, paintNow);
  SendSkinCommand(parent, SKIN_QUERYBACKGROUND, reinterpret_cast<LPARAM>(&q));
  if (q.Answer != qaNone) return;
  if (paintNow) {
    PaintParentInto(q, parent);
    return;
  }
  q.Answer = qaColor;
  q.Color = GlobalColor();
}

TCacheInfo CacheInfoOf(const TsBackgroundQuery& q) {
  TBitmap32* pixels = q.Bmp ? &q.Bmp->Pixels() : nullptr;
  if (q.Answer == qaBitmap && pixels) return MakeCacheInfo(pixels, q.X, q.Y);
  TCacheInfo ci{pixels, q.X, q.Y, ColorToRGB(q.Color), q.FillRect, false};
  if (q.Answer == qaNotReady) ci.FillColor = clFuchsia;
  return ci;
}

bool LendsCache(const TsCommonData& d) {
  if (!(d.CtrlSkinState & ssTransparentForChildren)) return true;
  return IsControlHot(d) && !IsContainerKind(d.COC);
}

bool QueryOwnerBackground(const TsCommonData& data, TsBackgroundQuery& q) {
  TControl* owner = data.OwnerControl();
  if (owner && owner->Parent()) {
    QueryParentBackground(q, *owner->Parent(), false);
  } else if (HWND wnd = data.OwnerWindow(); wnd && GetParent(wnd)) {
    QueryParentWindowBackground(q, GetParent(wnd), false);
  } else {
    return false;
  }
  return true;
}

TCacheInfo GetControlBackground(TsCommonData& data) {
  TsBackgroundQuery q;
  if (!QueryOwnerBackground(data, q)) return TCacheInfo{nullptr, 0, 0, data.BackgroundColor(0), TRect{}, false};
  // A parent whose picture is not ready makes this control wait for command 6.
  if (q.Answer == qaNotReady) data.FUpdating = true;
  return CacheInfoOf(q);
}

std::optional<TCacheInfo> ReadyControlBackground(TsCommonData& data) {
  TsBackgroundQuery q;
  if (QueryOwnerBackground(data, q) && q.Answer == qaNotReady) {
    data.FUpdating = true;
    return std::nullopt;
  }
  if (q.Answer == qaNone) return TCacheInfo{nullptr, 0, 0, data.BackgroundColor(0), TRect{}, false};
  return CacheInfoOf(q);
}

// ---- The answering side -----------------------------------------------------------------------

namespace {

// The query passed on to the control's own parent, its position added.
void PassToParent(TsCommonData& d, TsBackgroundQuery& q) {
  TControl* owner = d.OwnerControl();
  const TPoint pos = owner ? TPoint{owner->Left(), owner->Top()} : TPoint{};
  q.X += pos.X;
  q.Y += pos.Y;
  q.FillRect = {q.FillRect.Left - pos.X, q.FillRect.Top - pos.Y, q.FillRect.Right - pos.X, q.FillRect.Bottom - pos.Y};
  if (owner && owner->Parent()) {
    SendSkinCommand(*owner->Parent(), SKIN_QUERYBACKGROUND, reinterpret_cast<LPARAM>(&q));
  } else if (HWND wnd = d.OwnerWindow(); wnd && GetParent(wnd)) {
    SendSkinCommand(GetParent(wnd), SKIN_QUERYBACKGROUND, reinterpret_cast<LPARAM>(&q));
  }
  if (q.Answer == qaNone) {
    q.Answer = qaColor;
    q.Color = GlobalColor();
  }
}

// Brings the cache up to date through the owner (command 23), when it is out of date.
void PrepareCache(TsCommonData& d) {
  if (d.BGChanged && d.OwnerControl()) SendSkinCommand(*d.OwnerControl(), SKIN_PREPARECACHE);
}

bool CacheEmpty(const TsCommonData& d) { return !d.CacheBmp() || d.CacheBmp()->Width() == 0; }

void AnswerWithCache(TsCommonData& d, TsBackgroundQuery& q) {
  if (q.PaintNow && q.PaintDC && d.CacheBmp()) {
    BitBlt(q.PaintDC, q.PaintRect.Left, q.PaintRect.Top, q.PaintRect.Right - q.PaintRect.Left,
           q.PaintRect.Bottom - q.PaintRect.Top, d.CacheBmp()->DC(), q.PaintRect.Left + q.X, q.PaintRect.Top + q.Y,
           SRCCOPY);
  }
  q.Bmp = d.CacheBmp();
  q.Answer = qaBitmap;
}

void FillPaintRect(TsBackgroundQuery& q, TColor color) {
  if (q.PaintDC) FillDCRect(q.PaintDC, q.PaintRect, color);
}

}  // namespace

// The offsets are never set here: they hold the asking control's position in this control, added
// up by every transparent container the query passed on its way (PassToParent).
void AnswerBackgroundQuery(TsCommonData& d, TsBackgroundQuery& q) {
  const int state = d.FFocused || d.FMouseAbove ? 1 : 0;
  TControl* owner = d.OwnerControl();
  const TsSkinManager* m = d.SkinManager();
  if (q.PaintNow) {
    d.UpdateTransparency();
    if (!LendsCache(d)) {
      FillPaintRect(q, d.BackgroundColor(state));
      q.Color = d.BackgroundColor(state);
      q.Answer = qaColor;
      return;
    }
    PrepareCache(d);
    AnswerWithCache(d, q);
    return;
  }
  if (!d.Skinned() || d.CustomColor()) {
    q.Answer = qaColor;
    q.Color = owner ? owner->Color() : GlobalColor();
    return;
  }
  const TsGeneralData& g = m->gd()[std::size_t(d.SkinIndex)];
  const int p = std::clamp(std::min(state, g.States - 1), 0, 1);
  const TsGenState& s = g.Props[std::size_t(p)];
  const int t = std::clamp(s.Transparency, 0, 100);
  if (t == 100) {
    if ((d.CtrlSkinState & ssTransparentForChildren) || !d.CacheBmp()) {
      PassToParent(d, q);
      return;
    }
    PrepareCache(d);
    if (d.BGChanged || CacheEmpty(d)) {
      q.Answer = qaColor;
      q.Color = d.BackgroundColor(0);
    } else {
      AnswerWithCache(d, q);
    }
    return;
  }
  if (t > 0) {
    if (!d.CacheBmp()) {
      q.Answer = qaColor;
      q.Color = clFuchsia;
    } else if (CacheEmpty(d)) {
      d.FUpdating = true;
      q.Answer = qaNotReady;
    } else {
      AnswerWithCache(d, q);
    }
    return;
  }
  const bool plain = s.GradientPercent == 0 && s.ImagePercent == 0 && g.ImgTL < 0 && g.ImgTR < 0 && g.ImgBL < 0 &&
                     g.ImgBR < 0 && d.OuterEffects().Visibility == TsOuterVisibility::ovNone;
  if (plain) {
    q.Answer = qaColor;
    q.Color = d.BackgroundColor(state);
    if (m->IsValidImgIndex(d.BorderIndex) && !(m->ma()[std::size_t(d.BorderIndex)].DrawMode & 2)) {
      const TsMaskData& mask = m->ma()[std::size_t(d.BorderIndex)];
      q.FillRect = {std::max(0, int(mask.WL)), std::max(0, int(mask.WT)), std::max(0, int(mask.WR)), std::max(0, int(mask.WB))};
      q.Bmp = d.CacheBmp();
    }
    if (q.PaintNow) FillPaintRect(q, q.Color);
    return;
  }
  q.Color = GlobalColor();
  TBitmap* cache = d.CacheBmp();
  if (!cache || cache->Width() == 0 || (owner && (cache->Width() != owner->Width() || cache->Height() != owner->Height()))) {
    d.EmptyCache();
    if (owner) SendSkinCommand(*owner, SKIN_PREPARECACHE);
  }
  if (CacheEmpty(d)) {
    q.Answer = qaNotReady;
  } else {
    AnswerWithCache(d, q);
  }
}
