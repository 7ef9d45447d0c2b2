// The whole window as it shows, frame included, read through its device context.
#pragma once
#include <windows.h>

#include "framework/Graphics.h"

inline TBitmap32 WindowPixels(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  TBitmap copy(r.right - r.left, r.bottom - r.top);
  HDC dc = GetWindowDC(wnd);
  BitBlt(copy.DC(), 0, 0, copy.Width(), copy.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  GdiFlush();
  return copy.Pixels();
}

