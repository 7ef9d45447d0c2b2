// The skin tables every part of the skin library reads: sections (gd), image pieces (ma), large
// JPEG textures (pa), the global skin data, the outer effects (oe) and the palette. They are
// rebuilt from scratch on every skin load (sSkinOptions.h).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sGradient.h"  // TsGradPie, TsGradArray, ParseGradientData

class TsSkinManager;

// Which skins GetSkinNames lists.
enum class TsSkinTypes { stUnpacked, stPacked, stAllSkins };

// What an image piece is.
enum TsImgType : std::int32_t {
  itisaBorder = 0,
  itisaTexture = 1,
  itisaGlyph = 2,
  itisaGlow = 3,
  itisaPngGlyph = 4,
};

// Text colour and the outline colours drawn on each side of the text (−1 = none).
struct TsFontColor {
  TColor Color = 0;
  TColor Left = TColor(-1), Top = TColor(-1), Right = TColor(-1), Bottom = TColor(-1);
  friend bool operator==(const TsFontColor&, const TsFontColor&) = default;
};

// The look of a section in one state.
struct TsGenState {
  TColor Color = 0;
  TsFontColor FontColor;
  std::int32_t GradientPercent = 0;  // 0 … 100
  std::wstring GradientData;
  TsGradArray GradientArray;
  std::int32_t ImagePercent = 0;  // 0 … 100
  std::int32_t TextureIndex = -1;  // mask index, set by the manager
  TColor GlowColor = 0;
  std::int32_t GlowSize = 0;
  std::int32_t Transparency = 0;  // 0 … 100
};
// Index 0 normal, index 1 hot.
using TsProps = std::array<TsGenState, 2>;

// One skin section.
struct TsGeneralData {
  std::wstring ParentClass;
  std::wstring ClassName;
  std::int32_t States = 0;
  TsProps Props;
  bool GiveOwnFont = false;
  bool ReservedBoolean = false;
  std::int32_t GlowCount = 0;
  std::int32_t GlowMargin = 0;
  std::int32_t BorderIndex = -1;
  std::int32_t ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;
  std::int32_t TextureNormal = -1;
  // Flat copy of the two states, filled before recolouring (keeps the skin's own colours).
  TColor Color = 0;
  std::int32_t Transparency = 0;
  std::int32_t GradientPercent = 0;
  std::wstring GradientData;
  TsGradArray GradientArray;
  std::int32_t ImagePercent = 0;
  TsFontColor FontColor;
  TColor HotColor = 0;
  std::int32_t HotTransparency = 0;
  std::int32_t HotGradientPercent = 0;
  std::wstring HotGradientData;
  TsGradArray HotGradientArray;
  std::int32_t HotImagePercent = 0;
  TsFontColor HotFontColor;
  bool FadingEnabled = false;         // never read from the options
  std::int32_t FadingIterations = 0;  // never read from the options
  TColor HotGlowColor = 0;
  TColor GlowColor = 0;
  std::int32_t HotGlowSize = 0;
  std::int32_t GlowSize = 0;
  std::int32_t OuterMode = 0;
  TRect OuterOffset;
  std::int32_t OuterMask = -1;
  std::int32_t OuterOpacity = 0;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

// One image piece: a rectangle of the master bitmap (Bmp empty) or a bitmap of its own.
struct TsMaskData {
  std::unique_ptr<TBitmap32> Bmp;  // owned by the entry; null = the piece lies in the master bitmap
  std::wstring ClassName;
  std::wstring PropertyName;
  TRect R;                     // the piece in the master bitmap, or the whole Bmp
  std::int16_t ImageCount = 0;   // frames side by side
  std::int16_t MaskType = 0;     // extra rows below the image: 0 image only, 1 image + mask row
  std::int16_t BorderWidth = 0;
  std::int16_t DrawMode = 0;
  TsImgType ImgType = itisaBorder;
  TsSkinManager* Manager = nullptr;
  std::int16_t WL = 0, WT = 0, WR = 0, WB = 0;
  std::int32_t CornerType = 0;  // 0 no transparent corners, 1 present, 2 not examined
};
using TsMaskArray = std::vector<TsMaskData>;

// A large JPEG texture (900,000 pixels or more), decoded once.
struct TsPatternData {
  std::unique_ptr<TBitmap32> Img;  // B, G, R with alpha 0, as decoded
  std::wstring ClassName;
  std::wstring PropertyName;
};
using TsPatternArray = std::vector<TsPatternData>;

// Global data of the skin (GLOBALINFO).
struct TsSkinData {
  bool Active = false;
  std::wstring SkinPath;
  double Version = 0;
  std::wstring Author, Description;
  TColor Shadow1Color = 0;
  std::int32_t Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  std::int32_t ExBorderWidth = 0, ExTitleHeight = 0, ExMaxHeight = 0, ExContentOffs = 0, ExCenterOffs = 0,
               ExDrawMode = 0, ExShadowOffs = 0, ExShadowOffsR = 0, ExShadowOffsT = 0, ExShadowOffsB = 0;
  TColor FXColor = 0;  // not read from the options
  std::int32_t BISpacing = 0, BIVAlign = 0, BIRightMargin = 0, BILeftMargin = 0, BITopMargin = 0, BIKeepHUE = 0,
               BICloseGlow = 0, BICloseGlowMargin = 0, BIMaxGlow = 0, BIMaxGlowMargin = 0, BIMinGlow = 0,
               BIMinGlowMargin = 0;
  bool UseAeroBluring = false;
  std::int32_t ComboBoxMargin = 0, BrightMin = 0, BrightMax = 0, TabsCovering = 0, RibbonCovering = 0;
};

// Outer effect of a window: index 0 light outline, index 1 shadow.
struct TsOutEffData {
  TColor ColorL = 0, ColorT = 0, ColorR = 0, ColorB = 0;
  std::int32_t OffsetL = 0, OffsetT = 0, OffsetR = 0, OffsetB = 0;
  std::int32_t WidthL = 0, WidthT = 0, WidthR = 0, WidthB = 0;
  std::int32_t Opacity = 0, Source = 0, Mask = -1;
};
using TsOutEffArray = std::array<TsOutEffData, 2>;

enum TsPaletteColors : int {
  pcMainColor,
  pcLabelText,
  pcWebText,
  pcWebTextHot,
  pcEditText,
  pcEditBG,
  pcSelectionBG,
  pcSelectionText,
  pcSelectionBG_Focused,
  pcSelectionText_Focused,
  pcEditBG_Inverted,
  pcEditText_Inverted,
  pcEditBG_OddRow,
  pcEditBG_EvenRow,
  pcEditText_Ok,
  pcEditText_Warning,
  pcEditText_Alert,
  pcEditText_Caution,
  pcEditText_Bypassed,
  pcEditBG_Ok,
  pcEditBG_Warning,
  pcEditBG_Alert,
  pcEditBG_Caution,
  pcEditBG_Bypassed,
  pcEditText_Highlight1,
  pcEditText_Highlight2,
  pcEditText_Highlight3,
  pcBorder,
  pcPaletteCount
};
using TsPaletteArray = std::array<TColor, pcPaletteCount>;
static_assert(pcPaletteCount == 28);
