// Sending skin commands, and knowing which of them are our own: commands that carry a pointer are
// honoured only while a send of this thread is pending with exactly that wParam and lParam.
#include <algorithm>
#include <utility>
#include <vector>

#include "framework/WinControl.h"
#include "skin/paint/sCommonData.h"

namespace {

// The sends of this thread now under way. A message that another process (or thread) sends or
// posts to our windows never appears here, whatever it claims in lParam.
thread_local std::vector<std::pair<WPARAM, LPARAM>> tPending;

class TPendingSend {
 public:
  TPendingSend(WPARAM wParam, LPARAM lParam) { tPending.emplace_back(wParam, lParam); }
  ~TPendingSend() { tPending.pop_back(); }
  TPendingSend(const TPendingSend&) = delete;
  TPendingSend& operator=(const TPendingSend&) = delete;
};

bool OwnThreadWindow(HWND wnd) { return wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId(); }

// Direct dispatch to a control, a skin command recorded as our own while it runs.
LRESULT PerformOwn(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != SM_SKINCOMMAND) return control.Perform(msg, wParam, lParam);
  TPendingSend pending(wParam, lParam);
  return control.Perform(msg, wParam, lParam);
}

}  // namespace

bool SkinCommandCarriesPointer(std::uint16_t code) {
  switch (code) {
    case SKIN_GETPROVIDER:
    case SKIN_SECTIONUPDATED:
    case SKIN_SETSECTION:
    case SKIN_FADEFRAME:
    case SKIN_CONTROLCREATED:
    case SKIN_GETSECTIONINFO:
    case SKIN_QUERYBACKGROUND:
    case SKIN_GETCOMMONDATA:
    case SKIN_GETAPPLICATION:
    case SKIN_GETBOUNDS:
      return true;
    default:
      return false;
  }
}

bool IsOwnSkinSend(WPARAM wParam, LPARAM lParam) {
  return std::find(tPending.begin(), tPending.end(), std::pair{wParam, lParam}) != tPending.end();
}

LRESULT SendToOwnWindow(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Windows of other threads are not ours to ask: they could be hung, and they could answer with
  // anything.
  if (!OwnThreadWindow(wnd)) return 0;
  if (msg != SM_SKINCOMMAND) return SendMessageW(wnd, msg, wParam, lParam);
  TPendingSend pending(wParam, lParam);
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
