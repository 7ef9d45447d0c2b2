// A synthetic skin for the item painting tests: a manager whose tables are filled directly, with
// helpers to add sections and pieces and to paint pieces into its master bitmap.
#pragma once
#include <cstdint>
#include <string>

#include "../base/PaintTestUtil.h"
#include "skin/base/sColorMath.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sSkinItem.h"

namespace itemtest {

inline constexpr std::uint32_t kKey = scolor::KeyPixel;
// Opaque pixel of a colour given as R, G, B.
constexpr std::uint32_t Px(int r, int g, int b) { return scolor::MakePixel(r, g, b, 255); }

class TTestSkin {
 public:
  TTestSkin() : mgr_(nullptr) { mgr_.Tables().MasterBitmap = painttest::Filled(64, 64, Px(1, 2, 3)); }
  TsSkinManager& Manager() { return mgr_; }
  TsSkinTables& Tables() { return mgr_.Tables(); }
  TBitmap32& Master() { return mgr_.Tables().MasterBitmap; }

  // A section named `name` with both states opaque in `color`.
  int AddSection(const std::wstring& name, TColor color, int states = 2) {
    TsGeneralData g;
    g.ClassName = name;
    g.States = states;
    for (auto& p : g.Props) p.Color = color;
    Tables().gd.push_back(std::move(g));
    return int(Tables().gd.size()) - 1;
  }
  TsGeneralData& Section(int i) { return Tables().gd[std::size_t(i)]; }

  // A piece of the master bitmap at r.
  int AddMask(const std::wstring& section, const std::wstring& key, TRect r, int imageCount = 1, int maskType = 0,
              int drawMode = 0, int band = 0) {
    TsMaskData m;
    m.ClassName = section;
    m.PropertyName = key;
    m.R = r;
    m.ImageCount = std::int16_t(imageCount);
    m.MaskType = std::int16_t(maskType);
    m.DrawMode = std::int16_t(drawMode);
    m.WL = m.WT = m.WR = m.WB = std::int16_t(band);
    m.Manager = &mgr_;
    Tables().ma.push_back(std::move(m));
    return int(Tables().ma.size()) - 1;
  }
  TsMaskData& Mask(int i) { return Tables().ma[std::size_t(i)]; }

  void Fill(const TRect& r, std::uint32_t v) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Master().Pixel(x, y) = v;
  }

  // The value record of a control painted by section `index`.
  TsItemSkinData Data(int index, int border = -1) {
    TsItemSkinData d;
    d.SkinIndex = index;
    d.BorderIndex = border;
    d.SkinSection = Tables().gd[std::size_t(index)].ClassName;
    d.Manager = &mgr_;
    return d;
  }

 private:
  TsSkinManager mgr_;
};

inline TRect Whole(const TBitmap32& b) { return TRect{0, 0, b.Width(), b.Height()}; }

// What lies behind a control when the parent answers only a colour.
inline TCacheInfo ColorBackground(TColor c) {
  TCacheInfo bg = EmptyCacheInfo();
  bg.FillColor = c;
  return bg;
}

}  // namespace itemtest
