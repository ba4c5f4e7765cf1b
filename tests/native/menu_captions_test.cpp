// Captions of the menus built from the list and the recent paths, and how the
// title menu groups a long list.
#include "playback/menu_captions.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"

namespace koru {
namespace {

TEST(MenuCaptionsTest, AmpersandsAreDoubledAndNothingElseChanges) {
  const std::string kana = cp932::FromUtf8(u8"ﾀｲﾄﾙ表示");  // trail bytes 0x5C and up stay as they are
  EXPECT_EQ(MenuText("Rock & Roll &&"), "Rock && Roll &&&&");
  EXPECT_EQ(MenuText(kana), kana);
  EXPECT_EQ(RecentMenuCaption(2, "C:\\A&B\\x.mpl"), "&2 C:\\A&&B\\x.mpl");
  MediaEntry entry;
  entry.title = "A  &  B";
  EXPECT_EQ(TitleMenuCaption(entry, false), "A  &&  B");
  EXPECT_EQ(TitleMenuCaption(entry, true), "A && B");
}

TEST(MenuCaptionsTest, UpToAThousandEntriesStandInTheMenuAndAboveThemInGroupsOfAThousand) {
  EXPECT_TRUE(TitleMenuGroups(500, 3).empty());
  EXPECT_TRUE(TitleMenuGroups(1000, 3).empty());
  const std::vector<TitleMenuGroup> groups = TitleMenuGroups(9999, 4500);
  ASSERT_EQ(groups.size(), 10u);
  EXPECT_EQ(groups.front().caption, "1-1000");
  EXPECT_EQ(groups.front().first, 0);
  EXPECT_EQ(groups.front().last, 999);
  EXPECT_EQ(groups.back().caption, "9001-9999");
  EXPECT_EQ(groups.back().last, 9998);
  for (std::size_t i = 0; i < groups.size(); ++i) EXPECT_EQ(groups[i].checked, i == 4) << i;
  const std::vector<TitleMenuGroup> twoGroups = TitleMenuGroups(1001, -1);
  ASSERT_EQ(twoGroups.size(), 2u);
  EXPECT_EQ(twoGroups.back().caption, "1001-1001");
  EXPECT_FALSE(twoGroups.front().checked || twoGroups.back().checked);
}

}  // namespace
}  // namespace koru
