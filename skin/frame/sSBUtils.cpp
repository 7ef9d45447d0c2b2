#include "skin/frame/sSBUtils.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/CallbackGuard.h"
#include "framework/ErrorReport.h"
#include "framework/Handles.h"
#include "framework/MessageCrackers.h"
#include "framework/WinControl.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/frame/sSBTracking.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sSkinCommands.h"

namespace {

constexpr wchar_t kHandlerProp[] = L"SKINSBSC";
constexpr UINT_PTR kSubclassId = 0x5342;  // "SB"
// Kind code of a handler's own skin data for an edit-like window.
constexpr int kOwnEditKind = 231;

TRect ToTRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

TRect WindowRect(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return ToTRect(r);
}

TRect Offset(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

void FrameChanged(HWND wnd) {
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RedrawFrame(HWND wnd) { RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN); }

}  // namespace

// ---- TsMainWnd ----------------------------------------------------------------------------------

TsMainWnd::TsMainWnd(HWND wnd, TsCommonData* data, TsSkinManager* manager, const std::wstring& section, int coc)
    : CtrlHandle(wnd) {
  if (data) {
    SkinData = data;
  } else {
    OwnSkinData = std::make_unique<TsCommonData>(nullptr, coc, true);
    if (manager) OwnSkinData->SetSkinManager(manager);
    OwnSkinData->SetSkinSection(section);
    OwnSkinData->Loaded();
    SkinData = OwnSkinData.get();
  }
  SkinManager = manager ? manager : SkinData->SkinManager();
  SaveStdParams();
}

TsMainWnd::~TsMainWnd() { Release(); }

TControl* TsMainWnd::OwnerControl() const { return SkinData ? SkinData->OwnerControl() : nullptr; }

void TsMainWnd::SaveStdParams() {
  if (TControl* c = OwnerControl()) {
    StdColor = c->Color();
    StdFontColor = c->Font().Color();
  }
}

void TsMainWnd::RestoreStdParams() {
  TControl* c = OwnerControl();
  if (!c || StdColor == clNone) return;
  c->SetColor(StdColor);
  c->Font().SetColor(StdFontColor);
}

void TsMainWnd::Subclass() {
  SetPropW(CtrlHandle, kHandlerProp, reinterpret_cast<HANDLE>(this));
  if (TControl* c = OwnerControl()) {
    // The entry holds the handler weakly: a handler freed elsewhere is not kept alive by its
    // control, and a running dispatch holds its own share.
    std::weak_ptr<TsMainWnd> weak = weak_from_this();
    hook_ = std::make_unique<TWindowProcHook>(*c, [weak](TMessage& m, const TWndMethod& previous) {
      if (const std::shared_ptr<TsMainWnd> self = weak.lock()) self->Dispatch(m, &previous);
      else previous(m);
    });
    oldCtrlStyle_ = c->ControlStyle();
    c->SetControlStyle(oldCtrlStyle_ | csOpaque);
  } else {
    // The platform's subclass chain removes an entry wherever it lies in the chain, so a window
    // subclassed again after us is never cut off.
    rawSubclassed_ = SetWindowSubclass(CtrlHandle, RawProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  }
}

LRESULT CALLBACK TsMainWnd::RawProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  return CallbackGuard(
      [&]() -> LRESULT {
        const std::shared_ptr<TsMainWnd> self = reinterpret_cast<TsMainWnd*>(ref)->weak_from_this().lock();
        if (!self) return DefSubclassProc(wnd, msg, wp, lp);
        TMessage m{msg, wp, lp, 0};
        self->Dispatch(m, nullptr);
        return m.Result;
      },
      [](const std::exception_ptr& e) -> LRESULT {
        ReportError(e);
        return 0;
      });
}

void TsMainWnd::Dispatch(TMessage& m, const TWndMethod* previous) {
  const TWndMethod* outer = std::exchange(previous_, previous);
  struct TRestore {
    const TWndMethod*& slot;
    const TWndMethod* value;
    ~TRestore() { slot = value; }
  } restore{previous_, outer};
  if (released_) CallPrevWndProc(m);
  else sWndProc(m);
}

void TsMainWnd::CallPrevWndProc(TMessage& m) {
  if (previous_) (*previous_)(m);
  else if (rawSubclassed_) m.Result = DefSubclassProc(CtrlHandle, m.Msg, m.WParam, m.LParam);
  else m.Result = DefWindowProcW(CtrlHandle, m.Msg, m.WParam, m.LParam);
}

void TsMainWnd::sWndProc(TMessage& m) { CallPrevWndProc(m); }

void TsMainWnd::Release() {
  if (released_) return;
  released_ = true;
  Destroyed = true;
  sbtrack::Forget(CtrlHandle);
  // The hook object stays until the handler goes: its closure may be the one running now.
  if (hook_) hook_->Detach();
  const bool alive = IsWindow(CtrlHandle) != FALSE;
  if (rawSubclassed_ && alive) RemoveWindowSubclass(CtrlHandle, RawProc, kSubclassId);
  if (alive && GetPropW(CtrlHandle, kHandlerProp) == reinterpret_cast<HANDLE>(this)) RemovePropW(CtrlHandle, kHandlerProp);
  if (TControl* c = OwnerControl(); c && hook_)
    c->SetControlStyle((c->ControlStyle() & ~csOpaque) | (oldCtrlStyle_ & csOpaque));
}

// ---- TsScrollWnd --------------------------------------------------------------------------------

TsScrollWnd::TsScrollWnd(HWND wnd, TsCommonData* data, TsSkinManager* manager, const std::wstring& section, int coc)
    : TsMainWnd(wnd, data, manager, section, coc) {}

std::shared_ptr<TsScrollWnd> TsScrollWnd::Create(HWND wnd, TsCommonData* data, TsSkinManager* manager,
                                                 const std::wstring& section, bool frameChanged) {
  std::shared_ptr<TsScrollWnd> sw(new TsScrollWnd(wnd, data, manager, section, 0));
  sw->Attach(frameChanged);
  return sw;
}

void TsScrollWnd::Attach(bool frameChanged) {
  InitScrollBars();
  Subclass();
  if (frameChanged) FrameChanged(CtrlHandle);
}

void TsScrollWnd::InitScrollBars() {
  sBarHorz = TsScrollBar{};
  sBarHorz.nBarType = btHorz;
  sBarVert = TsScrollBar{};
  sBarVert.nBarType = btVert;
  ReadScrollInfo(sBarHorz);
  ReadScrollInfo(sBarVert);
  const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  fLeftScrollbar = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  sBarHorz.fScrollFlags = (style & WS_HSCROLL) ? 8 : 0;
  sBarVert.fScrollFlags = (style & WS_VSCROLL) ? 8 : 0;
  bPreventStyleChange = false;
}

void TsScrollWnd::ReadScrollInfo(TsScrollBar& bar) {
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(CtrlHandle, bar.nBarType == btVert ? SB_VERT : SB_HORZ, &si)) si = SCROLLINFO{};
  bar.ScrollInfo = {si.nMin, si.nMax, si.nPage, si.nPos, si.nTrackPos};
}

