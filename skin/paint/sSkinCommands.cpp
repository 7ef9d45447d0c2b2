// The common handling of skinned controls: the skin commands every control answers alike, and
// what ordinary messages (moves, focus, hover, enabling) do to the skin state.
#include "skin/paint/sSkinCommands.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/MessageCrackers.h"
#include "framework/WinControl.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sGlow.h"

namespace {

bool IsEditKind(int coc) { return DefaultSectionFor(coc, nullptr) == L"EDIT"; }

// Command 21: the colour seen at the control. Each call keeps its own parent colour, so that
// nested semi-transparent controls asking their parents in turn never overwrite each other's.
TColor ColourSeenAt(TsCommonData& d) {
  TControl* owner = d.OwnerControl();
  if (!d.Skinned()) return owner ? ColorToRGB(owner->Color()) : ColorToRGB(clBtnFace);
  const TsGenState& s = d.SkinManager()->gd()[std::size_t(d.SkinIndex)].Props[0];
  const int t = std::clamp(s.Transparency, 0, 100);
  if (t == 0) return s.Color;
  const TColor parentColour = d.ParentColor(owner ? ColorToRGB(owner->Color()) : ColorToRGB(clBtnFace));
  if (t == 100) return parentColour;
  TColor result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int own = int((s.Color >> shift) & 0xFF), parent = int((parentColour >> shift) & 0xFF);
    const int channel = own + ((t * (parent - own)) >> 8);
    result |= TColor(std::clamp(channel, 0, 255)) << shift;
  }
  return result;
}

// Kinds whose glow follows the hover here: containers never glow, and push and speed buttons
// update theirs with their fades (so that a press hides it).
bool GlowsOnHover(int coc) {
  const bool pushOrSpeedButton = coc >= 92 && coc <= 95;
  return !IsContainerKind(coc) && !pushOrSpeedButton;
}

bool MouseHoverAllowed(const TsCommonData& d) {
  TsSkinManager* m = d.SkinManager();
  return m && !m->Options().NoMouseHover;
}

void HandleMouseEnter(TsCommonData& d) {
  TControl* owner = d.OwnerControl();
  if (!owner || !d.Skinned() || !MouseHoverAllowed(d) || d.FullyTransparent()) return;
  TsSkinManager* m = d.SkinManager();
  auto* win = dynamic_cast<TWinControl*>(owner);
  if (!win || !win->HandleAllocated() || !DefaultManager()) {
    if (!IsNeverHotKind(d.COC)) d.FMouseAbove = true;
    return;
  }
  if (!IsNeverHotKind(d.COC)) d.FMouseAbove = true;
  MakeActiveControl(*m, win->Handle());
  if (GlowsOnHover(d.COC)) UpdateControlGlow(d, false, nullptr);
  d.SyncHotColors(true);
}

void HandleMouseLeave(TsCommonData& d) {
  TControl* owner = d.OwnerControl();
  if (!owner || !d.Skinned() || !MouseHoverAllowed(d) || d.FullyTransparent()) return;
  if (!IsNeverHotKind(d.COC)) d.FMouseAbove = false;
  if (GlowsOnHover(d.COC) && d.GlowID != -1) HideGlow(d.GlowID);
  if (owner->Visible() && IsColorFollowingKind(d.COC)) {
    d.BGChanged = true;
    if (!IsControlHot(d)) d.SyncHotColors(false);
  }
}

void HandleMove(TsCommonData& d) {
  if (!d.Skinned()) return;
  if (d.RepaintIfMoved()) {
    d.BGChanged = true;
    if (TControl* owner = d.OwnerControl()) owner->Perform(SM_SKINCOMMAND, SkinCommandWParam(SKIN_PARENTMOVED, 1), 0);
  }
}

void HandleSize(TsCommonData& d) {
  if (!d.Skinned()) return;
  d.BGChanged = true;
  const TsGenState& s = d.SkinManager()->gd()[std::size_t(d.SkinIndex)].Props[0];
  if (s.GradientPercent > 0)
    if (auto* win = dynamic_cast<TWinControl*>(d.OwnerControl()))
      BroadcastToControls(*win, SM_SKINCOMMAND, SkinCommandWParam(SKIN_PARENTMOVED, 1), 0);
}

