#include "skin/paint/sGlow.h"

#include <climits>
#include <map>
#include <utility>

#include "framework/Application.h"
#include "skin/base/sLayered.h"
#include "skin/base/sRecolor.h"
#include "skin/data/sHelperWindows.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sGlowPlacement.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sMaskFrame.h"

namespace {

// A glow window never takes the focus or the mouse and stays off the taskbar; it is layered so
// that its picture's alpha shows what lies below.
constexpr DWORD kGlowExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;

// The form of a glow window: an ownerless popup without border, tagged as the engine's own so that
// the window-creation hook and form skinning leave it alone.
class TsGlowForm : public TForm {
 public:
  TsGlowForm() : TForm(nullptr) {
    SetTag(kHelperFormTag);
    SetControlStyle(ControlStyle() & ~csCaptureMouse);
  }

 protected:
  void CreateParams(TCreateParams& p) override {
    TForm::CreateParams(p);
    p.Style = WS_POPUP;
    p.ExStyle = kGlowExStyle;
    p.WndParent = nullptr;
  }
};

// The shown glows by id. Ids only grow, so that an id handed out once never names another glow.
struct TsGlowList {
  std::map<int, std::unique_ptr<TsGlowEffect>> Effects;
  int NextId = 0;
};

// Never destroyed: a glow still shown when the program ends must not be taken down by static
// destruction, after the framework's objects are gone (the windows go with the thread).
TsGlowList& Glows() {
  static auto* list = new TsGlowList;
  return *list;
}

int NewGlowId() {
  TsGlowList& list = Glows();
  const int id = list.NextId;
  // After 2^31 glows the count starts again; by then no control holds an id from its first round.
  list.NextId = list.NextId == INT_MAX ? 0 : list.NextId + 1;
  return id;
}

// Where the glow window goes in the z-order: topmost above a topmost reference, otherwise right
// above the reference. With nothing above the reference the window goes to the top: inserting it
// after the reference itself would put it below the form it glows on.
HWND InsertAfter(HWND glow, HWND reference, UINT& flags) {
  if (!reference || !IsWindow(reference)) {
    flags |= SWP_NOZORDER;
    return nullptr;
  }
  if (GetWindowLongW(reference, GWL_EXSTYLE) & WS_EX_TOPMOST) return HWND_TOPMOST;
  HWND above = GetWindow(reference, GW_HWNDPREV);
  if (above == glow) {  // already right above it
    flags |= SWP_NOZORDER;
    return nullptr;
  }
  return above ? above : HWND_TOP;
}

bool ApplicationEnding() { return Application && Application->Terminated(); }

// The clip box of a window's whole area (its window device context), in window coordinates.
bool WindowClipBox(HWND wnd, TRect& box) {
  HDC dc = GetWindowDC(wnd);
  if (!dc) return false;
  RECT r{};
  const int kind = GetClipBox(dc, &r);
  ReleaseDC(wnd, dc);
  if (kind == ERROR) return false;
  box = {r.left, r.top, r.right, r.bottom};
  return true;
}

bool WindowBounds(HWND wnd, TRect& bounds) {
  RECT r{};
  if (!GetWindowRect(wnd, &r)) return false;
  bounds = {r.left, r.top, r.right, r.bottom};
  return true;
}

// The top-level window a control's glow is ordered against: the root of the control's form (the
// outer form when the form is embedded in another control); null without a form or window.
HWND ReferenceWindow(TControl& control) {
  TWinControl* form = control.Parent();
  while (form && !dynamic_cast<TForm*>(form)) form = form->Parent();
  if (!form || !form->HandleAllocated()) return nullptr;
  return GetAncestor(form->Handle(), GA_ROOT);
}

// The rectangle and visible part of a control without a window: its place on the screen, and
// what its parent's clip box leaves of it.
bool GraphicControlRects(TControl& c, TRect& r, TRect& real) {
  TWinControl* parent = c.Parent();
  if (!parent || !parent->HandleAllocated()) return false;
  const TPoint origin = c.ClientToScreen({0, 0});
  r = Bounds(origin.X, origin.Y, c.Width(), c.Height());
  HDC dc = GetDC(parent->Handle());
  if (!dc) return false;
  RECT clip{};
  const int kind = GetClipBox(dc, &clip);
  ReleaseDC(parent->Handle(), dc);
  if (kind == ERROR) return false;
  real.Left = c.Left() < 0 ? -c.Left() : 0;
  real.Top = c.Top() < 0 ? -c.Top() : 0;
  real.Right = clip.right < c.Left() + c.Width() ? clip.right - c.Left() : c.Width();
  real.Bottom = clip.bottom < c.Top() + c.Height() ? clip.bottom - c.Top() : c.Height();
  return true;
}

}  // namespace

// ---- The glow effect ------------------------------------------------------------------------

TsGlowEffect::~TsGlowEffect() { HideWindow(false); }

void TsGlowEffect::CreateAlphaBmp(int width, int height) {
  AlphaBmp = std::make_unique<TBitmap>(width, height);  // a new DIB section's bytes are all 0
  if (!SkinManager || !SkinManager->IsValidImgIndex(MaskIndex)) return;
  TBitmap32& pixels = AlphaBmp->Pixels();
  PaintMaskFrame(pixels, Rect(0, 0, width, height), EmptyCacheInfo(), false, 0,
                 SkinManager->ma()[std::size_t(MaskIndex)]);
  if (!SkinData) return;
  RecolorPixels(pixels, OwnRecolor(*SkinData));
  RefreshCorners(*SkinData, 0, crAllCorners);
}

