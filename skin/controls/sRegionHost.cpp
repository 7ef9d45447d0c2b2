#include "skin/controls/sRegionHost.h"

HRGN TsRegionHost::NewRectRegion(int width, int height) { return CreateRectRgn(0, 0, width, height); }

void TsRegionHost::DeleteRegion(HRGN region) { DeleteObject(region); }

bool TsRegionHost::GiveToWindow(HWND wnd, HRGN region, bool redraw) {
  return SetWindowRgn(wnd, region, redraw ? TRUE : FALSE) != 0;
}

TsRegionHost& PlatformRegions() {
  static TsRegionHost platform;
  return platform;
}
