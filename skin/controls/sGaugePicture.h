// The skinned gauge's picture without its text: the gauge section as background, the filled part
// of a bar painted with the progress section (cached between paints), and the light strip laid
// over it. No Windows API: the control draws the text between these steps, the gallery paints
// the same pictures natively and under Wine.
#pragma once
#include <string>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/paint/sSkinItem.h"

// What the picture is made of. The gauge's own section comes as the control's item data.
struct TsGaugeLook {
  TsItemSkinData Gauge;
  bool Bar = true;  // a horizontal or vertical bar (not text, pie or needle)
  bool Vertical = false;
  bool Animated = false;
  std::wstring ProgressSkin;  // section of the filled part; empty = automatic
  int Percent = 0;            // PercentDone
  int AnimPos = 9999;         // the light strip's edge along the bar
};

// The gauge section's ReservedBoolean: the section's background only, the border over the
// content, and no light.
bool GaugePlainBackground(const TsGaugeLook& look);
// The progress section: ProgressSkin when set, else "PROGRESSV" for a vertical bar that is not
// animated, else "PROGRESSH".
std::wstring GaugeProgressSection(const TsGaugeLook& look);

// The background of the whole cache (before the text): the section's background alone when
// plain, else the whole item with its corners. pos is the gauge's place in its parent.
void PaintGaugeBase(const TsGaugeLook& look, const TCacheInfo& bg, TBitmap32& cache, TPoint pos);
// After the content, for a plain background: the section's border frame over the whole cache.
void PaintGaugeBorder(const TsGaugeLook& look, const TCacheInfo& bg, TBitmap32& cache);

// The filled part of a bar and where it goes in the cache.
struct TsGaugeFill {
  TBitmap32 Pixels;  // width × c for a vertical bar, c × height for a horizontal one
  TPoint At;         // its place in the cache
  bool Sectioned = false;  // painted with a section of its own (its text uses that section's colours)
  int Index = -1;          // that section
};
// The filled part over the cache as it is now (background and text drawn): nothing when the
// filled length is 0 or the section is missing. tmp caches the painted part between paints (the
// light is laid over a copy); light is the 300 × cross strip, or null when not animated.
TsGaugeFill PaintGaugeFill(const TsGaugeLook& look, TBitmap32& cache, TBitmap32& tmp, const TBitmap32* light);

// Copies the filled part into the cache.
void PlaceGaugeFill(const TsGaugeFill& fill, TBitmap32& cache);

// Whether the strip is to be laid over a bar whose filled length is c.
bool GaugeLightShows(const TsGaugeLook& look, int c);
// The length of the bar and its cross size for a cache of this size.
int GaugeBarLength(const TsGaugeLook& look, int width, int height);
int GaugeBarCross(const TsGaugeLook& look, int width, int height);

// The whole picture without text (background, filled part, border), as the control paints it
// with ShowText off.
void PaintGaugePicture(const TsGaugeLook& look, const TCacheInfo& bg, TBitmap32& cache, TPoint pos, TBitmap32& tmp,
                       const TBitmap32* light);
