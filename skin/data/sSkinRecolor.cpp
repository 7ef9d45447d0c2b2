#include "skin/data/sSkinRecolor.h"

#include <algorithm>
#include <vector>

#include "skin/base/sColorMath.h"
#include "skin/base/sColorTransforms.h"
#include "skin/base/sTransform.h"
#include "skin/data/sSkinIndexes.h"
#include "skin/data/sSkinOptions.h"

namespace {

constexpr TColor kNoColor = TColor(-1);

// The palette entries that hue and saturation change.
constexpr TsPaletteColors kRecoloredPalette[] = {
    pcMainColor,       pcLabelText,          pcWebText,           pcEditText,          pcEditBG,
    pcSelectionBG,     pcSelectionText,      pcSelectionBG_Focused, pcSelectionText_Focused, pcEditBG_Inverted,
    pcEditText_Inverted, pcEditBG_OddRow,    pcEditBG_EvenRow,    pcBorder};

template <class F>
void ForOptional(TColor& c, F&& fn) {
  if (c != kNoColor) c = fn(c);
}

// Section colours of one state: the state colour, glow and text colour, and the outlines.
template <class F>
void RecolorStateColors(TsGenState& s, F&& fn) {
  ForOptional(s.Color, fn);
  ForOptional(s.GlowColor, fn);
  ForOptional(s.FontColor.Color, fn);
  ForOptional(s.FontColor.Left, fn);
  ForOptional(s.FontColor.Top, fn);
  ForOptional(s.FontColor.Right, fn);
  ForOptional(s.FontColor.Bottom, fn);
}

template <class F>
void RecolorGradient(TsGenState& s, F&& fn) {
  for (TsGradPie& pie : s.GradientArray) {
    pie.Color1 = fn(pie.Color1);
    pie.Color2 = fn(pie.Color2);
  }
}

// A rectangle of a bitmap saved and put back (clipped to the bitmap).
class TSavedRect {
 public:
  TSavedRect(const TBitmap32& bmp, TRect r)
      : left_(std::max(0, r.Left)),
        top_(std::max(0, r.Top)),
        right_(std::min(bmp.Width(), r.Right)),
        bottom_(std::min(bmp.Height(), r.Bottom)) {
    if (right_ <= left_ || bottom_ <= top_) return;
    pixels_.reserve(std::size_t(right_ - left_) * std::size_t(bottom_ - top_));
    for (int y = top_; y < bottom_; ++y) pixels_.insert(pixels_.end(), bmp.Row(y) + left_, bmp.Row(y) + right_);
  }
  void Restore(TBitmap32& bmp) const {
    if (pixels_.empty()) return;
    const std::size_t w = std::size_t(right_ - left_);
    const std::uint32_t* src = pixels_.data();
    for (int y = top_; y < bottom_; ++y, src += w) std::copy(src, src + w, bmp.Row(y) + left_);
  }

 private:
  int left_, top_, right_, bottom_;
  std::vector<std::uint32_t> pixels_;
};

// The mask rows of a piece: the lower half of R (rows from R.Top + h div 2, h div 2 rows).
TRect MaskRows(const TRect& r) {
  const int half = r.Height() / 2;
  return Rect(r.Left, r.Top + half, r.Right, r.Top + half + half);
}

void TransformNonKey(TBitmap32& bmp, TPixelTransform fn, std::int32_t parameter) {
  TransformPixels(bmp, fn, parameter, clFuchsia);
}

}  // namespace

void PrepareDeferredAlpha(TBitmap32& bmp, double version) { PrepareAlpha(bmp, version, true); }

