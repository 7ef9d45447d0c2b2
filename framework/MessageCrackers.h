// Typed message handling: a handler names the message it handles and takes its arguments
// decoded, instead of unpacking WParam and LParam by hand at every use.
//
//   switch (m.Msg) {
//     case WM_SIZE:
//       Crack<WM_SIZE>(m, [&](UINT kind, int width, int height) { ... });
//       return;
//
// Crack<Msg>(m, handler) calls the handler with the arguments of Msg and stores what it returns
// in m.Result: 0 for a handler without a result, 0 or 1 for a Boolean, the handle or pointer
// value otherwise. The framework's own notifications (FN_*) crack the same way.
#pragma once
#include <windows.h>

#include <type_traits>
#include <utility>

#include "framework/Messages.h"
#include "framework/Types.h"

class TControl;

namespace message_detail {

template <typename R>
LRESULT ToResult(R value) {
  if constexpr (std::is_pointer_v<R>) return reinterpret_cast<LRESULT>(value);
  else return LRESULT(value);
}

// Calls f(args...) and turns its result into the message's result.
template <typename F, typename... A>
LRESULT Invoke(F&& f, A&&... args) {
  using R = std::invoke_result_t<F, A...>;
  if constexpr (std::is_void_v<R>) {
    f(std::forward<A>(args)...);
    return 0;
  } else {
    return ToResult(f(std::forward<A>(args)...));
  }
}

// Signed halves: a position left of or above a window (a second monitor) is negative. (Not
// windowsx.h: its macros would clash with names of the framework's own.)
inline TPoint PointOf(LPARAM lp) { return {int(short(LOWORD(lp))), int(short(HIWORD(lp)))}; }

template <typename T>
T& Ref(LPARAM lp) {
  return *reinterpret_cast<T*>(lp);
}

}  // namespace message_detail

// The arguments of each message: TMessageArgs<Msg>::Call(m, f) decodes them and calls f.
template <UINT Msg>
struct TMessageArgs;

#define PT_MESSAGE_ARGS(MSG, ...)                                        \
  template <>                                                            \
  struct TMessageArgs<MSG> {                                             \
    template <typename F>                                                \
    static LRESULT Call(const TMessage& m, F&& f) {                      \
      using namespace message_detail;                                    \
      [[maybe_unused]] const WPARAM wp = m.WParam;                       \
      [[maybe_unused]] const LPARAM lp = m.LParam;                       \
      return Invoke(std::forward<F>(f), __VA_ARGS__);                    \
    }                                                                    \
  };

// Mouse: the position in client coordinates (signed, as on a second monitor) and the MK_* keys.
PT_MESSAGE_ARGS(WM_MOUSEMOVE, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_LBUTTONDOWN, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_LBUTTONUP, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_LBUTTONDBLCLK, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_RBUTTONDOWN, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_RBUTTONUP, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_RBUTTONDBLCLK, PointOf(lp), UINT(wp))
// The wheel: the position in screen coordinates, the signed delta and the MK_* keys.
PT_MESSAGE_ARGS(WM_MOUSEWHEEL, PointOf(lp), int(GET_WHEEL_DELTA_WPARAM(wp)), UINT(GET_KEYSTATE_WPARAM(wp)))
PT_MESSAGE_ARGS(FN_MOUSEWHEEL, PointOf(lp), int(GET_WHEEL_DELTA_WPARAM(wp)), UINT(GET_KEYSTATE_WPARAM(wp)))
PT_MESSAGE_ARGS(WM_NCHITTEST, PointOf(lp))
// Non-client mouse: the position in screen coordinates (signed) and the hit-test code (HT*).
PT_MESSAGE_ARGS(WM_NCMOUSEMOVE, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_NCLBUTTONDOWN, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_NCLBUTTONDBLCLK, PointOf(lp), UINT(wp))
PT_MESSAGE_ARGS(WM_NCLBUTTONUP, PointOf(lp), UINT(wp))
// The window that takes the mouse capture from this one (null when nobody does).
PT_MESSAGE_ARGS(WM_CAPTURECHANGED, reinterpret_cast<HWND>(lp))
// The cursor: the window under it, the hit-test code and the mouse message that caused it.
PT_MESSAGE_ARGS(WM_SETCURSOR, reinterpret_cast<HWND>(wp), UINT(LOWORD(lp)), UINT(HIWORD(lp)))

