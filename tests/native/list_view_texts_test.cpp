#include "playback/list_view_texts.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "settings/settings.h"

namespace koru {
namespace {

std::string J(std::u8string_view text) { return cp932::FromUtf8(text); }

MediaEntry Entry(std::string path, std::string time = "0", std::string rate = "") {
  MediaEntry entry;
  entry.path = std::move(path);
  entry.time = std::move(time);
  entry.rate = std::move(rate);
  return entry;
}

TEST(ListViewTexts, TimeCellAndPanelTime) {
  struct Case {
    std::string time;
    std::string cell;
    std::u8string panel;
  };
  const Case cases[] = {
      {"59999", "00:59", u8"59 秒"},
      {"60000", "01:00", u8"1 分 0 秒"},
      {"999", "00:00", u8""},
      {"6000000", "00:00", u8"100 分 0 秒"},  // the list wraps at 100 minutes, the panel does not
      {"6061000", "01:01", u8"101 分 1 秒"},
      {"0", "", u8""},
      {"-5000", "", u8""},
      {"", "", u8""},
      {"12x", "", u8""},
      {"abc", "", u8""},
      {"+61000", "01:01", u8"1 分 1 秒"},
      {"4294967296000", "88:16", u8"71582788 分 16 秒"},  // more than 32 bits
      {"99999999999999999999", "", u8""},                 // more than 64 bits: not a number
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CellText(Entry("a.mid", c.time), 0, list_column::kTime, false), c.cell) << c.time;
    EXPECT_EQ(PanelPlayTime(c.time), J(c.panel)) << c.time;
  }
}

TEST(ListViewTexts, RateShowsAtMostThreeMarks) {
  const std::pair<std::string, std::u8string> cases[] = {
      {"", u8""}, {"0", u8""}, {"1", u8"○"}, {"3", u8"○○○"}, {"99", u8"○○○"}, {"-1", u8""}, {"x", u8""}};
  for (const auto& [rate, marks] : cases) {
    EXPECT_EQ(CellText(Entry("a.mid", "0", rate), 0, list_column::kRate, false), J(marks)) << rate;
  }
}

TEST(ListViewTexts, FolderAndFileNameColumns) {
  const std::string table = J(u8"表");  // its trail byte is 0x5C
  ASSERT_EQ(table[1], '\\');
  struct Case {
    std::string path;
    std::string parent;
    std::string file;
  };
  const Case cases[] = {
      {"C:\\music\\" + table + "\\a.mid", table, "a.mid"},
      {"C:\\" + table + "\\" + table + ".mid", table, table + ".mid"},
      {"C:\\x.lzh", "", "x.lzh"},  // an archive in the root of a drive
      {"C:\\old.dir\\a.mid", "old.dir", "a.mid"},
      {"sub\\a.mid", "sub", "a.mid"},
      {"a.mid", "", "a.mid"},
      {"\\\\server\\share\\a.mid", "", "a.mid"},
  };
  for (const Case& c : cases) {
    MediaEntry entry = Entry(c.path);
    EXPECT_EQ(CellText(entry, 0, list_column::kParentFolder, false), c.parent) << c.path;
    EXPECT_EQ(CellText(entry, 0, list_column::kFileName, false), c.file) << c.path;
  }
}

TEST(ListViewTexts, TextColumnsAndRowNumber) {
  MediaEntry entry = Entry("a.mid");
  entry.title = "a  b";
  entry.producer = "c  d";
  entry.copyright = "e  f";
  entry.source = "g  h";
  EXPECT_EQ(CellText(entry, 41, list_column::kTrack, false), "42");
  EXPECT_EQ(CellText(entry, 0, list_column::kTitle, false), "a  b");
  EXPECT_EQ(CellText(entry, 0, list_column::kTitle, true), "a b");
  EXPECT_EQ(CellText(entry, 0, list_column::kArtist, true), "c d");
  EXPECT_EQ(CellText(entry, 0, list_column::kComment, true), "e f");
  EXPECT_EQ(CellText(entry, 0, list_column::kAlbum, true), "g  h") << "the album is shown as stored";
  EXPECT_EQ(CellText(entry, 0, 9, false), "");
}

TEST(ListViewTexts, ColumnCaptionsFollowTheFont) {
  EXPECT_EQ(ColumnCaption(list_column::kParentFolder, "MS UI Gothic"), J(u8"親フォルダ名"));
  EXPECT_EQ(ColumnCaption(list_column::kParentFolder, J(u8"ＭＳ Ｐゴシック")), J(u8"親ﾌｫﾙﾀﾞ名"));
  EXPECT_EQ(ColumnCaption(list_column::kTime, "Tahoma"), J(u8"時間"));
}

TEST(InfoPanelTexts, DetailsByKind) {
  MediaEntry entry = Entry("C:\\x.lzh", "61000");
  entry.member = "a.mid";
  entry.title = "T";
  entry.producer = "P";
  entry.copyright = "C";
  entry.source = "S";
  entry.kind = "SMF";
  InfoPanelTexts smf = MakeInfoPanelTexts(&entry, {.fontName = "Tahoma"});
  EXPECT_EQ(smf.stats[1], "C:\\x.lzh>a.mid");
  EXPECT_EQ(smf.stats[2], "T");
  EXPECT_EQ(smf.editText, "T");
  EXPECT_EQ(smf.stats[3], J(u8"1 分 1 秒"));
  EXPECT_EQ((std::array{smf.stats[4], smf.stats[5], smf.stats[6]}), (std::array<std::string, 3>{"C", "S", "P"}));
  EXPECT_EQ(smf.items[4], J(u8"著作権 :"));
  EXPECT_TRUE(smf.headShown && smf.detailsShown);
  EXPECT_FALSE(smf.editShown);

  entry.kind = "MP3";
  InfoPanelTexts mp3 = MakeInfoPanelTexts(&entry, {.fontName = "MS UI Gothic", .titleEditMode = true});
  EXPECT_EQ((std::array{mp3.stats[4], mp3.stats[5], mp3.stats[6]}), (std::array<std::string, 3>{"P", "S", "C"}));
  EXPECT_EQ(mp3.items[0], J(u8"メディア情報"));
  EXPECT_EQ(mp3.items[4], J(u8"アーティスト :"));
  EXPECT_TRUE(mp3.editShown);

  entry.kind = "";
  InfoPanelTexts other = MakeInfoPanelTexts(&entry, {.fontName = "Tahoma"});
  EXPECT_FALSE(other.detailsShown);
  EXPECT_EQ(other.items[6], J(u8"ﾃﾞｰﾀ制作 :"));
}

TEST(InfoPanelTexts, NoEntryAndHiddenInformation) {
  InfoPanelTexts none = MakeInfoPanelTexts(nullptr, {.fontName = "Tahoma", .titleEditMode = true});
  EXPECT_TRUE(none.headShown);
  EXPECT_FALSE(none.editShown);
  EXPECT_FALSE(none.detailsShown);
  EXPECT_EQ(none.stats[1], "");
  EXPECT_EQ(none.items[1], J(u8"ﾌｧｲﾙ名 :"));

  MediaEntry entry = Entry("a.mid");
  entry.kind = "SMF";
  entry.title = "x    y";
  InfoPanelTexts hidden = MakeInfoPanelTexts(&entry, {.hideInformation = true, .titleEditMode = true, .compactBlanks = true});
  EXPECT_FALSE(hidden.headShown || hidden.editShown || hidden.detailsShown);
  EXPECT_EQ(hidden.stats[2], "x y");
}

}  // namespace
}  // namespace koru
