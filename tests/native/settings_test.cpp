#include "settings/settings.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/cp932.h"
#include "support/fake_file_system.h"
#include "support/recording_associator.h"

namespace koru {
namespace {

constexpr const char* kFolder = "C:\\KORU\\";
constexpr const char* kIniPath = "C:\\KORU\\KORU.ini";
constexpr SystemVersion kWindowsXp{5, 1, 2600, 2};
constexpr SystemVersion kWindows2000{5, 0, 2195, 2};
constexpr SystemVersion kWindows95{4, 0, 950, 1};

std::string IniText(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// "[EXT]" lines for the given rows: type=<letters>, then 0=..., 1=...
std::string ExtSection(const std::vector<FileTypeRow>& rows) {
  std::string text = "[EXT]\r\ntype=";
  for (const FileTypeRow& row : rows) text += row.category;
  text += "\r\n";
  for (std::size_t i = 0; i < rows.size(); ++i) text += std::to_string(i) + "=" + rows[i].extension + "\r\n";
  return text;
}

std::vector<FileTypeRow> BuiltInRowsExcept(std::string_view left) {
  std::vector<FileTypeRow> rows;
  for (const BuiltInFileType& type : BuiltInFileTypes()) {
    if (type.extension != left) rows.push_back({type.category, std::string(type.extension)});
  }
  return rows;
}

bool IsSorted(const FileTypeTable& table) {
  for (std::size_t i = 1; i < table.Size(); ++i) {
    if (table.Row(i - 1).extension > table.Row(i).extension) return false;
  }
  return true;
}

// "SECTION/key" for every key line of an ini text, in file order.
std::vector<std::string> KeysInFileOrder(const std::string& text) {
  std::vector<std::string> keys;
  std::string section;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    if (line.empty()) continue;
    if (line.front() == '[') {
      section = line.substr(1, line.find(']') - 1);
    } else if (line.find('=') != std::string::npos) {
      keys.push_back(section + "/" + line.substr(0, line.find('=')));
    }
  }
  return keys;
}

TEST(Settings, DefaultsWithoutAnIniFile) {
  testing::FakeFileSystem fs;
  Settings settings(fs, kFolder, kWindowsXp);
  EXPECT_EQ(settings.IniPath(), kIniPath);
  EXPECT_EQ(settings.form.left, -1);
  EXPECT_EQ(settings.form.height, -1);
  EXPECT_EQ(settings.list.width[list_column::kTime], -1);
  EXPECT_EQ(settings.list.autoSize, 1);
  EXPECT_EQ(settings.list.count, 9999);
  EXPECT_EQ(settings.mpl.file, "_default.mpl");
  EXPECT_EQ(settings.mpl.repeat, 1);
  EXPECT_EQ(settings.button.order, "0123");
  EXPECT_EQ(settings.button.check, "1111111111");
  EXPECT_EQ(settings.opt.media, 1);
  EXPECT_EQ(settings.opt.focus, 1);
  EXPECT_EQ(settings.mouse.trackl, 2);
  EXPECT_EQ(settings.mouse.titler, 1);
  EXPECT_EQ(settings.timer.play, 100);
  EXPECT_EQ(settings.slider.smallStep, 40);
  EXPECT_EQ(settings.slider.largeStep, 4);
  EXPECT_EQ(settings.font.name, "MS UI Gothic");
  EXPECT_EQ(settings.RecentFile(0), "");
  // Track, title and time columns.
  for (int column = 0; column < list_column::kCount; ++column) {
    bool expected = column == list_column::kTrack || column == list_column::kTitle || column == list_column::kTime;
    EXPECT_EQ(settings.ColumnShown(column), expected) << column;
  }
  // Reading the missing file writes nothing.
  EXPECT_EQ(fs.writes, 0);
}

TEST(Settings, DefaultFontAndFileTypesDependOnTheSystemVersion) {
  testing::FakeFileSystem fs;
  Settings xp(fs, kFolder, kWindowsXp);
  Settings w2000(fs, kFolder, kWindows2000);
  Settings w95(fs, kFolder, kWindows95);
  EXPECT_EQ(xp.FileTypes().Size(), 49u);
  EXPECT_EQ(w2000.FileTypes().Size(), 30u);
  EXPECT_EQ(w95.FileTypes().Size(), 30u);
  EXPECT_TRUE(IsSorted(xp.FileTypes()));
  EXPECT_TRUE(IsSorted(w95.FileTypes()));
  EXPECT_EQ(w2000.font.name, "MS UI Gothic");
  EXPECT_EQ(w95.font.name, cp932::FromUtf8(u8"ＭＳ Ｐゴシック"));
}

TEST(Settings, ValuesOfTheWrongFormReadAsTheDefault) {
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, IniText({"[FORM]", "left=abc", "top=", "width=12px", "[LIST]", "count=lots"}));
  Settings settings(fs, kFolder, kWindowsXp);
  EXPECT_EQ(settings.form.left, -1);
  EXPECT_EQ(settings.form.top, -1);
  EXPECT_EQ(settings.form.width, 12);
  EXPECT_EQ(settings.list.count, 9999);
}

// A value of its own for every key of the table: numbers from 101, texts in
// code page 932 with a blank in front (written quoted, read back whole).
std::vector<std::string> DistinctValuesFor(std::span<const SettingKey> keys) {
  std::vector<std::string> values;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    values.push_back(std::holds_alternative<IntKey>(keys[i].value)
                         ? std::to_string(101 + i)
                         : " " + cp932::FromUtf8(u8"値") + std::to_string(i));
  }
  return values;
}

