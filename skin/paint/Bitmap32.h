// The 32-bit bitmap every cache, glow picture and window image is made of: pixels B, G, R, A
// (0xAARRGGBB as a little-endian integer), reached through row 0 and a signed row stride so that
// bottom-up device-independent bitmaps (negative stride) work as they are.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap32 {
 public:
  TBitmap32() = default;
  // Owns zeroed, top-down pixels. Sizes ≤ 0 give an empty bitmap; absurd sizes throw.
  TBitmap32(int width, int height);
  // Views pixels owned elsewhere (a DIB section); the owner must outlive the view.
  static TBitmap32 View(void* row0, std::ptrdiff_t stride, int width, int height);

  TBitmap32(const TBitmap32& other);
  TBitmap32& operator=(const TBitmap32& other);
  TBitmap32(TBitmap32&& other) noexcept;
  TBitmap32& operator=(TBitmap32&& other) noexcept;

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::ptrdiff_t Stride() const { return stride_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  bool OwnsPixels() const { return !own_.empty(); }

  // Callers keep y in 0 … Height−1 (and x in 0 … Width−1): no check here.
  std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(row0_ + y * stride_); }
  const std::uint32_t* Row(int y) const { return reinterpret_cast<const std::uint32_t*>(row0_ + y * stride_); }
  std::uint32_t& Pixel(int x, int y) { return Row(y)[x]; }
  std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }

  // Resizes an owning bitmap (pixels zeroed); a view becomes an owning bitmap.
  void SetSize(int width, int height);

 private:
  std::vector<std::uint32_t> own_;
  std::uint8_t* row0_ = nullptr;
  std::ptrdiff_t stride_ = 0;
  int width_ = 0, height_ = 0;
};