TsScrollSizes TsScrollWnd::OwnSizes(const TsScrollBar& bar) const {
  if (const auto* d = dynamic_cast<const TsScrollWndData*>(SkinData)) {
    const TsScrollData& s = bar.nBarType == btVert ? d->VertScrollData : d->HorzScrollData;
    return {s.ScrollWidth, s.ButtonsSize};
  }
  return {};
}

TsScrollFrame TsScrollWnd::Frame() const {
  return {WindowRect(CtrlHandle), Edges, fLeftScrollbar, sBarHorz.fScrollVisible, sBarVert.fScrollVisible,
          GetScrollMetric(sBarHorz, mkThickness, OwnSizes(sBarHorz), SkinManager),
          GetScrollMetric(sBarVert, mkThickness, OwnSizes(sBarVert), SkinManager)};
}

TRect TsScrollWnd::BarRect(const TsScrollBar& bar) const {
  return bar.nBarType == btVert ? VertBarRect(Frame()) : HorzBarRect(Frame());
}

TRect TsScrollWnd::CornerRect() const { return ::CornerRect(Frame()); }

TsBarGeometry TsScrollWnd::Geometry(const TsScrollBar& bar) const {
  return BarGeometry(bar, BarRect(bar), OwnSizes(bar), SkinManager);
}