std::string FieldText(const SettingKey& key, Settings& settings) {
  if (const auto* number = std::get_if<IntKey>(&key.value)) return std::to_string(number->field(settings));
  return std::get<TextKey>(key.value).field(settings);
}

TEST(SettingsTable, EveryKeyReadsIntoAFieldOfItsOwnAndIsWrittenBackFromIt) {
  const std::span<const SettingKey> keys = SettingKeys();
  const std::vector<std::string> values = DistinctValuesFor(keys);
  IniDocument written;
  for (std::size_t i = 0; i < keys.size(); ++i) written.Set(keys[i].section, keys[i].key, values[i]);
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, written.Serialize());
  Settings settings(fs, kFolder, kWindowsXp);
  // Two keys sharing a field would leave one of them with the other's value.
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(FieldText(keys[i], settings), values[i]) << keys[i].section << "/" << keys[i].key;
  }
  // The fields the record's readers know the keys by.
  EXPECT_EQ(settings.form.left, 101);
  EXPECT_EQ(settings.slider.largeStep, static_cast<int>(100 + keys.size()));
  const struct {
    const char* key;
    int column;
  } widths[] = {{"track", list_column::kTrack},    {"level", list_column::kRate},    {"ppath", list_column::kParentFolder},
                {"fname", list_column::kFileName}, {"title", list_column::kTitle},   {"progr", list_column::kArtist},
                {"copyr", list_column::kComment},  {"insmt", list_column::kAlbum},   {"timer", list_column::kTime}};
  for (const auto& width : widths) {
    EXPECT_EQ(std::to_string(settings.list.width[static_cast<std::size_t>(width.column)]), written.Get("LIST", width.key))
        << width.key;
  }

  // Saved over an empty file, every key comes back with its value.
  fs.RemoveFile(kIniPath);
  settings.SaveSettings();
  const IniDocument saved = IniDocument::Parse(fs.Contents(kIniPath));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(saved.Get(keys[i].section, keys[i].key), values[i]) << keys[i].section << "/" << keys[i].key;
  }
}

TEST(Settings, FileTypesAndRecentFilesSurviveASaveAndALoad) {
  testing::FakeFileSystem fs;
  {
    Settings settings(fs, kFolder, kWindowsXp);
    settings.SetCategory("x.flac", '1');
    settings.SetCategory("x.mp3", '0');
    settings.AddRecentFile("C:\\a.mpl");
    settings.AddRecentFile("C:\\b.mpl");
    settings.SaveSettings();
  }
  Settings reloaded(fs, kFolder, kWindowsXp);
  EXPECT_EQ(reloaded.FileTypes().Size(), 50u);
  EXPECT_EQ(reloaded.CategoryOf("y.FLAC"), '1');
  EXPECT_EQ(reloaded.CategoryOf("y.mp3"), '0');
  EXPECT_EQ(reloaded.RecentFile(0), "C:\\b.mpl");
  EXPECT_EQ(reloaded.RecentFile(1), "C:\\a.mpl");
  EXPECT_EQ(reloaded.RecentFile(2), "");
}

