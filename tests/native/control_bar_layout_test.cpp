#include <gtest/gtest.h>

#include "ui/layout/control_bar_layout.h"

namespace koru {
namespace {

std::array<int, kControlBarItemCount> Lefts(const ControlBarLayout& layout) {
  std::array<int, kControlBarItemCount> lefts{};
  for (int i = 0; i < kControlBarItemCount; ++i) lefts[i] = layout.items[i].left;
  return lefts;
}

TEST(ControlBarLayout, DefaultOrderPlacesEveryItemInItsGroup) {
  ControlBarLayout layout = LayoutControlBar("0123", "1111111111");
  EXPECT_EQ(Lefts(layout), (std::array<int, 10>{4, 149, 177, 224, 247, 270, 293, 321, 344, 367}));
  EXPECT_EQ(layout.minClientWidth, 149);
}

TEST(ControlBarLayout, ViewButtonsFirst) {
  ControlBarLayout layout = LayoutControlBar("3210", "1111111111");
  EXPECT_EQ(layout.items[7].left, 4);
  EXPECT_EQ(layout.minClientWidth, 78) << "right edge of the third view button plus the gap";
}

TEST(ControlBarLayout, HiddenItemsTakeNoRoomAndAnEmptyGroupNoGap) {
  ControlBarLayout layout = LayoutControlBar("0123", "0000000000");
  EXPECT_EQ(layout.minClientWidth, 4);
  for (const ControlBarItemPlace& place : layout.items) EXPECT_FALSE(place.visible);

  layout = LayoutControlBar("0123", "1011111111");  // no open button: no gap for its group
  EXPECT_EQ(layout.items[2].left, 149);
}

TEST(ControlBarLayout, BrokenSettingsFallBackPerCharacter) {
  ControlBarLayout layout = LayoutControlBar("x9", "1x");
  EXPECT_EQ(layout.items[0].left, 4) << "a non-numeric order character counts as its position";
  EXPECT_TRUE(layout.items[1].visible) << "a non-numeric check character counts as shown";
  EXPECT_EQ(layout.items[1].left, 0) << "group 9 places nothing, so the open button is never placed";
  EXPECT_EQ(layout.items[2].left, 149);
}

TEST(ControlBarLayout, CaptionIsCentredUnderItsButton) {
  EXPECT_EQ(CaptionLeft(177, 47, 21), 190);
  EXPECT_EQ(CaptionLeft(4, 23, 24), 4);  // (23-24)/2 rounds towards zero
}

}  // namespace
}  // namespace koru
