// What buttons say about where their glyph goes, apart from the platform: the push button's
// image alignment and margins, the speed button's glyph layout.
#pragma once

enum class TImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };

struct TImageMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TImageMargins&, const TImageMargins&) = default;
};

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
