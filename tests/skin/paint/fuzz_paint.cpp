// libFuzzer target: a skin loaded as fuzz_options loads it, put into a skin manager, and painted.
// The input is kInputHeader bytes that choose how to paint (Choose), then the skin in the layout
// of FuzzSkinInput.h. Every section is painted in every state as a plain item and as a control
// (recoloured, disabled, corners refreshed) with the glow behind a text, every piece as a border
// frame, a window frame and an image, and the gauge with its light strip, into bitmaps of at most
// 64 × 64 pixels. Painting never fails: any crash, sanitizer report or hang is a fault, and so is
// a window frame that cuts a region outside its bitmap.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "../data/FuzzSkinInput.h"
#include "imaging/sBitmap8.h"
#include "skin/base/sBlur.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sLightStrip.h"
#include "skin/controls/sGaugePicture.h"
#include "skin/controls/sGaugeRange.h"
#include "skin/data/sSkinIndexes.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinItem.h"

namespace {

constexpr std::size_t kInputHeader = 8;
// States painted past the first; the skin's own counts may be anything.
constexpr int kMaxStates = 4;
// The background owner's picture reaches this far around the item on every side.
constexpr int kOwnerMargin = 4;

// How the input's first bytes paint the skin.
struct TChoice {
  int W = 0, H = 0;   // the bitmaps' size, 0 … 64 each
  TRect Rect;         // the item in them: whole, inset by 1 or 2, or one pixel beyond every side
  int Background = 0;  // 0 none, 1 a colour, 2 the owner's complete picture, 3 its frame bands only
  bool CornerFlag = false;
  int Mode = 1;        // of PaintMaskImage: 1 normal, 0 faded
  unsigned Disabled = 0;  // TsDisabledKind bits
  TPoint Pos;          // the item's place in its owner, −8 … 7 each way
  TColor Tone = clNone;   // the control's recolouring
  int Hue = 0, Saturation = 0;
  int Percent = 0;     // of the gauge
  int AnimPos = 0;     // the light strip's edge along the bar, −300 … 210
};

TChoice Choose(const std::uint8_t* b) {
  TChoice c;
  c.W = b[0] % 65;
  c.H = b[1] % 65;
  const int inset = (b[2] & 3) == 3 ? -1 : b[2] & 3;
  c.Rect = TRect{inset, inset, c.W - inset, c.H - inset};
  c.Background = (b[2] >> 2) & 3;
  c.CornerFlag = b[2] & 16;
  c.Mode = (b[2] & 32) ? 0 : 1;
  c.Disabled = b[2] >> 6;
  c.Pos = TPoint{(b[3] & 15) - 8, (b[3] >> 4) - 8};
  c.Tone = b[4] ? TColor(std::uint32_t(b[4]) * 0x010305u & 0xFFFFFFu) : clNone;
  c.Hue = std::int8_t(b[5]) * 3;
  c.Saturation = std::int8_t(b[6]) * 2;
  c.Percent = b[7] % 101;
  c.AnimPos = b[7] * 2 - 300;
  return c;
}

// A bitmap with something in it, key pixels among it.
TBitmap32 Canvas(int w, int h) {
  TBitmap32 bmp(w, h);
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      bmp.Pixel(x, y) = (x + y) % 5 ? scolor::MakePixel(x * 4, y * 4, 128, 200) : scolor::KeyPixel;
  return bmp;
}

// What lies behind the item: owner is its picture, kOwnerMargin larger on every side.
TCacheInfo Background(const TChoice& c, TBitmap32& owner) {
  switch (c.Background) {
    case 1: {
      TCacheInfo bg = EmptyCacheInfo();
      bg.FillColor = 0x00336699;
      return bg;
    }
    case 2: return MakeCacheInfo(&owner, kOwnerMargin, kOwnerMargin);
    case 3: return TCacheInfo{&owner, kOwnerMargin, kOwnerMargin, 0x00996633, TRect{2, 2, 2, 2}, false};
    default: return EmptyCacheInfo();
  }
}

TsItemSkinData ControlData(TsSkinManager& m, int index, const TChoice& c) {
  const TsGeneralData& g = m.gd()[std::size_t(index)];
  TsItemSkinData d;
  d.SkinIndex = index;
  d.BorderIndex = g.BorderIndex;
  d.Texture = g.Props[0].TextureIndex;
  d.HotTexture = g.Props[1].TextureIndex;
  d.SkinSection = g.ClassName;
  d.ColorTone = c.Tone;
  d.HUEOffset = c.Hue;
  d.Saturation = c.Saturation;
  d.Manager = &m;
  return d;
}

// The glow behind a text in rect, laid as the text painter lays it: a white mask with the text
// in black (here stripes where its glyphs would be), blurred by the glow size.
void PaintTextGlow(TBitmap32& bmp, const TsGenState& s, const TRect& rect) {
  if (s.GlowSize <= 0) return;
  const TRect area = GlowMaskRect(rect, s.GlowSize);
  TBitmap8 mask(area.Width(), area.Height());
  if (mask.Empty()) return;
  const int inset = s.GlowSize + 4;
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) {
      const bool text = x >= inset && x < inset + rect.Width() && y >= inset && y < inset + rect.Height() && x % 3;
      mask.Pixel(x, y) = text ? 0 : 255;
    }
  SmoothBitmap8(mask, s.GlowSize);
  BlendGlowMask(bmp, mask, TPoint{area.Left, area.Top}, ColorToRGB(s.GlowColor));
}

