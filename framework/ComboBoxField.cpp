// The combo box as one control over the platform's windows it is made of (the box, its edit
// field, its list): the field's messages, the focus and the pointer moving between them, and
// completing typed text.
#include "framework/Edits.h"

#include <commctrl.h>

#include "framework/CallbackGuard.h"
#include "framework/ErrorReport.h"

namespace {
constexpr UINT_PTR kFieldSubclass = 1;
}

void TComboBox::AttachField(HWND field) {
  if (!field || field == field_) return;
  DetachField();
  if (SetWindowSubclass(field, FieldProc, kFieldSubclass, reinterpret_cast<DWORD_PTR>(this))) field_ = field;
}

// Removes only our own procedure: one installed over it since keeps working.
void TComboBox::DetachField() {
  if (!field_) return;
  RemoveWindowSubclass(field_, FieldProc, kFieldSubclass);
  field_ = nullptr;
  fieldTracking_ = false;
}

LRESULT CALLBACK TComboBox::FieldProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* combo = reinterpret_cast<TComboBox*>(self);
  if (msg == WM_NCDESTROY) {
    combo->DetachField();
    return DefSubclassProc(wnd, msg, wParam, lParam);
  }
  TMessage m{msg, wParam, lParam, 0};
  CallbackGuard([&] { combo->EditWndProc(m); }, ReportError);
  return m.Result;
}

void TComboBox::DefaultEditHandler(TMessage& m) {
  m.Result = field_ ? DefSubclassProc(field_, m.Msg, m.WParam, m.LParam) : 0;
}

void TComboBox::EditWndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      // The field covers most of the box: the pointer entering it enters the control.
      if (!fieldTracking_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, field_, 0};
        fieldTracking_ = TrackMouseEvent(&tme) != FALSE;
      }
      if (!(ControlState() & csMouseOver)) Perform(FN_MOUSEENTER);
      break;
    case WM_MOUSELEAVE:
      fieldTracking_ = false;
      if ((ControlState() & csMouseOver) && !PointerStillOver()) Perform(FN_MOUSELEAVE);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      DefaultEditHandler(m);
      FollowFocus();
      return;
    case WM_CHAR:
      // A character typed; Backspace (8) and Ctrl+Backspace (127) take text away and complete
      // nothing, as the keys that move or delete send no character at all.
      if (m.WParam >= 0x20 && m.WParam != 0x7F) {
        if (autoDropDown_ && !DroppedDown()) SetDroppedDown(true);
        DefaultEditHandler(m);
        if (autoComplete_) CompleteTypedText();
        return;
      }
      break;
    case WM_LBUTTONDBLCLK: {
      const auto alive = Liveness();
      DefaultEditHandler(m);
      if (*alive && OnDblClick) OnDblClick(this);
      return;
    }
    default:
      break;
  }
  DefaultEditHandler(m);
}

bool TComboBox::PointerStillOver() const {
  POINT pt;
  return GetCursorPos(&pt) && OwnsWindow(WindowFromPoint(pt));
}

bool TComboBox::Focused() const { return HandleAllocated() && OwnsWindow(GetFocus()); }

// The focus notices the platform gives (the box's own, CBN_SETFOCUS / CBN_KILLFOCUS, the field's)
// come in an order that differs between platforms and styles; each only makes the control look
// where the focus is now. (During a focus change the system already names the new window.)
void TComboBox::FollowFocus() {
  // The windows themselves, not what a derived control adds to the answer.
  const bool inside = TComboBox::Focused();
  if (inside == focusInside_) return;
  focusInside_ = inside;
  Perform(inside ? FN_FOCUSENTER : FN_FOCUSEXIT);
}

// Only a character typed at the end of the text completes it: in the middle it would overwrite
// what follows, and over a selection the user is replacing text.
void TComboBox::CompleteTypedText() {
  const HWND wnd = Wnd();
  if (!wnd || !field_) return;
  DWORD start = 0, end = 0;
  SendMessageW(field_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring typed = GetText();
  if (typed.empty() || start != end || end != typed.size()) return;
  // CB_FINDSTRING: the first item that begins with the text, letter case ignored.
  const LRESULT found = SendMessageW(wnd, CB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(typed.c_str()));
  if (found < 0 || found >= items_.Count() || items_[int(found)].size() <= typed.size()) return;
  SendMessageW(wnd, CB_SETCURSEL, WPARAM(found), 0);
  SendMessageW(wnd, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), 0xFFFF));
  if (OnChange) OnChange(this);
}