TEST(Settings, SaveWritesTheKeysInTheirOrder) {
  testing::FakeFileSystem fs;
  Settings settings(fs, kFolder, kWindows95);
  settings.SaveSettings();
  std::vector<std::string> expected = {
      "FORM/left", "FORM/top", "FORM/width", "FORM/height", "FORM/title", "FORM/extend",
      "LIST/track", "LIST/level", "LIST/ppath", "LIST/fname", "LIST/title", "LIST/progr", "LIST/copyr",
      "LIST/insmt", "LIST/timer", "LIST/auto", "LIST/count", "LIST/check",
      "MPL/file", "MPL/play", "MPL/track", "MPL/repeat", "MPL/random",
      "BUTTON/order", "BUTTON/check",
      "IMAGE/image", "IMAGE/data", "IMAGE/list", "IMAGE/file", "IMAGE/center", "IMAGE/size", "IMAGE/panel",
      "FONT/name", "PANEL/color",
      "OPT/tray", "OPT/blank", "OPT/sstp", "OPT/media", "OPT/title", "OPT/backf", "OPT/movnr", "OPT/movew",
      "OPT/focus",
      "MOUSE/trackl", "MOUSE/trackr", "MOUSE/titlel", "MOUSE/titler",
      "TIMER/play", "TIMER/gap", "SLIDER/small", "SLIDER/large"};
  for (int row = 0; row < 30; ++row) expected.push_back("EXT/" + std::to_string(row));
  expected.push_back("EXT/type");
  for (int i = 0; i < 10; ++i) expected.push_back("LAST/" + std::to_string(i));
  // A new file groups the keys under their sections in the order the
  // sections first appear; LIST check lands after the other LIST keys.
  EXPECT_EQ(KeysInFileOrder(fs.Contents(kIniPath)), expected);
  EXPECT_EQ(fs.writes, 1);
}

TEST(Settings, SaveKeepsUnknownKeysCommentsAndLeavesObsoleteKeysOut) {
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, IniText({"; written by hand", "[FORM]", "left=5", "plugin=yes", "[OPT]", "dirnm=0",
                                "copyr=0", "[OTHER]", "x=1"}));
  Settings settings(fs, kFolder, kWindowsXp);
  settings.form.left = 6;
  settings.SaveSettings();
  IniDocument saved = IniDocument::Parse(fs.Contents(kIniPath));
  EXPECT_EQ(fs.Contents(kIniPath).rfind("; written by hand\r\n[FORM]\r\nleft=6\r\n", 0), 0u);
  EXPECT_EQ(saved.Get("FORM", "plugin"), "yes");
  EXPECT_EQ(saved.Get("OTHER", "x"), "1");
  // Present ones are left as they were, missing ones are not created.
  EXPECT_EQ(saved.Get("OPT", "dirnm"), "0");
  EXPECT_EQ(saved.Get("OPT", "copyr"), "0");
  testing::FakeFileSystem fresh;
  Settings(fresh, kFolder, kWindowsXp).SaveSettings();
  EXPECT_EQ(IniDocument::Parse(fresh.Contents(kIniPath)).Get("OPT", "dirnm"), std::nullopt);
}

TEST(Settings, AFailedSaveIsNotReportedAndLeavesTheOldFile) {
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, IniText({"[FORM]", "left=5"}));
  fs.FailWritesTo(kIniPath);
  Settings settings(fs, kFolder, kWindowsXp);
  settings.form.left = 9;
  settings.SaveSettings();
  EXPECT_EQ(fs.Contents(kIniPath), IniText({"[FORM]", "left=5"}));
}

TEST(Settings, MigratesOneObsoleteColumnSwitchPerLoadAndWritesAtOnce) {
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, IniText({"[LIST]", "check=100100001", "[OPT]", "dirnm=1", "copyr=1", "tray=1"}));
  Settings settings(fs, kFolder, kWindowsXp);
  EXPECT_EQ(fs.writes, 1);
  EXPECT_TRUE(settings.ColumnShown(list_column::kParentFolder));
  EXPECT_FALSE(settings.ColumnShown(list_column::kArtist));
  IniDocument afterFirst = IniDocument::Parse(fs.Contents(kIniPath));
  EXPECT_EQ(afterFirst.Get("LIST", "check"), "110100001");
  EXPECT_EQ(afterFirst.Get("OPT", "dirnm"), std::nullopt);
  EXPECT_EQ(afterFirst.Get("OPT", "copyr"), "1");
  // Only the migrated key and LIST check are written; other values stay in memory.
  EXPECT_EQ(afterFirst.Get("FORM", "left"), std::nullopt);
  EXPECT_EQ(settings.opt.tray, 1);

  settings.LoadSettings();
  EXPECT_EQ(fs.writes, 2);
  EXPECT_TRUE(settings.ColumnShown(list_column::kParentFolder));
  EXPECT_TRUE(settings.ColumnShown(list_column::kArtist));
  IniDocument afterSecond = IniDocument::Parse(fs.Contents(kIniPath));
  EXPECT_EQ(afterSecond.Get("LIST", "check"), "110110001");
  EXPECT_EQ(afterSecond.Get("OPT", "copyr"), std::nullopt);

  settings.LoadSettings();
  EXPECT_EQ(fs.writes, 2);
}

