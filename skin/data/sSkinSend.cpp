#include "skin/data/sSkinSend.h"

#include <utility>
#include <vector>

#include "framework/OwnSend.h"
#include "framework/WinControl.h"

static_assert(SM_SKINCOMMAND >= FM_PRIVATE_FIRST && SM_SKINCOMMAND <= FM_PRIVATE_LAST,
              "skin commands are private window messages");

namespace {

bool OwnThreadWindow(HWND wnd) { return wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId(); }

// Direct dispatch to a control, the message recorded as our own while it runs.
LRESULT PerformOwn(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam) {
  TOwnSend own(msg, wParam, lParam);
  return control.Perform(msg, wParam, lParam);
}

}  // namespace

bool IsOwnSkinSend(WPARAM wParam, LPARAM lParam) { return IsOwnSend(SM_SKINCOMMAND, wParam, lParam); }

LRESULT SendToOwnWindow(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Windows of other threads are not ours to ask: they could be hung, and they could answer with
  // anything.
  if (!OwnThreadWindow(wnd)) return 0;
  TOwnSend own(msg, wParam, lParam);
  return SendMessageW(wnd, msg, wParam, lParam);
}

LRESULT SendSkinCommand(HWND wnd, std::uint16_t code, LPARAM lParam, std::uint16_t argument) {
  return SendToOwnWindow(wnd, SM_SKINCOMMAND, SkinCommandWParam(code, argument), lParam);
}

LRESULT SendSkinCommand(TControl& control, std::uint16_t code, LPARAM lParam, std::uint16_t argument) {
  auto* win = dynamic_cast<TWinControl*>(&control);
  if (win && win->HandleAllocated()) return SendSkinCommand(win->Handle(), code, lParam, argument);
  return PerformSkinCommand(control, code, lParam, argument);
}

LRESULT PerformSkinCommand(TControl& control, std::uint16_t code, LPARAM lParam, std::uint16_t argument) {
  return PerformOwn(control, SM_SKINCOMMAND, SkinCommandWParam(code, argument), lParam);
}

void BroadcastToControls(TWinControl& parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The list may change while a child handles the message: walk it by index, re-checking the count.
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* child = parent.Controls(i);
    if (child->Destroying()) break;
    auto* win = dynamic_cast<TWinControl*>(child);
    if (!win || !win->HandleAllocated()) {
      PerformOwn(*child, msg, wParam, lParam);
    } else if (SendSkinCommand(win->Handle(), SKIN_ISSKINNED) == 1) {
      SendToOwnWindow(win->Handle(), msg, wParam, lParam);
    } else {
      BroadcastToControls(*win, msg, wParam, lParam);
    }
  }
}

void BroadcastToChildWindows(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Collected first: a child that handles the message may create or destroy windows.
  std::vector<HWND> children;
  for (HWND child = GetWindow(wnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetParent(child) == wnd) children.push_back(child);
  for (HWND child : children)
    if (IsWindow(child)) SendToOwnWindow(child, msg, wParam, lParam);
}
