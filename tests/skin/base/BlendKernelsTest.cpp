#include "skin/base/sBlendKernels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

using sblend::TKeyRule;
using sblend::TLanes;
using sblend::TRowRule;
using V = std::vector<std::uint32_t>;

namespace {

// The blend of one pixel written the long way: each byte (d·w + s·(256 − w)) >> 8.
std::uint32_t Expected(std::uint32_t d, std::uint32_t s, std::uint32_t weights) {
  std::uint32_t out = 0;
  for (int sh = 0; sh < 32; sh += 8) {
    const std::uint32_t db = (d >> sh) & 0xFF, sb = (s >> sh) & 0xFF, wb = (weights >> sh) & 0xFF;
    out |= ((db * wb + sb * (256 - wb)) >> 8) << sh;
  }
  return out;
}

// What a rule writes for one pixel, given the blend.
std::uint32_t ExpectedByRule(std::uint32_t d, std::uint32_t s, std::uint32_t blend, const TRowRule& rule,
                             std::uint32_t under) {
  if (s == sblend::kKeyPixel) {
    switch (rule.Key) {
      case TKeyRule::Blend: break;
      case TKeyRule::Keep: return d | rule.SetBits;
      case TKeyRule::Value: return rule.KeyValue | rule.SetBits;
      case TKeyRule::Under: return under | rule.SetBits;
    }
  }
  return (blend & ~rule.KeepBits) | (d & rule.KeepBits) | rule.SetBits;
}

std::vector<TLanes> AllLanes() {
  std::vector<TLanes> lanes{TLanes::Four};
  if (sblend::WidestLanes() == TLanes::Eight) lanes.push_back(TLanes::Eight);
  return lanes;
}

const char* Name(TLanes l) { return l == TLanes::Four ? "four lanes" : "eight lanes"; }

}  // namespace

// Every (d, s, weight) byte triple, in every byte position, through both lane widths and both
// kernels: 256³ blends, each equal to the formula.
TEST(BlendKernels, EveryByteTriple) {
  for (TLanes lanes : AllLanes()) {
    int wrong = 0;
    V d(256), s(256), m(256), dc(256);
    for (int db = 0; db < 256; ++db) {
      for (int sb = 0; sb < 256; ++sb) {
        for (int i = 0; i < 256; ++i) {
          // The four bytes of a pixel hold the same d and s with four different weights.
          d[i] = std::uint32_t(db) * 0x01010101u;
          s[i] = std::uint32_t(sb) * 0x01010101u;
          m[i] = std::uint32_t(i) | std::uint32_t((i + 64) & 255) << 8 | std::uint32_t((i + 128) & 255) << 16 |
                 std::uint32_t((i + 192) & 255) << 24;
        }
        sblend::BlendRowMask(d.data(), s.data(), m.data(), 256, TRowRule{}, lanes);
        for (int i = 0; i < 256; ++i)
          wrong += d[i] != Expected(std::uint32_t(db) * 0x01010101u, std::uint32_t(sb) * 0x01010101u, m[i]);
      }
    }
    EXPECT_EQ(wrong, 0) << Name(lanes);
    // The one-weight kernel at every weight 0 … 256 (256 leaves d as it was).
    wrong = 0;
    for (unsigned w = 0; w <= 256; ++w) {
      for (int db = 0; db < 256; db += 5) {
        for (int i = 0; i < 256; ++i) {
          d[i] = std::uint32_t(db) * 0x01010101u;
          s[i] = std::uint32_t(i) * 0x01010101u;
        }
        dc = d;
        sblend::BlendRowConst(d.data(), s.data(), 256, w, TRowRule{}, lanes);
        for (int i = 0; i < 256; ++i) {
          const std::uint32_t want = w == 256 ? dc[i] : Expected(dc[i], s[i], w * 0x01010101u);
          wrong += d[i] != want;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << Name(lanes);
  }
}

// Each key rule with kept and set bits, over row lengths that end on and off a step (the tail
// goes one pixel at a time), on random rows with about one key pixel in four.
TEST(BlendKernels, RulesOverRowLengths) {
  std::mt19937 rng(7);
  const std::uint32_t under0 = 0x11223344u;
  const TRowRule rules[] = {
      TRowRule{},
      TRowRule{.KeepBits = 0xFF000000u},
      TRowRule{.SetBits = 0xFF000000u, .Key = TKeyRule::Keep},
      TRowRule{.KeepBits = 0xFF000000u, .Key = TKeyRule::Keep},
      TRowRule{.KeepBits = 0xFF000000u, .Key = TKeyRule::Value, .KeyValue = 0x80402010u},
      TRowRule{.SetBits = 0xFF000000u, .Key = TKeyRule::Under},
      TRowRule{.KeepBits = 0x0000FF00u, .SetBits = 0x00010000u, .Key = TKeyRule::Under},
  };
  for (TLanes lanes : AllLanes()) {
    for (const TRowRule& base : rules) {
      for (int n = 0; n <= 19; ++n) {
        V d(n + 1), s(n), m(n), under(n);
        for (int i = 0; i < n; ++i) {
          d[i] = rng();
          s[i] = rng() % 4 == 0 ? sblend::kKeyPixel : std::uint32_t(rng());
          m[i] = rng();
          under[i] = under0 + std::uint32_t(i);
        }
        d[n] = 0xDEADBEEFu;  // one past the row: must not be written
        TRowRule rule = base;
        rule.Under = under.data();
        for (bool perByte : {true, false}) {
          V out = d;
          if (perByte) sblend::BlendRowMask(out.data(), s.data(), m.data(), n, rule, lanes);
          else sblend::BlendRowConst(out.data(), s.data(), n, 77, rule, lanes);
          for (int i = 0; i < n; ++i) {
            const std::uint32_t blend = Expected(d[i], s[i], perByte ? m[i] : 77u * 0x01010101u);
            ASSERT_EQ(out[i], ExpectedByRule(d[i], s[i], blend, rule, under[i]))
                << Name(lanes) << ", n " << n << ", pixel " << i << ", key rule " << int(rule.Key)
                << (perByte ? ", mask" : ", one weight");
          }
          EXPECT_EQ(out[n], 0xDEADBEEFu);
        }
      }
    }
  }
}

// A fill sets exactly n pixels whatever n (the wide steps end with one that overlaps the last).
TEST(FillRow, EveryLength) {
  for (int n = 0; n <= 40; ++n) {
    V row(std::size_t(n) + 2, 7);
    sblend::FillRow(row.data() + 1, n, 0xFF102030u);
    V expected(std::size_t(n) + 2, 0xFF102030u);
    expected.front() = expected.back() = 7;
    ASSERT_EQ(row, expected) << n;
  }
}