TEST(Settings, MigrationIgnoresSwitchesThatAreNotOne) {
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, IniText({"[OPT]", "dirnm=2", "copyr=0"}));
  Settings settings(fs, kFolder, kWindowsXp);
  EXPECT_EQ(fs.writes, 0);
  EXPECT_FALSE(settings.ColumnShown(list_column::kParentFolder));
}

TEST(Settings, LoadMergesTheBuiltInListAndArchiveRows) {
  std::vector<FileTypeRow> rows = BuiltInRowsExcept("MPL");
  for (FileTypeRow& row : rows) {
    if (row.extension == "MP3") row.category = '0';
    if (row.extension == "M3U") row.category = '1';
  }
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, ExtSection(rows));
  Settings settings(fs, kFolder, kWindowsXp);
  EXPECT_EQ(settings.FileTypes().Size(), 49u);
  EXPECT_EQ(settings.CategoryOf("a.mpl"), 'F');
  EXPECT_EQ(settings.CategoryOf("a.m3u"), 'U');
  EXPECT_EQ(settings.CategoryOf("a.mp3"), '0');
  EXPECT_TRUE(IsSorted(settings.FileTypes()));
}

TEST(Settings, LoadMakesNoMoreRowsThanTheTableHolds) {
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, "[EXT]\r\ntype=" + std::string(100000, '1') + "\r\n0=ABC\r\n");
  Settings settings(fs, kFolder, kWindowsXp);
  EXPECT_EQ(settings.FileTypes().Size(), FileTypeTable::kMaxRows);
  EXPECT_EQ(settings.CategoryOf("x.abc"), '1');
}

TEST(Settings, SaveDeletesStaleExtensionKeysUpToTheFirstMissingOne) {
  std::vector<FileTypeRow> rows = BuiltInRowsExcept("");
  rows.push_back({'1', "EXTRA"});  // 50 rows
  std::string ext = ExtSection(rows);
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, ext);
  Settings settings(fs, kFolder, kWindowsXp);
  ASSERT_EQ(settings.FileTypes().Size(), 50u);
  settings.ClearFileTypes();
  for (std::size_t i = 0; i < 40; ++i) settings.SetCategory("a." + rows[i].extension, rows[i].category);
  settings.SaveSettings();
  IniDocument saved = IniDocument::Parse(fs.Contents(kIniPath));
  EXPECT_EQ(saved.Get("EXT", "type")->size(), 40u);
  EXPECT_TRUE(saved.Get("EXT", "39"));
  for (int row = 40; row < 50; ++row) EXPECT_EQ(saved.Get("EXT", std::to_string(row)), std::nullopt) << row;

  // A gap stops the deletion: rows after it are left alone.
  IniDocument withGap = IniDocument::Parse(ext);
  withGap.Set("EXT", "45", "");
  fs.AddFile(kIniPath, withGap.Serialize());
  settings.LoadSettings();
  settings.ClearFileTypes();
  for (std::size_t i = 0; i < 40; ++i) settings.SetCategory("a." + rows[i].extension, rows[i].category);
  settings.SaveSettings();
  saved = IniDocument::Parse(fs.Contents(kIniPath));
  EXPECT_EQ(saved.Get("EXT", "44"), std::nullopt);
  EXPECT_EQ(saved.Get("EXT", "45"), "");
  EXPECT_TRUE(saved.Get("EXT", "46"));
}

TEST(Settings, ColumnAccessorsFollowListCheck) {
  testing::FakeFileSystem fs;
  Settings settings(fs, kFolder, kWindowsXp);
  settings.list.width[list_column::kArtist] = 80;
  EXPECT_EQ(settings.ColumnWidth(list_column::kArtist), 0);
  settings.SetColumnWidth(list_column::kArtist, 90);
  EXPECT_EQ(settings.list.width[list_column::kArtist], 80);
  settings.SetColumnShown(list_column::kArtist, true);
  EXPECT_EQ(settings.list.check, "100110001");
  settings.SetColumnWidth(list_column::kArtist, 90);
  EXPECT_EQ(settings.ColumnWidth(list_column::kArtist), 90);
  settings.SetColumnShown(list_column::kTrack, false);
  EXPECT_EQ(settings.list.check, "000110001");
  // Out-of-range numbers and a short text from a hand-edited file.
  EXPECT_FALSE(settings.ColumnShown(9));
  EXPECT_FALSE(settings.ColumnShown(-1));
  settings.SetColumnShown(9, true);
  EXPECT_EQ(settings.list.check, "000110001");
  settings.list.check = "1";
  EXPECT_FALSE(settings.ColumnShown(list_column::kTime));
  settings.SetColumnShown(list_column::kTitle, true);
  EXPECT_EQ(settings.list.check, "1001");
}

