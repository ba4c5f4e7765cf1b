#include "settings/file_type_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/cp932.h"

namespace koru {
namespace {

bool IsSortedByUnsignedBytes(const FileTypeTable& table) {
  return std::is_sorted(table.Rows().begin(), table.Rows().end(), [](const FileTypeRow& a, const FileTypeRow& b) {
    return std::lexicographical_compare(a.extension.begin(), a.extension.end(), b.extension.begin(),
                                        b.extension.end(), [](char x, char y) {
                                          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                        });
  });
}

// A table of `count` rows of category 1 with distinct made-up extensions.
FileTypeTable TableOfSize(std::size_t count) {
  FileTypeTable table;
  for (std::size_t i = 0; i < count; ++i) table.Append({'1', "X" + std::to_string(1000 + i)});
  return table;
}

TEST(FileTypeTable, BuiltInTableHoldsFortyNineRowsOfWhichNineteenAreNewer) {
  auto builtIns = BuiltInFileTypes();
  ASSERT_EQ(builtIns.size(), 49u);
  EXPECT_EQ(std::count_if(builtIns.begin(), builtIns.end(), [](const auto& t) { return t.newerSystemOnly; }), 19);
  EXPECT_EQ(builtIns.front().extension, "MPL");
  EXPECT_EQ(builtIns.back().extension, "WRD");
}

TEST(FileTypeTable, ResetLeavesOutNewerRowsOnAnOlderSystem) {
  FileTypeTable newer;
  newer.Reset(true);
  FileTypeTable older;
  older.Reset(false);
  EXPECT_EQ(newer.Size(), 49u);
  EXPECT_EQ(older.Size(), 30u);
  EXPECT_EQ(newer.CategoryOf("a.wma"), '1');
  EXPECT_EQ(older.CategoryOf("a.wma"), file_category::kUnknown);
  EXPECT_EQ(older.CategoryOf("a.wav"), '1');
}

TEST(FileTypeTable, CategoryOfTakesTheUpperCasedExtensionOfTheFileName) {
  FileTypeTable table;
  table.Reset(true);
  EXPECT_EQ(table.CategoryOf("C:\\music\\song.mid"), '1');
  EXPECT_EQ(table.CategoryOf("song.Mp3"), '1');
  EXPECT_EQ(table.CategoryOf("list.MPL"), 'F');
  EXPECT_EQ(table.CategoryOf("C:\\dir.mid\\README"), file_category::kUnknown);
  EXPECT_EQ(table.CategoryOf("archive.tar.lzh"), 'L');
  EXPECT_EQ(table.CategoryOf("C:\\" + cp932::FromUtf8(u8"表\\ソ.txt")), 'T');
  EXPECT_EQ(table.CategoryOf("noextension"), file_category::kUnknown);
  EXPECT_EQ(table.CategoryOf("song.xyz"), file_category::kUnknown);
  // A row with an empty extension answers for names without one.
  table.Append({'0', ""});
  EXPECT_EQ(table.CategoryOf("noextension"), '0');
}

TEST(FileTypeTable, SetCategoryUpdatesOrAddsAndKeepsTheTableSorted) {
  FileTypeTable table;
  table.Reset(true);
  table.Sort();
  EXPECT_TRUE(table.SetCategory("x.mp3", '0'));
  EXPECT_EQ(table.CategoryOf("y.MP3"), '0');
  EXPECT_EQ(table.Size(), 49u);
  EXPECT_TRUE(table.SetCategory("tune.flac", '1'));
  EXPECT_EQ(table.Size(), 50u);
  EXPECT_EQ(table.CategoryOf("a.FLAC"), '1');
  EXPECT_TRUE(IsSortedByUnsignedBytes(table));
}

TEST(FileTypeTable, SetCategoryStopsAddingAt254Rows) {
  FileTypeTable table = TableOfSize(253);
  EXPECT_TRUE(table.SetCategory("a.NEW1", '1'));
  ASSERT_EQ(table.Size(), 254u);
  EXPECT_FALSE(table.SetCategory("a.NEW2", '1'));
  EXPECT_EQ(table.CategoryOf("a.NEW2"), file_category::kUnknown);
  EXPECT_TRUE(table.SetCategory("a.new1", '0'));
  EXPECT_EQ(table.CategoryOf("a.NEW1"), '0');
  EXPECT_EQ(table.Size(), 254u);
}

TEST(FileTypeTable, NthExtensionWalksOneCategoryInTableOrder) {
  FileTypeTable table;
  table.Reset(true);
  EXPECT_EQ(table.NthExtension('T', 0), "TXT");  // built-in order before sorting
  table.Sort();
  EXPECT_EQ(table.NthExtension('T', 0), "DOC");
  EXPECT_EQ(table.NthExtension('T', 1), "HED");
  EXPECT_EQ(table.NthExtension('T', 2), "TXT");
  EXPECT_EQ(table.NthExtension('T', 3), "");
  EXPECT_EQ(table.NthExtension('?', 0), "");
}

TEST(FileTypeTable, SortOrdersByUnsignedBytesAndMovesRepeatedRowsAsTheExchangeSortDoes) {
  std::string halfWidthKana = cp932::FromUtf8(u8"ｱ");  // 0xB1, above every ASCII letter
  FileTypeTable table;
  table.Append({'1', halfWidthKana});
  table.Append({'1', "B"});
  table.Append({'0', "B"});
  table.Append({'1', "A"});
  table.Sort();
  EXPECT_TRUE(IsSortedByUnsignedBytes(table));
  EXPECT_EQ(table.Row(3).extension, halfWidthKana);
  // Row 0 is exchanged with each smaller row after it, which turns the two
  // B rows round; CategoryOf then answers with the row that came second.
  EXPECT_EQ(table.CategoryOf("x.B"), '0');
}

TEST(FileTypeTable, MergeRestoresProgramDefinedCategoriesOnly) {
  FileTypeTable table;
  table.Append({'1', "MPL"});
  table.Append({'0', "MP3"});
  table.Append({'1', "ZIP"});
  table.Append({'1', "mid"});
  table.MergeBuiltIns(true);
  EXPECT_EQ(table.CategoryOf("a.mpl"), 'F');
  EXPECT_EQ(table.CategoryOf("a.zip"), 'Z');
  EXPECT_EQ(table.CategoryOf("a.mp3"), '0');
  // Media rows are not added back, and the comparison is exact.
  EXPECT_EQ(table.CategoryOf("a.wav"), file_category::kUnknown);
  EXPECT_EQ(table.NthExtension('1', 0), "mid");
  EXPECT_EQ(table.CategoryOf("a.KBM"), 'K');
  EXPECT_EQ(table.CategoryOf("a.OGG"), 'V');
  EXPECT_TRUE(IsSortedByUnsignedBytes(table));
}

TEST(FileTypeTable, MergeFillsTheTableUpTo255RowsButNoFurther) {
  FileTypeTable almostFull = TableOfSize(253);
  almostFull.MergeBuiltIns(true);
  EXPECT_EQ(almostFull.Size(), 255u);

  FileTypeTable full = TableOfSize(254);
  full.Append({'1', "LZH"});
  full.MergeBuiltIns(true);
  EXPECT_EQ(full.Size(), 255u);
  EXPECT_EQ(full.CategoryOf("a.LZH"), 'L');
  EXPECT_FALSE(full.Append({'1', "MORE"}));
}

TEST(FileTypeTable, MergeOnAnOlderSystemAddsNoNewerRows) {
  FileTypeTable table;
  table.Append({'1', "MID"});
  table.MergeBuiltIns(false);
  // Every built-in list, archive, converter and document row exists on both.
  for (const auto& type : BuiltInFileTypes()) {
    if (type.category == '1' || type.category == '0') continue;
    EXPECT_EQ(table.CategoryOf("a." + std::string(type.extension)), type.category) << type.extension;
  }
}

}  // namespace
}  // namespace koru
