// An 8-bit grey bitmap (glow masks): one byte per pixel, rows reached through row 0 and a signed
// stride like TBitmap32, owning its pixels or viewing foreign memory (a device-independent bitmap).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap8 {
 public:
  TBitmap8() = default;
  // Owns zeroed, top-down pixels (rows padded to 4 bytes like a DIB). Sizes ≤ 0 give an empty bitmap.
  TBitmap8(int width, int height);
  // Views pixels owned elsewhere; the owner must outlive the view.
  static TBitmap8 View(void* row0, std::ptrdiff_t stride, int width, int height);

  TBitmap8(const TBitmap8& other);
  TBitmap8& operator=(const TBitmap8& other);
  TBitmap8(TBitmap8&& other) noexcept;
  TBitmap8& operator=(TBitmap8&& other) noexcept;

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::ptrdiff_t Stride() const { return stride_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // Callers keep y in 0 … Height−1: no check here.
  std::uint8_t* Row(int y) { return row0_ + y * stride_; }
  const std::uint8_t* Row(int y) const { return row0_ + y * stride_; }

  void SetSize(int width, int height);

 private:
  std::vector<std::uint8_t> own_;
  std::uint8_t* row0_ = nullptr;
  std::ptrdiff_t stride_ = 0;
  int width_ = 0, height_ = 0;
};
