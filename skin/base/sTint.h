// The tint of a 32-bit bitmap's rows: every colour channel keeps percent % of itself and takes the
// rest from a colour, channel = Round(p·channel + (1 − p)·colour channel) with p = percent / 100
// and 1 − p in double precision, halves to even, limited to 0 … 255; alpha is kept. Prepared once
// for a percent and a colour, then applied to as many rows as needed (internal to the painters;
// callers clip).
#pragma once
#include <array>
#include <cstdint>

#include "framework/Types.h"
#include "skin/base/sBlendKernels.h"

class TTint {
 public:
  // How the rows are computed; every way gives the pixels of the double formula.
  enum class TWay {
    Table,      // three look-ups per pixel in the tables of the formula
    Integer,    // the exact half-even rounding in integers, on vector lanes
    Corrected,  // the same with one channel value per channel moved up and one down
  };

  // The colour goes through ColorToRGB.
  TTint(int percent, TColor color);

  // px[0 … n) tinted.
  void Row(std::uint32_t* px, int n, sblend::TLanes lanes = sblend::WidestLanes()) const;

  TWay Way() const { return way_; }

  // The integer form's constants per lane position: 0 blue, 1 red (the low bytes of a pixel's two
  // 16-bit halves), 2 green, 3 alpha (the high bytes). A lane's result is
  // s / 200 + (s + 99) / 200 with s = v·Mul + Add, plus one where v = Raise, minus one where
  // v = Lower (0xFFFF: no such value).
  struct TLaneConstants {
    std::uint16_t Mul[4], Add[4], Raise[4], Lower[4];
  };

 private:
  bool PrepareIntegerForm(int percent, TColor c);

  TWay way_ = TWay::Table;
  std::array<std::uint32_t, 256> b_, g_, r_;  // the formula per channel, in place in a pixel (all set when made)
  TLaneConstants lanes_{};
};
