#include <gtest/gtest.h>

#include "PaintTestUtil.h"
#include "skin/base/sAnimSteps.h"

namespace {

std::vector<int> Alphas(const std::vector<TsAnimFrame>& frames) {
  std::vector<int> v;
  for (const auto& f : frames) v.push_back(f.Alpha);
  return v;
}

TEST(AnimSteps, FadeWeightsOfEnterAndPress) {
  EXPECT_EQ(FadeWeights(11), (std::vector<int>{23, 46, 69, 92, 115, 139, 162, 185, 208, 231, 255}));
  EXPECT_EQ(FadeWeights(5), (std::vector<int>{51, 102, 153, 204, 255}));
}

TEST(AnimSteps, FadeBlendKeepsAlphaAndEndsAtTheTarget) {
  const TBitmap32 target = painttest::Filled(3, 2, 0x10646464);  // 100 in every colour byte
  TBitmap32 frame = painttest::Filled(3, 2, 0x80C8C8C8);         // 200
  FadeBlend(frame, target, 255);
  EXPECT_EQ(frame.Pixel(2, 1), 0x80C7C7C7u);  // (255·100 + 25600) >> 8 = 199, alpha kept
  FadeBlend(frame, target, 0);
  EXPECT_EQ(frame.Pixel(0, 0), 0x80646464u);
  TBitmap32 other = painttest::Filled(2, 2, 0x80C8C8C8);
  FadeBlend(other, target, 0);  // another size: not blended
  EXPECT_EQ(other.Pixel(1, 1), 0x80C8C8C8u);
}

TEST(AnimSteps, ShowRisesToTheTargetWhileThePictureGrows) {
  const auto frames = ShowFrames(100, 240, TsAnimType::atAero, 680, 400);
  EXPECT_EQ(Alphas(frames), (std::vector<int>{30, 60, 90, 120, 150, 180, 210, 240, 240}));
  std::vector<int> insets;
  for (const auto& f : frames) insets.push_back(f.Dest.Left);
  // 42.5 rounds to the even 42.
  EXPECT_EQ(insets, (std::vector<int>{85, 74, 64, 53, 42, 32, 21, 11, 0}));
  EXPECT_EQ(frames.front().Dest, (TRect{85, 50, 85 + 510, 50 + 300}));
  EXPECT_EQ(frames.back().Dest, (TRect{0, 0, 680, 400}));
  EXPECT_TRUE(ShowFrames(0, 240, TsAnimType::atAero, 680, 400).empty());
  EXPECT_TRUE(ShowFrames(11, 240, TsAnimType::atFading, 680, 400).empty());
  EXPECT_EQ(Alphas(ShowFrames(12, 240, TsAnimType::atFading, 10, 10)), (std::vector<int>{240, 240}));
}

TEST(AnimSteps, HideFallsToZeroWhileThePictureShrinks) {
  const auto frames = HideFrames(100, 255, TsAnimType::atAero, 640, 320);
  EXPECT_EQ(Alphas(frames), (std::vector<int>{223, 191, 159, 128, 96, 64, 32, 0, 0}));
  EXPECT_EQ(frames.front().Dest, (TRect{0, 0, 640, 320}));
  EXPECT_EQ(frames.back().Dest, (TRect{80, 40, 80 + 480, 40 + 240}));
  EXPECT_TRUE(HideFrames(11, 255, TsAnimType::atFading, 10, 10).empty());
}

TEST(AnimSteps, TwelveMillisecondsAcrossTheWrapOfTheTickCount) {
  EXPECT_TRUE(TicksPassed(0xFFFFFFF8u, 4, 12));
  EXPECT_FALSE(TicksPassed(0xFFFFFFF8u, 3, 12));
  EXPECT_FALSE(TicksPassed(0xFFFFFFF0u, 0xFFFFFFFBu, 12));
  // A clock stepping 1 ms across the wrap: the wait ends after 12 steps, not 49.7 days.
  std::uint32_t now = 0xFFFFFFFAu;
  int looks = 0;
  WaitTicks(now, 12, [&] { return now; }, [&] { ++now; ++looks; });
  EXPECT_EQ(looks, 12);
  EXPECT_EQ(now, 6u);
}

}  // namespace