bool TsScrollWnd::IsActive(const TsScrollBar& bar) const {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof(sbi);
  if (GetScrollBarInfo(CtrlHandle, bar.nBarType == btVert ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi)) {
    if (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) return false;
  } else if (!(GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & (bar.nBarType == btVert ? WS_VSCROLL : WS_HSCROLL))) {
    return false;
  }
  // Not every platform reports a bar with nothing to scroll as unavailable: a page that holds
  // the whole range leaves nothing to scroll.
  const TsScrollInfo& i = bar.ScrollInfo;
  if (i.nMax <= i.nMin) return false;
  return !(i.nPage > 0 && std::int64_t(i.nPage) > std::int64_t(i.nMax) - i.nMin);
}

TCacheInfo TsScrollWnd::Background(TPoint& windowPos) const {
  if (TControl* c = OwnerControl()) {
    windowPos = {c->Left(), c->Top()};
    return GetControlBackground(*SkinData);
  }
  HWND parent = GetParent(CtrlHandle);
  RECT r = ToRECT(WindowRect(CtrlHandle));
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  windowPos = {r.left, r.top};
  if (!parent) return TCacheInfo{nullptr, 0, 0, SkinData->BackgroundColor(0), TRect{}, false};
  TsBackgroundQuery q;
  QueryParentWindowBackground(q, parent, false);
  return CacheInfoOf(q);
}

void TsScrollWnd::NCCalcSize(TMessage& m) {
  RECT& r = *reinterpret_cast<RECT*>(m.LParam);
  const TRect proposed = ToTRect(r);
  const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  const LONG_PTR bars = style & (WS_HSCROLL | WS_VSCROLL);
  // Without the bits the default sizing leaves no room for the system's bars; the style changes
  // this causes are our own and are not passed on.
  auto setStyle = [&](LONG_PTR s) {
    bPreventStyleChange = true;
    SetWindowLongPtrW(CtrlHandle, GWL_STYLE, s);
    bPreventStyleChange = false;
  };
  if (bars) setStyle(style & ~bars);
  CallPrevWndProc(m);
  if (!Attached()) return;
  if (bars) setStyle(GetWindowLongPtrW(CtrlHandle, GWL_STYLE) | bars);
  TRect client = ToTRect(r);
  Edges = EdgesBetween(proposed, client);
  ReserveScrollRoom(client, sBarHorz, (style & WS_HSCROLL) != 0,
                    GetScrollMetric(sBarHorz, mkThickness, OwnSizes(sBarHorz), SkinManager), fLeftScrollbar);
  ReserveScrollRoom(client, sBarVert, (style & WS_VSCROLL) != 0,
                    GetScrollMetric(sBarVert, mkThickness, OwnSizes(sBarVert), SkinManager), fLeftScrollbar);
  r = ToRECT(client);
  ScrollsInitialized = true;
}

std::optional<UINT> TsScrollWnd::HitTest(TPoint p) const {
  for (const TsScrollBar* bar : {&sBarHorz, &sBarVert}) {
    if (bar->fScrollVisible && BarRect(*bar).Contains(p))
      return IsActive(*bar) ? (bar->nBarType == btVert ? HTVSCROLL : HTHSCROLL) : HTNOWHERE;
  }
  const TRect corner = CornerRect();
  if (!corner.Contains(p)) return std::nullopt;
  // The square is the top-level parent's size grip when it lies in the parent's very corner.
  HWND parent = GetParent(CtrlHandle);
  if (!parent || (GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD)) return std::nullopt;
  RECT client{};
  GetClientRect(parent, &client);
  MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
  if (corner.Right == client.right && corner.Bottom == client.bottom) return HTBOTTOMRIGHT;
  return std::nullopt;
}

