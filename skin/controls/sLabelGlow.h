// The glow of the effect label: a byte mask one pixel larger than the label on every side,
// stamped from the white text of a black picture, blurred in place pass by pass and blended in
// the shadow's colour over what lies behind the label (or over its own colour). The buffer is
// reused from paint to paint and only grows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "imaging/Bitmap32.h"
#include "skin/controls/sLabelGeometry.h"

class TLabelGlow {
 public:
  // Makes room for a picture of width × height (negative sizes count as 0) and zeroes the mask
  // with its border. Allocates twice the bytes it needs, and only when it has fewer.
  void Prepare(int width, int height);
  // Every pixel of text whose blue byte is non-zero sets its mask byte to 255. text must have the
  // size given to Prepare.
  void Stamp(const TBitmap32& text);
  // One in-place blur pass over the inner bytes, left to right and top to bottom: each becomes
  // (up + down + left + right) >> 2, where up and left already hold this pass's values. The
  // border stays 0.
  void Sweep();
  // Prepare, then `passes` times Stamp and Sweep.
  void Build(const TBitmap32& text, int passes);
  // Scales each mask byte by the alpha ((m · alpha) >> 8, kept in the mask) and blends the shadow
  // colour over pic with it: over what pic holds (a transparent label, pic holding what lies
  // behind it) or over `labelColor` (an opaque label). pic must have the size given to Prepare;
  // its alpha bytes are kept. Colours are 0x00BBGGRR; alpha is limited to 0 … 255.
  void Compose(TBitmap32& pic, TColor shadowColor, int alpha, bool transparent, TColor labelColor);

  // The mask byte at (x, y) of the bordered mask (0 … width + 1, 0 … height + 1).
  std::uint8_t At(int x, int y) const { return bits_[std::size_t(y) * pitch_ + std::size_t(x)]; }
  int MaskWidth() const { return int(pitch_); }
  int MaskHeight() const { return int(rows_); }
  std::size_t Capacity() const { return capacity_; }

 private:
  std::uint8_t* Row(int y) { return bits_.get() + std::size_t(y) * pitch_; }

  std::unique_ptr<std::uint8_t[]> bits_;
  std::size_t capacity_ = 0;
  std::size_t pitch_ = 0, rows_ = 0;  // the bordered mask: width + 2 by height + 2
  std::unique_ptr<std::uint16_t[]> sums_;  // one row of up + down + right of a sweep
  std::size_t sumsCapacity_ = 0;
};
