#include "skin/paint/Bitmap32.h"

#include <cstring>
#include <limits>
#include <stdexcept>

TBitmap32::TBitmap32(int width, int height) { SetSize(width, height); }

void TBitmap32::SetSize(int width, int height) {
  own_.clear();
  row0_ = nullptr;
  stride_ = 0;
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return;
  // Check before allocating, in 64-bit arithmetic (a size_t product wraps in the 32-bit program):
  // width × height × 4 must fit comfortably in memory and in ptrdiff_t.
  constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 28;
  if (std::uint64_t(width) * std::uint64_t(height) > kMaxPixels) throw std::length_error("Bitmap too large");
  own_.assign(std::size_t(width) * std::size_t(height), 0u);
  width_ = width;
  height_ = height;
  row0_ = reinterpret_cast<std::uint8_t*>(own_.data());
  stride_ = std::ptrdiff_t(width) * 4;
}

TBitmap32 TBitmap32::View(void* row0, std::ptrdiff_t stride, int width, int height) {
  TBitmap32 b;
  if (row0 && width > 0 && height > 0) {
    b.row0_ = static_cast<std::uint8_t*>(row0);
    b.stride_ = stride;
    b.width_ = width;
    b.height_ = height;
  }
  return b;
}

TBitmap32::TBitmap32(const TBitmap32& other) { *this = other; }

TBitmap32& TBitmap32::operator=(const TBitmap32& other) {
  if (this == &other) return *this;
  // A copy always owns its pixels, stored top-down, whatever the source's layout.
  SetSize(other.width_, other.height_);
  for (int y = 0; y < height_; ++y) std::memcpy(Row(y), other.Row(y), std::size_t(width_) * 4);
  return *this;
}

TBitmap32::TBitmap32(TBitmap32&& other) noexcept { *this = std::move(other); }

TBitmap32& TBitmap32::operator=(TBitmap32&& other) noexcept {
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
