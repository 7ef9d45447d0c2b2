// The glyph of a push button or a speed button drawn into its picture: an image of an image list
// or one frame of a glyph strip, placed at the glyph rectangle with the button's blend, its grey
// colour and an optional reflection under it.
#pragma once
#include "framework/Types.h"
#include "imaging/Bitmap32.h"

class TImageList;

// How a disabled glyph looks (a set).
enum TsDisabledGlyphKind : unsigned { dgBlended = 1, dgGrayed = 2 };

struct TsGlyphRequest {
  TBitmap32* Dst = nullptr;            // where the glyph goes
  const TImageList* Images = nullptr;  // the image list, or none
  int ImageIndex = -1;
  const TBitmap32* Glyph = nullptr;    // the glyph strip (used without a valid image)
  TRect Rect{};                        // the glyph's place in Dst (its width is one frame)
  int NumGlyphs = 1;                   // frames of the strip
  bool Enabled = true;
  int Blend = 0;                       // 0 … 100: how see-through the glyph is at rest
  bool Pressed = false;
  TColor GreyColor = clNone;           // not clNone: drawn grey-scaled (see GlyphIsGrey)
  int State = 0;                       // 0 normal, 1 hot, 2 pressed
  unsigned DisabledKind = dgBlended;   // TsDisabledGlyphKind bits
  bool Reflected = false;
};

// Whether a request draws the glyph grey: at rest when greyed, or disabled with dgGrayed.
bool GlyphIsGrey(bool greyed, int state, bool enabled, unsigned disabledKind);
// The see-through share (0 … 100) the glyph is drawn with: the blend at rest, at least 50 when
// disabled with dgBlended.
int GlyphBlend(const TsGlyphRequest& r);
// The frame of a strip of `frames` for a look: 32-bit glyphs by state (min(state, frames − 1));
// classic strips by use: disabled 1, pressed 2, down 3 when the strip has them, else 0.
int GlyphFrame(const TsGlyphRequest& r, bool alphaGlyph);

// Draws the glyph; nothing without a destination, an image or a glyph, or with an empty rectangle.
void DrawButtonGlyph(const TsGlyphRequest& r);
