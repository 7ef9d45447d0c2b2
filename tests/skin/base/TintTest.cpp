#include "skin/base/sTint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/base/sColorMath.h"

using sblend::TLanes;

namespace {

// The tint of one channel written the long way, in double precision as the rule states it.
std::uint32_t Expected(int percent, int colour, int v) {
  const double p = percent / 100.0;
  const double q = 1.0 - p;
  return std::uint32_t(scolor::ClampByte(scolor::Round(p * v + q * colour)));
}

std::vector<TLanes> AllLanes() {
  std::vector<TLanes> lanes{TLanes::Four};
  if (sblend::WidestLanes() == TLanes::Eight) lanes.push_back(TLanes::Eight);
  return lanes;
}

}  // namespace

// Every percent 1 … 99 with plain colours and a system colour, every value of blue, green and red,
// through both lane widths, in whole steps and one pixel at a time (the row's tail): each pixel
// equals the double formula bit for bit with its alpha kept. The colours lead to every way of
// computing a row (tables, integers, corrected integers), so none goes unchecked.
TEST(Tint, EqualsTheDoubleFormulaForEveryValue) {
  const TColor colours[] = {0x000000, 0xFFFFFF, 0x336699, 0xD57F2A, 0x0180FE, 0x7F7F80, clBtnFace};
  int ways[3] = {};
  for (TLanes lanes : AllLanes()) {
    for (int percent = 1; percent <= 99; ++percent) {
      for (TColor colour : colours) {
        const TTint tint(percent, colour);
        ++ways[int(tint.Way())];
        const TColor c = ColorToRGB(colour);
        // Pixel i holds blue i, green i + 85, red i + 170 (mod 256) and alpha 255 − i.
        std::vector<std::uint32_t> in(256);
        for (int i = 0; i < 256; ++i)
          in[std::size_t(i)] = scolor::MakePixel((i + 170) & 0xFF, (i + 85) & 0xFF, i, 255 - i);
        std::vector<std::uint32_t> whole = in, single = in;
        tint.Row(whole.data(), 256, lanes);
        for (std::uint32_t& px : single) tint.Row(&px, 1, lanes);
        int wrong = 0;
        for (int i = 0; i < 256; ++i) {
          const std::uint32_t p = in[std::size_t(i)];
          const std::uint32_t want = (p & scolor::AlphaMask) |
                                     Expected(percent, scolor::ColR(c), scolor::PixR(p)) << 16 |
                                     Expected(percent, scolor::ColG(c), scolor::PixG(p)) << 8 |
                                     Expected(percent, scolor::ColB(c), scolor::PixB(p));
          wrong += whole[std::size_t(i)] != want;
          wrong += single[std::size_t(i)] != want;
        }
        EXPECT_EQ(wrong, 0) << "percent " << percent << ", colour " << std::hex << colour << ", way "
                            << int(tint.Way()) << ", lanes " << int(lanes);
      }
    }
  }
  EXPECT_GT(ways[int(TTint::TWay::Table)], 0);
  EXPECT_GT(ways[int(TTint::TWay::Integer)], 0);
  EXPECT_GT(ways[int(TTint::TWay::Corrected)], 0);
}
