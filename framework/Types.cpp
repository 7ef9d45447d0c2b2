#include "framework/Types.h"

namespace {
// The classic Windows palette, used when no platform provider is installed.
TColor ClassicSysColor(int index) {
  switch (index) {
    case 5: return clWhite;                    // window
    case 8: return clBlack;                    // window text
    case 15: return RGBColor(240, 240, 240);   // button face
    case 16: return RGBColor(160, 160, 160);   // button shadow
    case 18: return clBlack;                   // button text
    case 20: return clWhite;                   // button highlight
    default: return RGBColor(128, 128, 128);
  }
}

TSysColorProvider sysColorProvider = ClassicSysColor;
}  // namespace

void SetSysColorProvider(TSysColorProvider provider) { sysColorProvider = provider ? provider : ClassicSysColor; }

TColor ColorToRGB(TColor c) { return IsSystemColor(c) ? sysColorProvider(int(c & 0xFF)) & 0xFFFFFF : c; }
