// Where a control's window regions come from and where they go. The platform's region calls by
// default; a control made with another host (a test counting them) sends every region it makes
// through that host, from its creation to its deletion or to the window taking it over.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

class TsRegionHost {
 public:
  virtual ~TsRegionHost() = default;
  // A new rectangular region (0, 0, width, height); null when the platform has none to give.
  virtual HRGN NewRectRegion(int width, int height);
  virtual void DeleteRegion(HRGN region);
  // Gives the region to the window (SetWindowRgn); true when the window took it over.
  virtual bool GiveToWindow(HWND wnd, HRGN region, bool redraw);
};

// The platform's own regions.
TsRegionHost& PlatformRegions();

// A region of a host, owned until it is deleted through the host or released to a window.
struct TsRegionDeleter {
  TsRegionHost* Host;
  void operator()(HRGN region) const { Host->DeleteRegion(region); }
};
using TsHostedRgn = std::unique_ptr<std::remove_pointer_t<HRGN>, TsRegionDeleter>;