void ChangeSkinHue(TsSkinTables& t, std::int32_t offset) {
  if (offset == 0) return;
  const int keep = t.CommonSkinData.BIKeepHUE;
  std::vector<int> keptMasks;  // pieces with their own bitmap that stay as they are
  std::vector<TSavedRect> keptRects;
  if (keep >= 1) {
    std::vector<std::wstring> names = {L"BICONCLOSE", L"BICLOSEALONE", L"SICONCLOSE"};
    if (keep == 1)
      names.insert(names.end(), {L"BICONMAX", L"BICONMIN", L"BICONNORM", L"BICONHELP", L"SICONMAX", L"SICONMIN",
                                 L"SICONNORM"});
    for (const std::wstring& name : names) {
      const int i = FindMaskIndex(t, kGlobalInfoSection, name);
      if (i < 0) continue;
      const TsMaskData& m = t.ma[std::size_t(i)];
      if (!m.Bmp) {
        keptRects.emplace_back(t.MasterBitmap, m.R);
      } else {
        keptMasks.push_back(i);
        const int glow = FindMaskIndex(t, kGlobalInfoSection, name + L"GLOW" + L"0");
        if (glow >= 0) keptMasks.push_back(glow);
      }
    }
  }
  // Transforming in place and putting the kept rectangles back gives the same pixels as drawing a
  // transformed copy over everything but those rectangles, without a second whole bitmap.
  ShiftPixelsHue(t.MasterBitmap, offset, clFuchsia);
  for (const TSavedRect& r : keptRects) r.Restore(t.MasterBitmap);

  for (std::size_t i = 0; i < t.ma.size(); ++i) {
    TsMaskData& m = t.ma[i];
    if (!m.Bmp) continue;
    if (keep >= 1 && std::find(keptMasks.begin(), keptMasks.end(), int(i)) != keptMasks.end()) continue;
    ShiftPixelsHue(*m.Bmp, offset, clFuchsia);
  }

  auto hue = [offset](TColor c) { return ChangeColorHue(offset, c); };
  for (TsGeneralData& g : t.gd)
    for (TsGenState& s : g.Props) {
      if (s.GradientPercent > 0) RecolorGradient(s, hue);
      RecolorStateColors(s, hue);
    }
  t.CommonSkinData.Shadow1Color = hue(t.CommonSkinData.Shadow1Color);
  for (TsPaletteColors p : kRecoloredPalette) t.Palette[p] = hue(t.Palette[p]);
}

void ChangeSkinSaturation(TsSkinTables& t, std::int32_t percent) {
  if (percent == 0) return;
  const std::int32_t amount = SaturationAmount(percent);
  TransformNonKey(t.MasterBitmap, SaturationTransform, amount);
  for (TsMaskData& m : t.ma)
    if (m.Bmp) TransformNonKey(*m.Bmp, SaturationTransform, amount);
  auto sat = [amount](TColor c) { return TColor(ChangeColorSaturation(amount, c)); };
  for (TsGeneralData& g : t.gd)
    for (TsGenState& s : g.Props) {
      RecolorGradient(s, sat);
      RecolorStateColors(s, sat);
    }
  t.CommonSkinData.Shadow1Color = sat(t.CommonSkinData.Shadow1Color);
  for (TsPaletteColors p : kRecoloredPalette) t.Palette[p] = sat(t.Palette[p]);
}

void ChangeSkinBrightness(TsSkinTables& t, std::int32_t amount) {
  if (amount == 0) return;
  // Master bitmap: every non-key pixel, then the mask rows of two-layer pieces put back.
  std::vector<TSavedRect> maskRows;
  for (const TsMaskData& m : t.ma)
    if (!m.Bmp && m.MaskType == 1) maskRows.emplace_back(t.MasterBitmap, MaskRows(m.R));
  TransformNonKey(t.MasterBitmap, BrightnessTransform, amount);
  for (const TSavedRect& r : maskRows) r.Restore(t.MasterBitmap);

  const double version = t.CommonSkinData.Version;
  for (TsMaskData& m : t.ma) {
    if (!m.Bmp) continue;
    if (m.MaskType == 0) {
      TransformNonKey(*m.Bmp, BrightnessTransform, amount);
      if (amount > 0) PrepareDeferredAlpha(*m.Bmp, version);
    } else {
      const TSavedRect rows(*m.Bmp, MaskRows(m.R));
      TransformNonKey(*m.Bmp, BrightnessTransform, amount);
      rows.Restore(*m.Bmp);
    }
  }

  auto bright = [amount](TColor c) { return TColor(ChangeColorBrightness(c, amount)); };
  for (TsGeneralData& g : t.gd)
    for (TsGenState& s : g.Props) {
      RecolorGradient(s, bright);
      RecolorStateColors(s, bright);
    }
}

void RecolorSkin(TsSkinTables& t, std::int32_t hueOffset, std::int32_t saturation, std::int32_t brightness) {
  ChangeSkinHue(t, hueOffset);
  ChangeSkinSaturation(t, saturation);
  ChangeSkinBrightness(t, brightness);
}
