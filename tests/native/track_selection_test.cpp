// Choosing the next entry: list order, unplayed only, weighted by rate, with
// draws chosen through the clock; the repeat and order switches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/clock.h"
#include "support/player_rig.h"

namespace koru {
namespace {

using testing::PlayerRig;

class TrackSelectionTest : public ::testing::Test {
 protected:
  void Songs(int n, int current) {
    rig.AddSongs(n);
    rig.list.SetCurrentIndex(current);
  }
  void SetRates(const std::vector<std::string>& rates) {
    for (std::size_t i = 0; i < rates.size(); ++i) rig.list.Entry(static_cast<int>(i)).rate = rates[i];
  }
  void SetPlayed(const std::vector<int>& played) {
    for (std::size_t i = 0; i < played.size(); ++i) rig.list.Entry(static_cast<int>(i)).played = played[i];
  }
  // The entry a pick makes current, from `current` with the given draws.
  int PickFrom(OrderMode mode, int current, std::vector<int> draws) {
    rig.list.SetCurrentIndex(current);
    rig.clock.draws.assign(draws.begin(), draws.end());
    if (mode == OrderMode::ByRate) {
      rig.selection().PickWeightedTrack();
    } else {
      rig.selection().PickUnplayedTrack();
    }
    return rig.list.CurrentIndex();
  }
  std::string Text(const char8_t* utf8) { return PlayerRig::Text(utf8); }
  PlayerRig rig;
};

TEST(TrackSelectionClock, DrawAndRangeComeFromTheLocalTime) {
  testing::FakeClock clock;
  clock.now = TimeOfDay{13, 45, 37, 250};
  EXPECT_EQ(ClockDraw(clock), 7250);
  clock.now = TimeOfDay{0, 0, 59, 999};
  EXPECT_EQ(ClockDraw(clock), 9999);
  // 13:45:37 is 49537 s after midnight: 49537 mod 5 = 2.
  clock.now = TimeOfDay{13, 45, 37, 0};
  EXPECT_EQ(RandomIn(clock, 1, 5), 3);
  clock.now = TimeOfDay{0, 0, 0, 0};
  EXPECT_EQ(RandomIn(clock, 1, 5), 1);
}

TEST_F(TrackSelectionTest, ListOrderWrapsBothWaysAndPlaysAsTheUsersChoice) {
  Songs(5, 4);
  rig.selection().FuncNextClick();
  EXPECT_EQ(rig.list.CurrentIndex(), 0);
  EXPECT_EQ(rig.device.log.front(), "open C:\\Music\\song1.mid 0");
  EXPECT_EQ(rig.view.rowSelections, 1);
  rig.selection().FuncPrevClick();
  EXPECT_EQ(rig.list.CurrentIndex(), 4);
  rig.selection().FuncPrevClick();
  EXPECT_EQ(rig.list.CurrentIndex(), 3);
}

TEST_F(TrackSelectionTest, ShortListPlaysNothingButClearsNoRepeat) {
  Songs(1, 0);
  rig.noRepeat = 1;
  rig.selection().FuncNextClick();
  EXPECT_EQ(rig.noRepeat.load(), 0);
  EXPECT_TRUE(rig.device.log.empty());
  rig.noRepeat = 1;
  rig.selection().FuncPrevClick();
  EXPECT_EQ(rig.noRepeat.load(), 0);
  EXPECT_TRUE(rig.device.log.empty());
}

TEST_F(TrackSelectionTest, UnplayedOnlyDrawsAmongTheUncheckedRows) {
  Songs(5, 0);
  SetPlayed({1, 0, 1, 0, 0});
  // Unplayed rows 1, 3, 4: the draw picks the (n+1)-th of them.
  EXPECT_EQ(PickFrom(OrderMode::UnplayedOnly, 0, {0}), 1);
  EXPECT_EQ(PickFrom(OrderMode::UnplayedOnly, 0, {1}), 3);
  EXPECT_EQ(PickFrom(OrderMode::UnplayedOnly, 0, {5}), 4);  // 5 mod 3 = 2
  // The current row drawn: the next row, although it is played.
  EXPECT_EQ(PickFrom(OrderMode::UnplayedOnly, 1, {3}), 2);
}

TEST_F(TrackSelectionTest, UnplayedOnlyStartsOverWhenEverythingWasPlayed) {
  Songs(5, 2);
  SetPlayed({1, 1, 1, 1, 1});
  EXPECT_EQ(PickFrom(OrderMode::UnplayedOnly, 2, {7}), 3);  // 7 mod 5 = 2, the current one
  EXPECT_EQ(rig.list.PlayedCount(), 0);
  EXPECT_EQ(rig.view.rowRefreshes, std::vector<bool>{true});  // the check boxes follow

  // The last entry current and drawn: wraps to the first.
  SetPlayed({1, 1, 1, 1, 0});
  EXPECT_EQ(PickFrom(OrderMode::UnplayedOnly, 4, {0}), 0);
}

TEST_F(TrackSelectionTest, ByRateFollowsTheWeights) {
  Songs(3, 0);
  SetRates({"0", "3", "0"});  // weights 1, 4, 1
  // Draw 0 hits the current entry: the following one is taken.
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {0}), 1);
  for (int draw = 1; draw <= 4; ++draw) EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {draw}), 1) << draw;
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {5}), 2);
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {6 + 5}), 2);  // draws are taken mod 6
}