// The skin commands; returns whether the command was handled (the result in m).
bool HandleSkinCommand(TMessage& m, TsCommonData& d) {
  const std::uint16_t code = SkinCommandCode(m.WParam), argument = SkinCommandArgument(m.WParam);
  m.Result = 0;
  TControl* owner = d.OwnerControl();
  auto* win = dynamic_cast<TWinControl*>(owner);
  switch (code) {
    case SKIN_LOADED:
      if (!ForThisManager(d, m.LParam)) return true;
      d.Loaded();
      d.EmptyCache();
      d.UpdateTransparency();
      return true;
    case SKIN_UNLOADED: {
      // Our manager is compared before it is asked anything: lParam may name no manager at all.
      if (!ForThisManager(d, m.LParam)) return true;
      if (d.SkinManager() && d.SkinManager()->Destroying()) d.SetSkinManager(nullptr);
      d.SkinIndex = d.BorderIndex = d.Texture = d.HotTexture = -1;
      d.FUpdating = true;
      d.EmptyCache();
      if (owner && IsEditKind(d.COC)) {
        if (!d.CustomColor()) owner->SetColor(clWindow);
        if (!d.CustomFont()) owner->Font().SetColor(clWindowText);
        if (HWND wnd = d.OwnerWindow()) SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return true;
    }
    case SKIN_REFRESH:
      if (!ForThisManager(d, m.LParam)) return true;
      d.BGChanged = true;
      d.FUpdating = false;
      d.SyncColors(true);
      d.UpdateTransparency();
      d.Invalidate();
      return true;
    case SKIN_UPDATEDONE:
      if (d.FUpdating && d.FUpdateCount == 0) {
        d.FUpdating = false;
        d.Invalidate();
      }
      if (win) BroadcastToControls(*win, SM_SKINCOMMAND, m.WParam, 0);
      return true;
    case SKIN_ISSKINNED:
      m.Result = 1;
      return true;
    case SKIN_SETUPDATING:
      d.FUpdating = argument == 1;
      return true;
    case SKIN_ISPENDING:
      if (d.FUpdating) m.Result = 1;
      else if (!LendsCache(d) || d.CustomColor()) m.Result = 0;
      else if (win && d.CacheBmp() && d.CacheBmp()->Width() != 0)
        m.Result = d.CacheBmp()->Width() != win->Width() || d.CacheBmp()->Height() != win->Height();
      else if (win) {
        if (owner) SendSkinCommand(*owner, SKIN_PREPARECACHE);
        m.Result = !d.CacheBmp() || d.CacheBmp()->Width() == 0;
      }
      return true;
    case SKIN_ISHALFVISIBLE:
      m.Result = d.HalfVisible;
      return true;
    case SKIN_SECTIONUPDATED:
      if (m.LParam && d.SkinSection() == reinterpret_cast<const wchar_t*>(m.LParam)) d.Invalidate();
      return true;
    case SKIN_SETSECTION:
      if (!m.LParam) return true;
      d.SetSkinSection(reinterpret_cast<const wchar_t*>(m.LParam));
      m.Result = 1;
      return true;
    case SKIN_BGCHANGED:
      d.BGChanged = true;
      return true;
    case SKIN_INVALIDATE:
      d.Invalidate(false);
      return true;
    case SKIN_REPAINTONMOVE:
      m.Result = 1;
      return true;
    case SKIN_PARENTMOVED: {
      const bool repaint = d.RepaintIfMoved();
      d.BGChanged = d.BGChanged || repaint;
      if (win && win->HandleAllocated() && argument == 1)
        RedrawWindow(win->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
      if (repaint && win) BroadcastToControls(*win, SM_SKINCOMMAND, m.WParam, m.LParam);
      return true;
    }
    case SKIN_GETBGCOLOR:
      m.Result = LRESULT(ColourSeenAt(d));
      return true;
    case SKIN_SETHALFVISIBLE:
      d.HalfVisible = true;
      return true;
    case SKIN_PREPARECACHE:
      d.BGChanged = false;
      return true;
    case SKIN_GETSECTIONINFO:
      reinterpret_cast<TsSectionInfo*>(m.LParam)->SkinIndex = d.SkinIndex;
      return true;
    case SKIN_FREECACHE:
      if (HWND wnd = d.OwnerWindow()) BroadcastToChildWindows(wnd, SM_SKINCOMMAND, m.WParam, 0);
      d.EmptyCache();
      return true;
    case SKIN_QUERYBACKGROUND:
      AnswerBackgroundQuery(d, *reinterpret_cast<TsBackgroundQuery*>(m.LParam));
      return true;
    case SKIN_SKINSTATE:
      if (m.LParam == 1) {
        d.UpdateTransparency();
        if (win) BroadcastToControls(*win, SM_SKINCOMMAND, m.WParam, 1);
      } else {
        if (d.CtrlSkinState & ssUndetermined) d.UpdateTransparency();
        m.Result = d.CtrlSkinState;
      }
      return true;
    case SKIN_GETCOMMONDATA:
      m.Result = reinterpret_cast<LRESULT>(&d);
      return true;
    case SKIN_PRINT:
      d.PrintDC = reinterpret_cast<HDC>(m.LParam);
      if (d.PrintDC) d.CtrlSkinState |= ssPrinting;
      else d.CtrlSkinState &= std::uint16_t(~ssPrinting);
      return true;
    case SKIN_PAINTOUTER:
    case SKIN_BEFORESCROLL:
      return true;
    case SKIN_FRAMECHANGED:
      if (HWND wnd = d.OwnerWindow())
        SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (win) BroadcastToControls(*win, SM_SKINCOMMAND, m.WParam, m.LParam);
      return true;
    case SKIN_GETAPPLICATION:
      m.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    case SKIN_GETBOUNDS: {
      auto* r = reinterpret_cast<RECT*>(m.LParam);
      *r = owner ? RECT{owner->Left(), owner->Top(), owner->Left() + owner->Width(), owner->Top() + owner->Height()} : RECT{};
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

bool ForThisManager(const TsCommonData& d, LPARAM lParam) {
  return reinterpret_cast<TsSkinManager*>(lParam) == d.SkinManager();
}

void MakeActiveControl(TsSkinManager& m, HWND wnd) {
  if (m.ActiveControl() == wnd) return;
  HWND old = static_cast<HWND>(m.SetActiveControl(wnd));
  if (old && IsWindow(old)) SendSkinCommand(old, SKIN_DEACTIVATED);
  if (wnd) SendSkinCommand(wnd, SKIN_ACTIVATED);
}

bool IsControlHot(const TsCommonData& d) {
  TControl* owner = d.OwnerControl();
  if (!owner || owner->Destroying() || !owner->Enabled() || (owner->ComponentState() & csDesigning)) return false;
  if (d.FFocused) return true;
  if (auto* win = dynamic_cast<TWinControl*>(owner); win && win->Focused()) {
    const std::wstring section = DefaultSectionFor(d.COC, nullptr);
    return section != L"PANEL" && section != L"PANEL_LOW";  // a focused panel is not hot
  }
  TsSkinManager* m = d.SkinManager();
  return d.FMouseAbove && m && !m->Options().NoMouseHover && !IsNeverHotKind(d.COC);
}

bool CommonWndProc(TMessage& m, TsCommonData& d) {
  TControl* owner = d.OwnerControl();
  switch (m.Msg) {
    case SM_SKINCOMMAND:
      return HandleSkinCommand(m, d);
    case WM_WINDOWPOSCHANGED:
      if (m.LParam) {
        Crack<WM_WINDOWPOSCHANGED>(m, [&](const WINDOWPOS& pos) {
          if (!(pos.flags & SWP_NOMOVE)) HandleMove(d);
          if (!(pos.flags & SWP_NOSIZE)) HandleSize(d);
          // A glow placed around the old rectangle would hang beside the control.
          if (d.GlowID != -1 && (~pos.flags & (SWP_NOMOVE | SWP_NOSIZE))) HideGlow(d.GlowID);
        });
      }
      return false;
    case FN_FOCUSENTER: {
      auto* win = dynamic_cast<TWinControl*>(owner);
      if (win && d.Skinned() && win->CanFocus() && win->TabStop() && !d.FullyTransparent()) {
        d.BGChanged = true;
        d.FFocused = true;
        d.SyncHotColors(true);
      }
      return false;
    }
    case FN_FOCUSEXIT:
      d.BGChanged = true;
      d.FFocused = false;
      if (!IsControlHot(d)) d.SyncHotColors(false);
      return false;
    case FN_ENABLEDCHANGED:
    case FN_FONTCHANGED:
      if (!d.SyncingColors) {
        d.FMouseAbove = false;
        d.FFocused = false;
      }
      if (owner && !owner->Enabled() && d.GlowID != -1) HideGlow(d.GlowID);
      return false;
    case FN_MOUSEENTER:
      if (!owner || !(owner->ComponentState() & csDesigning)) HandleMouseEnter(d);
      return false;
    case FN_MOUSELEAVE:
      if (!owner || !(owner->ComponentState() & csDesigning)) HandleMouseLeave(d);
      return false;
    case WM_UPDATEUISTATE:
      if (d.Skinned()) {
        m.Result = 0;
        return true;
      }
      return false;
    case FN_VISIBLECHANGED:
      if (TsSkinManager* mgr = d.SkinManager(); mgr && mgr->Options().OptimizingPriority == TsOptimizingPriority::opMemory) {
        if (!m.WParam) {
          d.EmptyCache();
          if (auto* win = dynamic_cast<TWinControl*>(owner))
            BroadcastToControls(*win, SM_SKINCOMMAND, SkinCommandWParam(SKIN_FREECACHE), 0);
        } else {
          d.FUpdating = false;
        }
      }
      return false;
    case FN_SHOWINGCHANGED:
      if (m.WParam) d.Loaded();
      return false;
    default:
      return false;
  }
}
