// Bitmaps of one pixel type: the 32-bit bitmap every cache, glow picture and window image is
// made of (pixels B, G, R, A = 0xAARRGGBB as a little-endian integer) and the 8-bit grey bitmap
// of glow masks. Rows are reached through row 0 and a signed row stride, so bottom-up
// device-independent bitmaps (negative stride) work as they are. A bitmap owns its pixels or
// views memory owned elsewhere (a DIB section).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

template <typename TValue>
class TPixelBitmap {
 public:
  TPixelBitmap() = default;
  // Owns zeroed, top-down pixels, rows padded to 4 bytes like a DIB. Sizes ≤ 0 give an empty
  // bitmap; absurd sizes throw before anything is allocated.
  TPixelBitmap(int width, int height) { SetSize(width, height); }
  // Views pixels owned elsewhere; the owner must outlive the view.
  static TPixelBitmap View(void* row0, std::ptrdiff_t stride, int width, int height) {
    TPixelBitmap b;
    if (row0 && width > 0 && height > 0) {
      b.row0_ = static_cast<std::uint8_t*>(row0);
      b.stride_ = stride;
      b.width_ = width;
      b.height_ = height;
    }
    return b;
  }

  // A copy always owns its pixels, stored top-down, whatever the source's layout.
  TPixelBitmap(const TPixelBitmap& other) { *this = other; }
  TPixelBitmap& operator=(const TPixelBitmap& other) {
    if (this == &other) return *this;
    SetSize(other.width_, other.height_);
    for (int y = 0; y < height_; ++y) std::memcpy(Row(y), other.Row(y), std::size_t(width_) * sizeof(TValue));
    return *this;
  }
  TPixelBitmap(TPixelBitmap&& other) noexcept { *this = std::move(other); }
  TPixelBitmap& operator=(TPixelBitmap&& other) noexcept {
    if (this == &other) return *this;
    // A moved vector keeps its storage, so row0_ stays valid for owned pixels.
    own_ = std::move(other.own_);
    row0_ = std::exchange(other.row0_, nullptr);
    stride_ = std::exchange(other.stride_, 0);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    other.own_.clear();
    return *this;
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::ptrdiff_t Stride() const { return stride_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  bool OwnsPixels() const { return !own_.empty(); }

  // Callers keep y in 0 … Height−1 (and x in 0 … Width−1): no check here.
  TValue* Row(int y) { return reinterpret_cast<TValue*>(row0_ + y * stride_); }
  const TValue* Row(int y) const { return reinterpret_cast<const TValue*>(row0_ + y * stride_); }
  TValue& Pixel(int x, int y) { return Row(y)[x]; }
  TValue Pixel(int x, int y) const { return Row(y)[x]; }

  // Resizes to an owning bitmap (pixels zeroed); a view becomes an owning bitmap.
  void SetSize(int width, int height) {
    own_.clear();
    row0_ = nullptr;
    stride_ = 0;
    width_ = height_ = 0;
    if (width <= 0 || height <= 0) return;
    // 64-bit arithmetic: in the 32-bit program a size_t product of two large sides wraps.
    constexpr std::uint64_t kMaxBytes = std::uint64_t(1) << 30;
    const std::uint64_t rowBytes = (std::uint64_t(width) * sizeof(TValue) + 3) & ~std::uint64_t(3);
    if (rowBytes * std::uint64_t(height) > kMaxBytes) throw std::length_error("Bitmap too large");
    // Stored as 32-bit words so that rows of any pixel type are aligned for it.
    own_.assign(std::size_t(rowBytes / 4 * std::uint64_t(height)), 0u);
    width_ = width;
    height_ = height;
    row0_ = reinterpret_cast<std::uint8_t*>(own_.data());
    stride_ = std::ptrdiff_t(rowBytes);
  }

 private:
  std::vector<std::uint32_t> own_;
  std::uint8_t* row0_ = nullptr;
  std::ptrdiff_t stride_ = 0;
  int width_ = 0, height_ = 0;
};