TEST_F(TrackSelectionTest, ByRateWithTheLastEntryCurrentTriesTwice) {
  Songs(3, 2);
  // Both attempts draw the current last entry: it plays again.
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 2, {2, 5}), 2);
  // Only the first does: the second attempt's choice.
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 2, {2, 1}), 1);
  EXPECT_TRUE(rig.clock.draws.empty());
}

TEST_F(TrackSelectionTest, ByRateIgnoresPlayedMarksButClearsThemWhenAllArePlayed) {
  Songs(3, 0);
  SetPlayed({0, 1, 0});
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {1}), 1);  // a played entry can be drawn
  EXPECT_EQ(rig.list.PlayedCount(), 1);
  SetPlayed({1, 1, 1});
  PickFrom(OrderMode::ByRate, 0, {1});
  EXPECT_EQ(rig.list.PlayedCount(), 0);
}

TEST_F(TrackSelectionTest, HandEditedRatesNeverBringTheTotalWeightBelowOne) {
  Songs(3, 0);
  SetRates({"-9", "-1", "-100"});  // each counts once
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {1}), 1);
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {2}), 2);
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {3}), 1);  // 3 mod 3 = 0: current, so the next
  SetRates({"abc", "", "2147483647"});  // not a number counts once; a huge rate does not overflow
  EXPECT_EQ(PickFrom(OrderMode::ByRate, 0, {9999}), 2);
}

TEST_F(TrackSelectionTest, PreviousInARandomModeDrawsLikeNext) {
  Songs(4, 0);
  rig.order.mode = OrderMode::UnplayedOnly;
  rig.clock.draws = {2};
  rig.selection().FuncPrevClick();
  // Nothing has started, so all four are unplayed: the third is drawn.
  EXPECT_EQ(rig.list.CurrentIndex(), 2);
  EXPECT_EQ(rig.list.Entry(2).played, 1);
}

TEST_F(TrackSelectionTest, TitleMenuPlaysTheChosenEntry) {
  Songs(3, 0);
  rig.selection().TitleMenuChoice(2);
  EXPECT_EQ(rig.list.CurrentIndex(), 2);
  EXPECT_EQ(rig.controller().State(), PlayState::Playing);
  rig.selection().TitleMenuChoice(3);  // beyond the list: the current entry again
  EXPECT_EQ(rig.list.CurrentIndex(), 2);
}

TEST_F(TrackSelectionTest, RepeatAndListOrderSwitchesAreMirrored) {
  const bool before = rig.order.repeat;
  rig.selection().mnuFuncRepeatClick();
  EXPECT_EQ(rig.order.repeat, !before);
  EXPECT_EQ(rig.view.shownOrder.repeat, !before);
  rig.order.mode = OrderMode::ByRate;
  rig.selection().mnuFuncRandNoneClick();
  EXPECT_EQ(rig.order.mode, OrderMode::ListOrder);
  EXPECT_EQ(rig.view.shownOrder.mode, OrderMode::ListOrder);
}

TEST_F(TrackSelectionTest, RandomModesOfferTheirHiddenColumn) {
  // Default columns: track shown, rate hidden.
  rig.selection().mnuFuncRandOnceClick();
  EXPECT_TRUE(rig.dialogs.asked.empty());
  EXPECT_EQ(rig.order.mode, OrderMode::UnplayedOnly);

  rig.dialogs.reply = answer::kNo;
  rig.selection().mnuFuncRandRateClick();
  ASSERT_EQ(rig.dialogs.asked.size(), 1u);
  EXPECT_EQ(rig.dialogs.asked[0], Text(u8"演奏ﾚｰﾄが非表示に設定されています。\n演奏ﾚｰﾄを表示させますか？"));
  EXPECT_EQ(rig.dialogs.flags[0], 68);
  EXPECT_FALSE(rig.settings.ColumnShown(list_column::kRate));
  EXPECT_EQ(rig.view.settingsApplied, 0);
  EXPECT_EQ(rig.order.mode, OrderMode::ByRate);  // switched all the same
  EXPECT_EQ(rig.view.shownOrder.mode, OrderMode::ByRate);

  rig.settings.SetColumnShown(list_column::kTrack, false);
  rig.dialogs.reply = answer::kYes;
  rig.selection().mnuFuncRandOnceClick();
  EXPECT_EQ(rig.dialogs.asked.back(), Text(u8"ﾄﾗｯｸが非表示に設定されています。\nﾄﾗｯｸを表示させますか？"));
  EXPECT_TRUE(rig.settings.ColumnShown(list_column::kTrack));
  EXPECT_EQ(rig.view.settingsApplied, 1);
  EXPECT_EQ(rig.view.rowRefreshes, std::vector<bool>{true});
  EXPECT_EQ(rig.order.mode, OrderMode::UnplayedOnly);
}

TEST_F(TrackSelectionTest, ChoosingTheCheckedModeAgainDoesNothing) {
  rig.settings.SetColumnShown(list_column::kTrack, false);
  rig.order.mode = OrderMode::UnplayedOnly;
  rig.selection().mnuFuncRandOnceClick();
  EXPECT_TRUE(rig.dialogs.asked.empty());
  EXPECT_EQ(rig.view.ordersShown, 0);
}

}  // namespace
}  // namespace koru