void PaintSections(TsSkinManager& m, const TChoice& c, const TCacheInfo& bg) {
  for (int i = 0; i < int(m.gd().size()); ++i) {
    const TsGeneralData& g = m.gd()[std::size_t(i)];
    const TsItemSkinData d = ControlData(m, i, c);
    for (int state = 0; state <= std::clamp(g.States, 0, kMaxStates); ++state) {
      TBitmap32 bmp = Canvas(c.W, c.H);
      PaintSectionItem(i, g.ClassName, bg, -1, -1, &m, bmp, c.Pos, c.Rect, state);
      PaintSkinItem(d, bg, c.CornerFlag, bmp, c.Pos, c.Rect, state);
      ApplyDisabledLook(bmp, c.Disabled, g.Props[0].Color, c.Pos, bg);
      RefreshCorners(d, bmp, state, crTopLeft | crBottomLeft | crTopRight | crBottomRight, bg, c.Pos);
    }
    // The glow of each property once: its mask costs more than the item.
    for (const TsGenState& s : g.Props) {
      TBitmap32 bmp = Canvas(c.W, c.H);
      PaintTextGlow(bmp, s, c.Rect);
    }
  }
}

void PaintPieces(const TsSkinManager& m, const TChoice& c, const TCacheInfo& bg) {
  for (const TsMaskData& piece : m.ma())
    for (int state = 0; state <= std::clamp<int>(piece.ImageCount, 0, kMaxStates); ++state) {
      TBitmap32 bmp = Canvas(c.W, c.H);
      PaintMaskFrame(bmp, c.Rect, bg, c.CornerFlag, state, piece);
      PaintMaskImage(bmp, c.Pos, state, bg, piece, c.Mode);
      for (const TRect& r : PaintMaskFrameRegion(bmp, c.CornerFlag, state, piece))
        if (r.Left < 0 || r.Top < 0 || r.Right > bmp.Width() || r.Bottom > bmp.Height() || r.Left >= r.Right ||
            r.Top >= r.Bottom)
          __builtin_trap();
    }
}

// The picture the light strip is stretched from: the master bitmap's top-left corner, at most
// 40 × 40 (the program's own picture is as small; stretching all of a large one costs more than
// the rest of the painting).
TBitmap32 LightPicture(const TBitmap32& master) {
  TBitmap32 light(std::min(master.Width(), 40), std::min(master.Height(), 40));
  for (int y = 0; y < light.Height(); ++y) std::copy_n(master.Row(y), light.Width(), light.Row(y));
  return light;
}

// The gauge as a bar each way, plain and with the light strip at two places along it, the second
// paint reusing the filled part kept from the first.
void PaintGauge(TsSkinManager& m, const TChoice& c, const TCacheInfo& bg) {
  const int index = m.GetSkinIndex(L"GAUGE");
  if (index < 0) return;
  const TBitmap32 picture = LightPicture(m.MasterBitmap());
  TsGaugeLook look;
  look.Gauge = ControlData(m, index, c);
  look.Percent = c.Percent;
  for (const bool vertical : {false, true})
    for (const bool animated : {false, true}) {
      look.Vertical = vertical;
      look.Animated = animated;
      const int len = GaugeBarLength(look, c.W, c.H);
      const TBitmap32 light = MakeLightStrip(picture, kGaugeLightLength, GaugeBarCross(look, c.W, c.H));
      TBitmap32 tmp;
      for (const int at : {c.AnimPos, c.AnimPos + GaugeLightStep(len)}) {
        look.AnimPos = at;
        TBitmap32 cache = Canvas(c.W, c.H);
        PaintGaugePicture(look, bg, cache, c.Pos, tmp, animated ? &light : nullptr);
      }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kInputHeader) return 0;
  const TChoice c = Choose(data);
  TsSkinManager manager(nullptr);
  try {
    // The manager's own load: pieces owned by it, its mask-index pass, then its constant indexes.
    LoadFuzzSkin(std::string_view(reinterpret_cast<const char*>(data) + kInputHeader, size - kInputHeader),
                 manager.Tables(), &manager,
                 [](TsSkinTables& t) { BuildMaskIndexes(t, FindSkinIndex(t, kGlobalInfoSection)); });
  } catch (const EConvertError&) {
    return 0;
  }
  manager.InitConstantIndexes();
  TBitmap32 owner = Canvas(c.W + 2 * kOwnerMargin, c.H + 2 * kOwnerMargin);
  const TCacheInfo bg = Background(c, owner);
  PaintSections(manager, c, bg);
  PaintPieces(manager, c, bg);
  PaintGauge(manager, c, bg);
  return 0;
}