void TsScrollWnd::PaintBar(HDC dc, TsScrollBar& bar, const std::optional<TsThumb>& drag) {
  if (!bar.fScrollVisible) return;
  // A drag paints its own picture; the handler's own sends repaint no vertical bar.
  if (fThumbTracking && !drag) return;
  if (bar.nBarType == btVert && DontRepaint && !drag) return;
  ReadScrollInfo(bar);
  TsScrollBarLook look;
  look.Bar = Geometry(bar);
  look.Active = IsActive(bar) && IsWindowEnabled(CtrlHandle);
  const sbtrack::TsScrollTracking& t = sbtrack::State();
  if (t.Wnd == CtrlHandle) {
    if (t.PressedBar == bar.nBarType) look.PressedPart = t.ShownPart;
    if (t.HoverBar == bar.nBarType) look.HotPart = t.HoverPart;
  }
  look.Drag = drag;
  TPoint pos;
  const TCacheInfo bg = Background(pos);
  const TRect window = WindowRect(CtrlHandle);
  const TRect r = Offset(look.Bar.Rect, -window.Left, -window.Top);
  paintBmp_.SetSize(r.Width(), r.Height());
  if (!PaintScrollBar(SkinManager, look, bg, {pos.X + r.Left, pos.Y + r.Top}, paintBmp_.Pixels())) return;
  GdiFlush();
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), paintBmp_.DC(), 0, 0, SRCCOPY);
}

void TsScrollWnd::PaintCorner(HDC dc) {
  if (!sBarHorz.fScrollVisible || !sBarVert.fScrollVisible) return;
  const TRect window = WindowRect(CtrlHandle);
  const TRect corner = CornerRect();
  const TRect r = Offset(corner, -window.Left, -window.Top);
  TPoint pos;
  const TCacheInfo bg = Background(pos);
  const bool grip = HitTest({corner.Left, corner.Top}) == std::optional<UINT>(HTBOTTOMRIGHT);
  paintBmp_.SetSize(r.Width(), r.Height());
  if (!PaintScrollCorner(SkinManager, r.Width(), r.Height(), grip, bg, {pos.X + r.Left, pos.Y + r.Top}, paintBmp_.Pixels()))
    return;
  GdiFlush();
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), paintBmp_.DC(), 0, 0, SRCCOPY);
}

void TsScrollWnd::PaintBars(HDC dc) {
  PaintBar(dc, sBarHorz);
  PaintBar(dc, sBarVert);
  PaintCorner(dc);
}

void TsScrollWnd::RepaintBars() {
  if (FormAnimationRunning() || !IsWindowVisible(CtrlHandle)) return;
  TWholeWindowDC dc(CtrlHandle);
  if (dc.dc()) PaintBars(dc.dc());
}

void TsScrollWnd::UpdateScrolls(bool repaint) {
  if (!Attached() || !IsWindowVisible(CtrlHandle) || SkinData->FUpdating) return;
  ReadScrollInfo(sBarHorz);
  ReadScrollInfo(sBarVert);
  if (repaint) RepaintBars();
}

void TsScrollWnd::PaintNonClient(TMessage& m) {
  CallPrevWndProc(m);
  if (!Attached() || FormAnimationRunning()) return;
  RepaintBars();
}

void TsScrollWnd::AfterDefault(const TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      UpdateScrolls(true);
      RedrawFrame(CtrlHandle);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (!DontRepaint) UpdateScrolls(true);
      break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case FN_MOUSEWHEEL:
      UpdateScrolls(true);
      break;
    case WM_ENABLE:
      SkinData->BGChanged = true;
      RedrawFrame(CtrlHandle);
      break;
    default:
      break;
  }
}

void TsScrollWnd::SkinCommand(TMessage& m) {
  const std::uint16_t code = SkinCommandCode(m.WParam);
  const bool ours = ForThisManager(*SkinData, m.LParam);
  if (OwnerControl()) {
    // A framework control answers its skin commands itself; the bars follow.
    if (code == SKIN_UNLOADED && ours) RestoreStdParams();
    CallPrevWndProc(m);
    if (!Attached()) return;
    if (code == SKIN_LOADED && ours) {
      InitScrollBars();
      FrameChanged(CtrlHandle);
    } else if (code == SKIN_REFRESH && ours) {
      SkinData->BGChanged = true;
      RedrawFrame(CtrlHandle);
    }
    return;
  }
  // A bare window: the handler is its skinned side. Only our own sends are acted on.
  if (!IsOwnSkinSend(m.WParam, m.LParam)) {
    CallPrevWndProc(m);
    return;
  }
  switch (code) {
    case SKIN_ISSKINNED:
    case SKIN_REPAINTONMOVE:
      m.Result = 1;
      return;
    case SKIN_LOADED:
      if (!ours) break;
      SkinData->UpdateIndexes();
      InitScrollBars();
      FrameChanged(CtrlHandle);
      return;
    case SKIN_UNLOADED:
      if (!ours) break;
      SkinData->UpdateIndexes();
      FrameChanged(CtrlHandle);
      return;
    case SKIN_REFRESH:
      if (!ours) break;
      SkinData->UpdateIndexes();
      SkinData->BGChanged = true;
      RedrawFrame(CtrlHandle);
      return;
    case SKIN_UPDATEDONE:
      if (SkinData->FUpdating) {
        SkinData->FUpdating = false;
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
      }
      return;
    default:
      break;
  }
  if (!CommonWndProc(m, *SkinData)) CallPrevWndProc(m);
}