TEST(Settings, TimerPlayOutsideItsRangeIsCorrectedInTheRecord) {
  testing::FakeFileSystem fs;
  Settings settings(fs, kFolder, kWindowsXp);
  for (int interval : {100, 500, 900}) {
    settings.timer.play = interval;
    EXPECT_EQ(settings.CorrectTimerPlay(), interval);
  }
  for (int interval : {99, 901, 0, -100}) {
    settings.timer.play = interval;
    EXPECT_EQ(settings.CorrectTimerPlay(), 100) << interval;
    EXPECT_EQ(settings.timer.play, 100);
  }
}

TEST(Settings, AddRecentFileMovesAnExistingPathToTheTop) {
  testing::FakeFileSystem fs;
  Settings settings(fs, kFolder, kWindowsXp);
  int rebuilds = 0;
  settings.SetRecentMenuRebuilder([&] { ++rebuilds; });
  for (int i = 9; i >= 0; --i) settings.AddRecentFile("C:\\list" + std::to_string(i) + ".mpl");
  ASSERT_EQ(settings.RecentFile(3), "C:\\list3.mpl");
  settings.AddRecentFile("c:\\LIST3.MPL");
  EXPECT_EQ(settings.RecentFile(0), "c:\\LIST3.MPL");
  EXPECT_EQ(settings.RecentFile(1), "C:\\list0.mpl");
  EXPECT_EQ(settings.RecentFile(2), "C:\\list1.mpl");
  EXPECT_EQ(settings.RecentFile(3), "C:\\list2.mpl");
  for (int i = 4; i < 10; ++i) EXPECT_EQ(settings.RecentFile(i), "C:\\list" + std::to_string(i) + ".mpl");
  EXPECT_EQ(rebuilds, 11);

  // A new path drops the oldest; the oldest itself is never matched.
  settings.AddRecentFile("C:\\new.mpl");
  EXPECT_EQ(settings.RecentFile(0), "C:\\new.mpl");
  EXPECT_EQ(settings.RecentFile(9), "C:\\list8.mpl");
  settings.AddRecentFile("C:\\list8.mpl");
  EXPECT_EQ(settings.RecentFile(0), "C:\\list8.mpl");
  EXPECT_EQ(settings.RecentFile(9), "C:\\list7.mpl");
}

TEST(Settings, RecentFilesAreReadFromTheLastSection) {
  testing::FakeFileSystem fs;
  fs.AddFile(kIniPath, IniText({"[LAST]", "0=C:\\a.mpl", "9=C:\\z.mpl"}));
  Settings settings(fs, kFolder, kWindowsXp);
  EXPECT_EQ(settings.RecentFile(0), "C:\\a.mpl");
  EXPECT_EQ(settings.RecentFile(1), "");
  EXPECT_EQ(settings.RecentFile(9), "C:\\z.mpl");
}

TEST(Settings, AssociateMainTypesRegistersTheBuiltInMediaTypesOfThisSystem) {
  testing::FakeFileSystem fs;
  std::string description = cp932::FromUtf8(u8"ﾒﾃﾞｨｱﾌｧｲﾙ");
  auto call = [&](const std::string& ext) { return "C:\\KORU\\KORU.exe|." + ext + "|" + ext + "file|Play|" + description; };

  Settings xp(fs, kFolder, kWindowsXp);
  xp.SetCategory("a.wav", '0');  // the user's table does not matter
  testing::RecordingAssociator onXp;
  xp.AssociateMainTypes(onXp, "C:\\KORU\\KORU.exe");
  std::vector<std::string> expectedXp;
  for (const char* ext : {"WMA", "WAX", "WAV", "MP2", "MPA", "MP3", "MID", "MIDI", "RMI"}) expectedXp.push_back(call(ext));
  expectedXp.push_back("changed");  // once, after all of them
  EXPECT_EQ(onXp.calls, expectedXp);

  Settings w2000(fs, kFolder, kWindows2000);
  testing::RecordingAssociator on2000;
  w2000.AssociateMainTypes(on2000, "C:\\KORU\\KORU.exe");
  std::vector<std::string> expected2000;
  for (const char* ext : {"WAV", "MP2", "MP3", "MID", "RMI"}) expected2000.push_back(call(ext));
  expected2000.push_back("changed");
  EXPECT_EQ(on2000.calls, expected2000);
}

}  // namespace
}  // namespace koru
