#include "skin/paint/sBitmap8.h"

#include <cstring>
#include <stdexcept>

TBitmap8::TBitmap8(int width, int height) { SetSize(width, height); }

void TBitmap8::SetSize(int width, int height) {
  own_.clear();
  row0_ = nullptr;
  stride_ = 0;
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return;
  // 64-bit arithmetic: in the 32-bit program a size_t product of two large sides wraps.
  constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 28;
  const std::size_t stride = (std::size_t(width) + 3) & ~std::size_t(3);
  if (std::uint64_t(stride) * std::uint64_t(height) > kMaxPixels) throw std::length_error("Bitmap too large");
  own_.assign(stride * std::size_t(height), 0);
  width_ = width;
  height_ = height;
  row0_ = own_.data();
  stride_ = std::ptrdiff_t(stride);
}

TBitmap8 TBitmap8::View(void* row0, std::ptrdiff_t stride, int width, int height) {
  TBitmap8 b;
  if (row0 && width > 0 && height > 0) {
    b.row0_ = static_cast<std::uint8_t*>(row0);
    b.stride_ = stride;
    b.width_ = width;
    b.height_ = height;
  }
  return b;
}

TBitmap8::TBitmap8(const TBitmap8& other) { *this = other; }

TBitmap8& TBitmap8::operator=(const TBitmap8& other) {
  if (this == &other) return *this;
  SetSize(other.width_, other.height_);
  for (int y = 0; y < height_; ++y) std::memcpy(Row(y), other.Row(y), std::size_t(width_));
  return *this;
}

TBitmap8::TBitmap8(TBitmap8&& other) noexcept { *this = std::move(other); }

TBitmap8& TBitmap8::operator=(TBitmap8&& other) noexcept {
  if (this == &other) return *this;
  own_ = std::move(other.own_);
  row0_ = other.row0_;
  stride_ = other.stride_;
  width_ = other.width_;
  height_ = other.height_;
  other.own_.clear();
  other.row0_ = nullptr;
  other.stride_ = 0;
  other.width_ = other.height_ = 0;
  return *this;
}