void TsScrollWnd::sWndProc(TMessage& m) {
  // Never passed on, skinned or not: the platform would redraw the control with its own bars.
  if (m.Msg == WM_UPDATEUISTATE) {
    m.Result = 0;
    return;
  }
  if (m.Msg == WM_DESTROY || m.Msg == WM_NCDESTROY) {
    Release();
    CallPrevWndProc(m);
    return;
  }
  if (m.Msg == SM_SKINCOMMAND) {
    SkinCommand(m);
    return;
  }
  if (!SkinData->Skinned()) {
    CallPrevWndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      NCCalcSize(m);
      return;
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
      if (bPreventStyleChange) {
        m.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT:
      PaintNonClient(m);
      return;
    case WM_NCHITTEST:
      if (const std::optional<UINT> ht = HitTest(message_detail::PointOf(m.LParam))) {
        m.Result = *ht;
        return;
      }
      break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
        m.Result = 0;
        return;
      }
      break;
    case WM_SYSCOMMAND:
      // The system's own scroll tracking would run its modal loop over our bars.
      if ((m.WParam & 0xFFF0) == SC_VSCROLL || (m.WParam & 0xFFF0) == SC_HSCROLL) {
        m.Result = 0;
        return;
      }
      break;
    default:
      if (HandleMouse(m)) return;
      break;
  }
  CallPrevWndProc(m);
  if (Attached()) AfterDefault(m);
}

// ---- TsBaseWnd ----------------------------------------------------------------------------------

int TsBaseWnd::PaintState() const { return (GetFocus() == CtrlHandle || SkinData->FMouseAbove) ? 1 : 0; }

bool TsBaseWnd::PrepareCache() {
  const TRect window = WindowRect(CtrlHandle);
  const int w = window.Width(), h = window.Height();
  TPoint pos;
  std::optional<TCacheInfo> ready;
  if (OwnerControl()) {
    pos = {OwnerControl()->Left(), OwnerControl()->Top()};
    ready = ReadyControlBackground(*SkinData);
  } else {
    ready = Background(pos);
  }
  if (!ready || w <= 0 || h <= 0) return false;
  TBitmap& cache = SkinData->EnsureCache();
  if (cache.Width() != w || cache.Height() != h) cache.SetSize(w, h);
  GdiFlush();
  PaintSkinItem(*SkinData, *ready, true, cache.Pixels(), pos, Rect(0, 0, w, h), PaintState());
  if (!IsWindowEnabled(CtrlHandle)) ApplyDisabledLook(cache.Pixels(), DisabledKind, SkinData->ParentColor(clBtnFace), pos, *ready);
  SkinData->BGChanged = false;
  return true;
}

void TsBaseWnd::PaintFrameRing(HDC dc) {
  const TBitmap* cache = SkinData->CacheBmp();
  if (!cache) return;
  CopyBorderBands(dc, cache->DC(), cache->Width(), cache->Height(), Edges.cyTopEdge);
}

// ---- TsEditWnd ----------------------------------------------------------------------------------

TsEditWnd::TsEditWnd(HWND wnd, TsCommonData* data, TsSkinManager* manager, const std::wstring& section)
    : TsBaseWnd(wnd, data, manager, section.empty() ? L"EDIT" : section, kOwnEditKind) {}

