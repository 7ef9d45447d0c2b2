#include "skin/base/sLayered.h"

#include <utility>

namespace {

using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

struct TLayeredFunctions {
  TUpdateLayeredWindow Update = nullptr;
  TSetLayeredWindowAttributes SetAttributes = nullptr;
};

// Looked up once: user32 stays loaded for the life of a GUI process.
const TLayeredFunctions& System() {
  static const TLayeredFunctions f = [] {
    TLayeredFunctions r;
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
      r.Update = reinterpret_cast<TUpdateLayeredWindow>(
          reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
      r.SetAttributes = reinterpret_cast<TSetLayeredWindowAttributes>(
          reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    }
    return r;
  }();
  return f;
}

// The replacement tests put in place; touched on the user-interface thread only.
TsUpdateLayeredFn& Replacement() {
  static TsUpdateLayeredFn fn;
  return fn;
}

}  // namespace

bool LayeredWindowsAvailable() { return System().Update && System().SetAttributes; }

BOOL UpdateLayered(HWND wnd, HDC screen, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                   BLENDFUNCTION* blend, DWORD flags) {
  if (Replacement()) return Replacement()(wnd, screen, pos, size, src, srcPos, key, blend, flags);
  if (!System().Update) return FALSE;
  return System().Update(wnd, screen, pos, size, src, srcPos, key, blend, flags);
}

TsUpdateLayeredFn SetUpdateLayeredFunction(TsUpdateLayeredFn fn) { return std::exchange(Replacement(), std::move(fn)); }

BOOL SetLayeredAttributes(HWND wnd, COLORREF key, BYTE alpha, DWORD flags) {
  return System().SetAttributes ? System().SetAttributes(wnd, key, alpha, flags) : FALSE;
}
