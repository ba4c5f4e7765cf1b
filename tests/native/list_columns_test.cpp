#include "ui/layout/list_columns.h"

#include <gtest/gtest.h>

#include <map>

namespace koru {
namespace {

ColumnFlags Shown(std::string_view check) {
  ColumnFlags shown{};
  for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = i < check.size() && check[i] == '1';
  return shown;
}

TEST(ColumnWidthsByWindow, WeightsAndFixedColumns) {
  struct Case {
    std::string_view check;
    int clientWidth;
    int entries;
    bool fullWidth;
    ColumnWidths widths;
  };
  const Case cases[] = {
      // The default columns: only the title is flexible and takes the rest.
      {"100100001", 390, 10, false, {40, 0, 0, 308, 0, 0, 0, 0, 42}},
      {"100100001", 390, 1000, true, {46, 0, 0, 306, 0, 0, 0, 0, 38}},
      // Up to 640 wide: weights 3 3 6 4 3 3 (22); the last takes the rest.
      {"111111111", 640, 10, false, {40, 69, 69, 138, 92, 69, 73, 48, 42}},
      // Above 640: 2 2 8 4 3 3 (22).
      {"111111111", 641, 10, false, {40, 46, 46, 184, 92, 69, 74, 48, 42}},
      {"000000000", 390, 10, false, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"100000001", 390, 10, false, {40, 0, 0, 0, 0, 0, 0, 0, 42}},
      // Narrower than the fixed columns: no negative widths.
      {"111111111", 100, 10, false, {40, 0, 0, 0, 0, 0, 0, 48, 42}},
  };
  for (const Case& c : cases) {
    const ColumnWidths widths = ColumnWidthsByWindow(
        {.shown = Shown(c.check), .clientWidth = c.clientWidth, .entryCount = c.entries, .fullWidthCaptions = c.fullWidth});
    EXPECT_EQ(widths, c.widths) << c.check << " at " << c.clientWidth;
  }
}

TEST(ColumnWidthsByWindow, ScalesWithTheDpi) {
  const ColumnWidths widths =
      ColumnWidthsByWindow({.shown = Shown("100100001"), .clientWidth = 585, .entryCount = 1, .dpi = 144});
  EXPECT_EQ(widths, (ColumnWidths{60, 0, 0, 462, 0, 0, 0, 0, 63}));
}

TEST(ColumnWidthsByText, WidestTextPlusPadding) {
  const ColumnWidths widths = ColumnWidthsByText({.shown = Shown("111100011"), .clientWidth = 390, .entryCount = 5},
                                                 {0, 30, 0, 200, 0, 0, 0, 0, 0});
  EXPECT_EQ(widths, (ColumnWidths{40, 42, 12, 212, 0, 0, 0, 48, 42}));
}

TEST(TextWidths, SumsCharacterAdvancesAndMeasuresEachBlockOnce) {
  std::map<int, int> measured;
  TextWidths widths([&](int block, std::array<int, 256>& advances) {
    ++measured[block];
    for (int i = 0; i < 256; ++i) advances[static_cast<std::size_t>(i)] = block == 0 ? 7 : 13;
  });
  EXPECT_EQ(widths.Width("abc"), 21);
  EXPECT_EQ(widths.Width("\x95\x5C" "a\x95\x40"), 33);  // 表, a, a second character of the same lead byte
  EXPECT_EQ(widths.Width(""), 0);
  EXPECT_EQ(widths.Width("\x95"), 7) << "a lead byte at the end counts as one byte";
  EXPECT_EQ(measured, (std::map<int, int>{{0, 1}, {0x95, 1}}));
}

TEST(TextWidths, WidestTextOfEachAskedColumn) {
  TextWidths widths([](int, std::array<int, 256>& advances) { advances.fill(1); });
  const std::vector<std::vector<std::string>> rows = {{"", "ab", "abcd", "x"}, {"", "abcde", "a", "xyz"}};
  int asked = 0;
  const ColumnWidths widest = WidestTexts(2, Shown("011000000"), [&](int row, int column) {
    ++asked;
    return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }, widths);
  EXPECT_EQ(widest, (ColumnWidths{0, 5, 4, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(asked, 4) << "only the asked columns are measured";
}

TEST(FitWidth, CellMarginsAndTheCheckBox) {
  EXPECT_EQ(FitWidth(3, 100, 96), 112);
  EXPECT_EQ(FitWidth(0, 20, 96), 50);
  EXPECT_EQ(FitWidth(3, 100, 192), 124);
}

TEST(UsableStoredWidth, BelowMinusOneMeansFitToContents) {
  EXPECT_EQ(UsableStoredWidth(-7), -1);
  EXPECT_EQ(UsableStoredWidth(-1), -1);
  EXPECT_EQ(UsableStoredWidth(0), 0);
  EXPECT_EQ(UsableStoredWidth(120), 120);
}

}  // namespace
}  // namespace koru
