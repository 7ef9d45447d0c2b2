// Helpers of the pixel tests: bitmaps embedded in a band of canary pixels, so that a write outside
// the bitmap shows up even where the address sanitizer cannot see it (inside the same buffer).
#pragma once
#include <cstdint>
#include <vector>

#include "imaging/Bitmap32.h"

namespace painttest {

inline constexpr std::uint32_t kCanary = 0xDEADBEEFu;

// A w × h view over the middle of a larger buffer; bottomUp gives it a negative stride.
class TGuarded {
 public:
  TGuarded(int w, int h, bool bottomUp, std::uint32_t fill = 0) : w_(w), h_(h) {
    const int bw = w + 2 * kBand, bh = h + 2 * kBand;
    mem_.assign(std::size_t(bw) * bh, kCanary);
    const std::ptrdiff_t stride = std::ptrdiff_t(bw) * 4;
    const int firstRow = bottomUp ? kBand + h - 1 : kBand;
    bmp_ = TBitmap32::View(&mem_[std::size_t(firstRow) * bw + kBand], bottomUp ? -stride : stride, w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) bmp_.Pixel(x, y) = fill;
  }
  TBitmap32& Bmp() { return bmp_; }
  // True while every pixel outside the view still holds the canary.
  bool Intact() const {
    const int bw = w_ + 2 * kBand;
    for (std::size_t i = 0; i < mem_.size(); ++i) {
      const int x = int(i % std::size_t(bw)) - kBand, y = int(i / std::size_t(bw)) - kBand;
      const bool inside = x >= 0 && x < w_ && y >= 0 && y < h_;
      if (!inside && mem_[i] != kCanary) return false;
    }
    return true;
  }

 private:
  static constexpr int kBand = 3;
  std::vector<std::uint32_t> mem_;
  TBitmap32 bmp_;
  int w_, h_;
};

inline TBitmap32 Filled(int w, int h, std::uint32_t v) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = v;
  return b;
}

// Every pixel distinct: 0xFF000000 | x << 8 | y.
inline TBitmap32 Numbered(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = 0xFF000000u | std::uint32_t(x) << 8 | std::uint32_t(y);
  return b;
}

inline int CountNot(const TBitmap32& b, std::uint32_t v) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) != v;
  return n;
}

inline std::vector<std::uint32_t> RowOf(const TBitmap32& b, int y) {
  return std::vector<std::uint32_t>(b.Row(y), b.Row(y) + b.Width());
}

}  // namespace painttest