// Painting: WM_PAINT's device context is null unless a caller asks for a painting into its own.
PT_MESSAGE_ARGS(WM_PAINT, reinterpret_cast<HDC>(wp))
PT_MESSAGE_ARGS(WM_PRINTCLIENT, reinterpret_cast<HDC>(wp), UINT(lp))
PT_MESSAGE_ARGS(WM_ERASEBKGND, reinterpret_cast<HDC>(wp))
// The frame: the region to repaint (1 = the whole window)...
PT_MESSAGE_ARGS(WM_NCPAINT, reinterpret_cast<HRGN>(wp))
// ...and the client area: the window rectangle to turn into the client rectangle, in the parent's
// coordinates, always first in lParam; the full record (the valid-area rectangles) only when
// wParam asks for them, null otherwise. The result is 0 or the WVR_* flags.
PT_MESSAGE_ARGS(WM_NCCALCSIZE, Ref<RECT>(lp),
                wp ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lp) : static_cast<NCCALCSIZE_PARAMS*>(nullptr))

// Placement and visibility.
PT_MESSAGE_ARGS(WM_SIZE, UINT(wp), int(LOWORD(lp)), int(HIWORD(lp)))
PT_MESSAGE_ARGS(WM_MOVE, PointOf(lp))
PT_MESSAGE_ARGS(WM_WINDOWPOSCHANGING, Ref<WINDOWPOS>(lp))
PT_MESSAGE_ARGS(WM_WINDOWPOSCHANGED, Ref<WINDOWPOS>(lp))
PT_MESSAGE_ARGS(WM_SHOWWINDOW, wp != 0, UINT(lp))
PT_MESSAGE_ARGS(WM_ENABLE, wp != 0)

// Focus: the window that loses (WM_SETFOCUS) or gains (WM_KILLFOCUS) it, when known.
PT_MESSAGE_ARGS(WM_SETFOCUS, reinterpret_cast<HWND>(wp))
PT_MESSAGE_ARGS(WM_KILLFOCUS, reinterpret_cast<HWND>(wp))

// Keyboard: the virtual key and the repeat and scan-code flags; a character.
PT_MESSAGE_ARGS(WM_KEYDOWN, UINT(wp), UINT(lp))
PT_MESSAGE_ARGS(WM_KEYUP, UINT(wp), UINT(lp))
PT_MESSAGE_ARGS(WM_CHAR, wchar_t(wp), UINT(lp))

PT_MESSAGE_ARGS(WM_TIMER, UINT_PTR(wp))

// Notices from child windows: command (id, notification code, the child), the others' records.
PT_MESSAGE_ARGS(WM_COMMAND, UINT(LOWORD(wp)), UINT(HIWORD(wp)), reinterpret_cast<HWND>(lp))
PT_MESSAGE_ARGS(FN_COMMAND, UINT(LOWORD(wp)), UINT(HIWORD(wp)), reinterpret_cast<HWND>(lp))
PT_MESSAGE_ARGS(WM_NOTIFY, Ref<NMHDR>(lp))
PT_MESSAGE_ARGS(FN_NOTIFY, Ref<NMHDR>(lp))
PT_MESSAGE_ARGS(WM_DRAWITEM, Ref<DRAWITEMSTRUCT>(lp))
PT_MESSAGE_ARGS(FN_DRAWITEM, Ref<DRAWITEMSTRUCT>(lp))
PT_MESSAGE_ARGS(WM_MEASUREITEM, Ref<MEASUREITEMSTRUCT>(lp))
PT_MESSAGE_ARGS(FN_MEASUREITEM, Ref<MEASUREITEMSTRUCT>(lp))
// A child's colours: its device context and its window; the result is the background brush.
PT_MESSAGE_ARGS(FN_CTLCOLOR, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp))

// The framework's notifications that carry arguments.
PT_MESSAGE_ARGS(FN_VISIBLECHANGED, wp != 0)
PT_MESSAGE_ARGS(FN_SHOWINGCHANGED, wp != 0)
PT_MESSAGE_ARGS(FN_CONTROLLISTCHANGE, wp != 0, reinterpret_cast<TControl*>(lp))
PT_MESSAGE_ARGS(FN_BUTTONPRESSED, int(wp), reinterpret_cast<TControl*>(lp))
PT_MESSAGE_ARGS(FN_CANCELMODE, reinterpret_cast<TControl*>(lp))

#undef PT_MESSAGE_ARGS

// Calls handler with the decoded arguments of m (which must be a Msg message) and stores its
// result in m.Result.
template <UINT Msg, typename F>
void Crack(TMessage& m, F&& handler) {
  m.Result = TMessageArgs<Msg>::Call(m, std::forward<F>(handler));
}
