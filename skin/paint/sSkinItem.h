// Painting a skin section for a state into a 32-bit bitmap: background (colour, gradient,
// texture, transparency against what lies behind), corner images, the border frame, the
// control's own recolouring, and the looks and helpers controls add afterwards (disabled look,
// the glow behind text, corners refreshed after a move).
//
// Everything here is portable; the Windows side resolves a control's state into TsItemSkinData
// and the background query into a TCacheInfo, and draws text. Every index read from a control
// is checked against the manager's current tables, since a control may still hold the indexes of
// a bigger skin that was replaced. Painting never fails: what is missing is not drawn.
#pragma once
#include <string>
#include <string_view>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "imaging/sBitmap8.h"
#include "skin/base/sCacheInfo.h"
#include "skin/data/sConst.h"

// What the painters need of a control's skin state, resolved by the caller.
struct TsItemSkinData {
  int SkinIndex = -1;    // section
  int BorderIndex = -1;  // border mask
  int Texture = -1;      // texture mask of the normal state, −1 = the section's own
  int HotTexture = -1;   // texture mask of the hot state
  std::wstring SkinSection;
  TColor CustomColor = clFuchsia;  // the control's own plain colour, clFuchsia = the skin's
  TColor ColorTone = clNone;       // clNone = no tone
  int HUEOffset = 0;
  int Saturation = 0;               // the amount itself (−255 … 255)
  TsSkinManager* Manager = nullptr;  // none: the default manager
};

// The painting state of a section: min(state, States − 1), never below 0.
int SectionState(const TsGeneralData& section, int state);
// The property index of a painting state: 0 normal, 1 hot (states 1 and above).
inline int PropertyIndex(int paintingState) { return paintingState > 0 ? 1 : 0; }

// The manager a painter uses: the given one, else the default one (may be none).
TsSkinManager* ItemManager(TsSkinManager* manager);

// Background only. Nothing without a manager or a valid section. custom (not clFuchsia) paints
// that plain colour, opaque, instead of the section's look. pos is the item's offset in its
// background owner: rect's top-left corner shows bg's bitmap at (X + pos.X, Y + pos.Y).
void PaintSectionBackground(int index, std::wstring_view name, const TCacheInfo& bg, TColor custom, int hotTexture,
                            int texture, TsSkinManager* manager, TBitmap32& bmp, TPoint pos, const TRect& rect,
                            int state);

// Background, corner images and border of section `index` (callers without a control pass −1
// for both textures). Nothing when rect is empty, starts before 0 or leaves bmp, when the index
// is invalid or no manager exists. Nothing is drawn outside rect.
void PaintSectionItem(int index, std::wstring_view name, const TCacheInfo& bg, int hotTexture, int texture,
                      TsSkinManager* manager, TBitmap32& bmp, TPoint pos, const TRect& rect, int state);

// The control's background: PaintSectionBackground with its section, textures and colour.
void PaintControlBackground(const TsItemSkinData& data, const TCacheInfo& bg, int state, TBitmap32& bmp, TPoint pos,
                            const TRect& rect);

// The whole item of a control, as PaintSectionItem with the control's border (not drawn in state 0
// with DrawMode bit 2), then its recolouring of rect (tone, hue, saturation, key pixels kept) when
// the border was drawn or the section is opaque in that state.
void PaintSkinItem(const TsItemSkinData& data, const TCacheInfo& bg, bool cornerFlag, TBitmap32& bmp, TPoint pos,
                   const TRect& rect, int state);

// The disabled look of a control's cache.
enum TsDisabledKind : unsigned { dkBlended = 1, dkGrayed = 2 };
// dkGrayed: grey-scale, or the disabled saturation change with key pixels kept. dkBlended: the
// control keeps 40 % over its background: merged over bg's bitmap at (X + pos.X, Y + pos.Y) when
// ready, else tinted with bg's colour or, when that is none, parentColor.
void ApplyDisabledLook(TBitmap32& bmp, unsigned kinds, TColor parentColor, TPoint pos, const TCacheInfo& bg);

// The glow behind a text drawn in rect with glow size `size`: the mask covers rect moved by (1, 1)
// and enlarged by size + 4 on every side (this rectangle).
TRect GlowMaskRect(const TRect& textRect, int size);
// Lays the glow through its 8-bit mask over bmp, the mask's (0, 0) at `origin`: every mask value
// m below 255 whose pixel lies inside bmp, with g = 255 − m, makes alpha a + (((255 − a)·g) >> 8)
// and each colour channel (g·glow channel + channel·m) >> 8. glowColor is a plain colour value.
void BlendGlowMask(TBitmap32& bmp, const TBitmap8& mask, TPoint origin, TColor glowColor);

// Corner bits of RefreshCorners.
enum TsCorner : unsigned { crTopLeft = 1, crBottomLeft = 2, crTopRight = 4, crBottomRight = 8 };
inline constexpr unsigned crAllCorners = crTopLeft | crBottomLeft | crTopRight | crBottomRight;
// After a move: wherever the border's corner piece (frame min(state, ImageCount − 1), bands not
// shrunk) holds the key colour, the cache pixel at the same place of the cache's corner becomes
// the background: bg's bitmap pixel at (X + ctrlPos.X + x, Y + ctrlPos.Y + y) when bg is a
// ready bitmap (pixels outside it stay), else bg's colour (nothing when none). No other pixel
// changes; nothing happens for a border without transparent corners (CornerType 0).
void RefreshCorners(const TsItemSkinData& data, TBitmap32& cache, int state, unsigned corners, const TCacheInfo& bg,
                    TPoint ctrlPos);
