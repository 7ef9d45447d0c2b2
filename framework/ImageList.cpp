#include "framework/ImageList.h"

#include <algorithm>
#include <cstdint>

void BlendThroughAlpha(TBitmap32& dst, TPoint at, const TBitmap32& src, const TRect& srcRect) {
  // Clip the source to src, then the destination to dst, moving the source with it.
  int sx = std::max(srcRect.Left, 0), sy = std::max(srcRect.Top, 0);
  int dx = at.X + (sx - srcRect.Left), dy = at.Y + (sy - srcRect.Top);
  const int sRight = std::min(srcRect.Right, src.Width()), sBottom = std::min(srcRect.Bottom, src.Height());
  if (dx < 0) {
    sx -= dx;
    dx = 0;
  }
  if (dy < 0) {
    sy -= dy;
    dy = 0;
  }
  const int w = std::min(sRight - sx, dst.Width() - dx), h = std::min(sBottom - sy, dst.Height() - dy);
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* s = src.Row(sy + y) + sx;
    std::uint32_t* d = dst.Row(dy + y) + dx;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t sp = s[x], a = sp >> 24;
      if (a == 0) continue;
      const std::uint32_t dp = d[x], wgt = a + (a >> 7);
      std::uint32_t out = dp & 0xFF000000u;
      for (int shift = 0; shift <= 16; shift += 8) {
        const int sc = int((sp >> shift) & 0xFF), dc = int((dp >> shift) & 0xFF);
        out |= std::uint32_t(dc + (((sc - dc) * int(wgt)) >> 8)) << shift;
      }
      d[x] = out;
    }
  }
}

TImageList::TImageList(int width, int height) : width_(std::max(width, 0)), height_(std::max(height, 0)) {}

int TImageList::Add(const TBitmap32& picture) {
  if (width_ <= 0 || height_ <= 0 || picture.Height() != height_ || picture.Width() < width_) return -1;
  const int first = Count();
  for (int left = 0; left + width_ <= picture.Width(); left += width_) {
    TBitmap32 image(width_, height_);
    for (int y = 0; y < height_; ++y) std::copy_n(picture.Row(y) + left, width_, image.Row(y));
    images_.push_back(std::move(image));
  }
  return first;
}

void TImageList::Delete(int index) {
  if (index >= 0 && index < Count()) images_.erase(images_.begin() + index);
}

const TBitmap32& TImageList::Image(int index) const {
  static const TBitmap32 kNone;
  return index >= 0 && index < Count() ? images_[std::size_t(index)] : kNone;
}

void TImageList::Draw(TBitmap32& dst, int x, int y, int index) const {
  const TBitmap32& image = Image(index);
  if (!image.Empty()) BlendThroughAlpha(dst, {x, y}, image, {0, 0, image.Width(), image.Height()});
}