bool TsGlowEffect::Show(const TRect& R, const TRect& RealRect, int /*alpha*/, HWND wndHandle) {
  if (Wnd) return true;
  if (!SkinManager) return false;
  const TsGlowBands bands{SkinManager->MaskWidthLeft(MaskIndex), SkinManager->MaskWidthTop(MaskIndex),
                          SkinManager->MaskWidthRight(MaskIndex), SkinManager->MaskWidthBottom(MaskIndex)};
  const TsGlowPlacement place = PlaceGlow(R, RealRect, bands, Margin);
  if (!place.Visible()) return false;
  CreateAlphaBmp(place.FullWidth, place.FullHeight);

  Wnd = std::make_unique<TsGlowForm>();
  OldWndProc = std::make_unique<TWindowProcHook>(
      *Wnd, [this](TMessage& m, const TWndMethod& previous) { NewWndProc(m, previous); });
  Wnd->SetBounds(place.Pos.X, place.Pos.Y, place.Width, place.Height);
  HWND wnd = Wnd->Handle();
  UINT flags = SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOSIZE;
  HWND after = InsertAfter(wnd, wndHandle, flags);
  SetWindowPos(wnd, after, place.Pos.X, place.Pos.Y, 0, 0, flags);

  // The layered window keeps its own copy of the picture: ours goes right after. The visible part
  // is read straight from its place in the whole picture.
  SIZE size{place.Width, place.Height};
  POINT source{place.CutL, place.CutT};
  BLENDFUNCTION blend = PerPixelBlend(255);
  GdiFlush();
  {
    TWindowDC screen(nullptr);
    UpdateLayered(wnd, screen.dc(), nullptr, &size, AlphaBmp->DC(), &source, 0, &blend, ULW_ALPHA);
  }
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  AlphaBmp.reset();
  return true;
}

void TsGlowEffect::NewWndProc(TMessage& m, const TWndMethod& oldWndProc) {
  if (m.Msg == WM_NCHITTEST) {
    m.Result = HTTRANSPARENT;
    return;
  }
  oldWndProc(m);
}

void TsGlowEffect::HideWindow(bool now) {
  if (!Wnd) return;
  OldWndProc.reset();
  TIgnoreWindowDestructions ignoring;
  if (now || (SkinManager && SkinManager->Destroying()) || ApplicationEnding()) {
    Wnd.reset();
    return;
  }
  // Hidden at once, so that the glow goes with the hover even when the message loop is busy.
  if (Wnd->HandleAllocated())
    SetWindowPos(Wnd->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  Wnd.release()->Release();
}

// ---- The glow list --------------------------------------------------------------------------

int ShowGlow(const TRect& R, const TRect& RealRect, const std::wstring& section, const std::wstring& name,
             TsCommonData* data, HWND reference, int opacity, int margin) {
  if (!LayeredWindowsAvailable() || !data) return -1;
  TsSkinManager* manager = data->SkinManager();
  if (!manager) return -1;
  auto effect = std::make_unique<TsGlowEffect>();
  effect->SkinData = data;
  effect->SkinManager = manager;
  const int sectionIndex = manager->GetSkinIndex(section);
  effect->MaskIndex = sectionIndex >= 0 ? manager->GetMaskIndex(sectionIndex, section, name + L"0")
                                        : manager->GetMaskIndex(section, name + L"0");
  if (effect->MaskIndex < 0) return -1;
  effect->Margin = margin;
  if (!effect->Show(R, RealRect, opacity, reference)) return -1;
  const int id = NewGlowId();
  Glows().Effects.emplace(id, std::move(effect));
  return id;
}

void HideGlow(int& slot) {
  // An id no longer in the list (hidden before, or emptied by HideAllGlows) only clears the slot.
  const int id = std::exchange(slot, -1);
  auto& effects = Glows().Effects;
  auto it = effects.find(id);
  if (it == effects.end()) return;
  // Out of the list before its window goes: whatever that destruction sets off finds it gone.
  std::unique_ptr<TsGlowEffect> effect = std::move(it->second);
  effects.erase(it);
  effect->HideWindow(false);
}

void HideAllGlows(bool freeWindows) {
  auto effects = std::exchange(Glows().Effects, {});
  for (auto& [id, effect] : effects)
    if (freeWindows) effect->HideWindow(true);
  // The rest are released by the effects' destructors.
}

// ---- Controls -------------------------------------------------------------------------------

void UpdateControlGlow(TsCommonData& data, bool hideOnPress, HWND window) {
  TsSkinManager* m = data.SkinManager();
  if (!m || !m->Effects().AllowGlowing || !m->IsValidSkinIndex(data.SkinIndex) || m->Options().NoMouseHover) return;
  const TsGeneralData& section = m->gd()[std::size_t(data.SkinIndex)];
  if (section.GlowCount < 1) return;
  TRect r, real;
  HWND reference = nullptr;
  if (TControl* owner = data.OwnerControl()) {
    if (!data.FMouseAbove || (owner->ControlState() & csLButtonDown) || (hideOnPress && data.GlowID != -1)) {
      HideGlow(data.GlowID);
      return;
    }
    reference = ReferenceWindow(*owner);
    if (!reference || data.GlowID != -1) return;
    if (auto* win = dynamic_cast<TWinControl*>(owner)) {
      if (!win->HandleAllocated() || !WindowBounds(win->Handle(), r) || !WindowClipBox(win->Handle(), real)) return;
    } else if (!GraphicControlRects(*owner, r, real)) {
      return;
    }
  } else if (window) {
    // One glow per window too: a second call while it shows would leave the first one orphaned.
    if (data.GlowID != -1) return;
    if (!WindowBounds(window, r) || !WindowClipBox(window, real)) return;
    reference = window;
    while (HWND parent = GetParent(reference)) reference = parent;
  } else {
    return;
  }
  data.GlowID = ShowGlow(r, real, data.SkinSection(), L"GLOW", &data, reference, 255, section.GlowMargin);
}