std::shared_ptr<TsEditWnd> TsEditWnd::Create(HWND wnd, TsCommonData* data, TsSkinManager* manager,
                                             const std::wstring& section, bool frameChanged) {
  std::shared_ptr<TsEditWnd> sw(new TsEditWnd(wnd, data, manager, section));
  wchar_t cls[16]{};
  GetClassNameW(wnd, cls, 16);
  sw->SingleLineEdit = _wcsicmp(cls, L"EDIT") == 0 && !(GetWindowLongPtrW(wnd, GWL_STYLE) & ES_MULTILINE);
  sw->Attach(frameChanged);
  return sw;
}

void TsEditWnd::PaintNonClient(TMessage& m) {
  if (FormAnimationRunning() || SkinData->FUpdating) {
    if (!IsWindowVisible(CtrlHandle)) CallPrevWndProc(m);
    m.Result = 0;
    return;
  }
  m.Result = 0;
  if (!ScrollsInitialized) {
    // Set first: should the update not reach the sizing, this painting must not ask again.
    ScrollsInitialized = true;
    FrameChanged(CtrlHandle);
  }
  TWholeWindowDC dc(CtrlHandle);
  RECT clip{};
  if (!dc.dc() || GetClipBox(dc.dc(), &clip) == NULLREGION) return;
  const TBitmap* cache = SkinData->CacheBmp();
  const TRect window = WindowRect(CtrlHandle);
  const bool current = !SkinData->BGChanged && cache && cache->Width() == window.Width() && cache->Height() == window.Height();
  if (!current && !PrepareCache()) return;
  PaintBars(dc.dc());
  PaintFrameRing(dc.dc());
}

void TsEditWnd::AfterDefault(const TMessage& m) {
  switch (m.Msg) {
    case WM_SETFONT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SETTEXT:
    case WM_LBUTTONUP:
    case EM_REPLACESEL:
    case EM_SCROLLCARET:
    case EM_LINESCROLL:
    case EM_SCROLL:
    case EM_SETSEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETTOPINDEX:
    case LB_SETCURSEL:
    case LB_SETCOUNT:
      // The control set its scroll state (and the platform may have drawn its own bar).
      UpdateScrolls(true);
      break;
    case WM_LBUTTONDOWN:
      if (!DontRepaint) UpdateScrolls(true);
      break;
    case WM_MOUSEMOVE:
      // A selection dragged past the text scrolls it.
      if (GetCapture() == CtrlHandle) UpdateScrolls(true);
      break;
    default:
      TsBaseWnd::AfterDefault(m);
      break;
  }
}

// ---- Sending and attaching ----------------------------------------------------------------------

void SendScrollMessage(HWND wnd, UINT message, int code, int position) {
  const LPARAM info = MAKELPARAM(WORD(code), WORD(message));
  LPARAM lp = 0;
  if (SendSkinCommand(wnd, SKIN_BEFORESCROLL, info) == 1) {
    lp = position;
  } else if (code == SB_THUMBTRACK) {
    // Controls that ask for the track position read it from their scroll state.
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, position, 0};
    SetScrollInfo(wnd, message == WM_VSCROLL ? SB_VERT : SB_HORZ, &si, FALSE);
  }
  SendMessageW(wnd, message, MAKEWPARAM(WORD(code), WORD(std::clamp(position, 0, 65535))), lp);
  SendSkinCommand(wnd, SKIN_AFTERSCROLL, info);
}

namespace {

template <typename T>
void Refresh(TsCommonData& data, std::shared_ptr<T>& sw, bool checkState) {
  if (!data.Skinned()) {
    FreeScrolls(sw);
    return;
  }
  auto* control = dynamic_cast<TWinControl*>(data.OwnerControl());
  if (!control || !control->HandleAllocated()) return;
  if (checkState && (data.Loading || (control->Destroying() || (control->ComponentState() & csDesigning)))) return;
  if (sw && sw->Destroyed) FreeScrolls(sw);
  if (!sw) sw = T::Create(control->Handle(), &data, data.SkinManager(), L"", true);
}

}  // namespace

void RefreshEditScrolls(TsCommonData& data, std::shared_ptr<TsEditWnd>& sw) { Refresh(data, sw, false); }
void RefreshScrolls(TsCommonData& data, std::shared_ptr<TsScrollWnd>& sw) { Refresh(data, sw, true); }
