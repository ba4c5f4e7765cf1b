#include "playback/volume_percent.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace koru {
namespace {

constexpr VolumeRange kWord{0, 65535};
constexpr std::uint32_t kTop = std::numeric_limits<std::uint32_t>::max();

TEST(VolumePercent, HalfOfAWordRangeReadsAndWritesAsFifty) {
  EXPECT_EQ(PercentOfVolume(32768, kWord), 50);
  EXPECT_EQ(VolumeOfPercent(50, kWord), 32767u);
}

TEST(VolumePercent, ReadingRoundsToTheNearestPercentHalfUp) {
  // 0..200: each percent is two steps, so an odd value lies exactly halfway.
  const VolumeRange range{0, 200};
  EXPECT_EQ(PercentOfVolume(0, range), 0);
  EXPECT_EQ(PercentOfVolume(1, range), 1);
  EXPECT_EQ(PercentOfVolume(3, range), 2);
  EXPECT_EQ(PercentOfVolume(199, range), 100);
  // 0..3: one step is 33.3 %, two steps 66.7 %.
  EXPECT_EQ(PercentOfVolume(1, VolumeRange{0, 3}), 33);
  EXPECT_EQ(PercentOfVolume(2, VolumeRange{0, 3}), 67);
}

TEST(VolumePercent, WritingRoundsDown) {
  EXPECT_EQ(VolumeOfPercent(1, VolumeRange{0, 199}), 1u);
  EXPECT_EQ(VolumeOfPercent(99, VolumeRange{0, 199}), 197u);
  EXPECT_EQ(VolumeOfPercent(1, VolumeRange{0, 3}), 0u);
}

TEST(VolumePercent, MinimumAboveZeroShiftsBothWays) {
  const VolumeRange range{1000, 2000};
  EXPECT_EQ(PercentOfVolume(1000, range), 0);
  EXPECT_EQ(PercentOfVolume(1250, range), 25);
  EXPECT_EQ(PercentOfVolume(2000, range), 100);
  EXPECT_EQ(VolumeOfPercent(0, range), 1000u);
  EXPECT_EQ(VolumeOfPercent(75, range), 1750u);
  EXPECT_EQ(VolumeOfPercent(100, range), 2000u);
}

TEST(VolumePercent, EveryPercentSurvivesTheRoundTrip) {
  for (const VolumeRange range : {kWord, VolumeRange{0, 100}, VolumeRange{7, 1007}, VolumeRange{0, kTop},
                                  VolumeRange{kTop - 150, kTop}}) {
    for (int percent = 0; percent <= 100; ++percent) {
      const std::optional<std::uint32_t> value = VolumeOfPercent(percent, range);
      ASSERT_TRUE(value.has_value());
      EXPECT_GE(*value, range.minimum);
      EXPECT_LE(*value, range.maximum);
      EXPECT_EQ(PercentOfVolume(*value, range), percent) << range.minimum << ".." << range.maximum;
    }
  }
}

TEST(VolumePercent, FullThirtyTwoBitRangeDoesNotWrap) {
  const VolumeRange range{0, kTop};
  EXPECT_EQ(PercentOfVolume(kTop, range), 100);
  EXPECT_EQ(PercentOfVolume(kTop / 2, range), 50);
  EXPECT_EQ(VolumeOfPercent(100, range), kTop);
}

TEST(VolumePercent, OutsideValuesAndPercentsStopAtTheBounds) {
  const VolumeRange range{100, 200};
  EXPECT_EQ(PercentOfVolume(0, range), 0);
  EXPECT_EQ(PercentOfVolume(kTop, range), 100);
  EXPECT_EQ(VolumeOfPercent(-5, range), 100u);
  EXPECT_EQ(VolumeOfPercent(250, range), 200u);
}

TEST(VolumePercent, RangesWithoutRoomAreRefused) {
  for (const VolumeRange range : {VolumeRange{0, 0}, VolumeRange{500, 500}, VolumeRange{kTop, kTop},
                                  VolumeRange{200, 100}}) {
    EXPECT_FALSE(IsUsableVolumeRange(range));
    EXPECT_FALSE(PercentOfVolume(range.minimum, range).has_value());
    EXPECT_FALSE(VolumeOfPercent(50, range).has_value());
  }
  EXPECT_TRUE(IsUsableVolumeRange(VolumeRange{0, 1}));
}

}  // namespace
}  // namespace koru
