#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "medialist/list_file.h"
#include "platform/cp932.h"
#include "support/fake_file_system.h"

namespace koru {
namespace {

using cp932::FromUtf8;

constexpr const char* kProgramFolder = "C:\\KORU\\";
constexpr const char* kListPath = "D:\\lists\\my.mpl";

std::string ExpectedFreshList() {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "data/lists/fresh_empty_list.mpl";
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// An own-format file: the header line, then the given lines, each ended by `end`.
std::string OwnList(std::initializer_list<std::string_view> lines, std::string_view end = "\r\n") {
  std::string bytes = "MEDIA-PLAYER KORU List File";
  bytes += end;
  for (std::string_view line : lines) {
    bytes += line;
    bytes += end;
  }
  return bytes;
}

MediaEntry FullEntry(const std::string& tag) {
  MediaEntry entry;
  entry.path = "E:\\music\\" + tag + ".mid";
  entry.member = "member" + tag;
  entry.title = FromUtf8(u8"表題 ") + tag;  // "表" ends in the byte 0x5C
  entry.time = "123456";
  entry.kind = "SMF";
  entry.producer = "producer " + tag;
  entry.copyright = "(c) " + tag;
  entry.source = "SC-88";
  entry.savedTitle = " ";
  entry.rate = "2";
  return entry;
}

void ExpectSameEntry(const MediaEntry& actual, const MediaEntry& expected) {
  EXPECT_EQ(actual.path, expected.path);
  EXPECT_EQ(actual.member, expected.member);
  EXPECT_EQ(actual.title, expected.title);
  EXPECT_EQ(actual.time, expected.time);
  EXPECT_EQ(actual.kind, expected.kind);
  EXPECT_EQ(actual.producer, expected.producer);
  EXPECT_EQ(actual.copyright, expected.copyright);
  EXPECT_EQ(actual.source, expected.source);
  EXPECT_EQ(actual.savedTitle, expected.savedTitle);
  EXPECT_EQ(actual.rate, expected.rate);
}

class ListFileTest : public ::testing::Test {
 protected:
  ListFileTest() : list_(kProgramFolder) { list_.SetListPath(kListPath); }

  // Loads `bytes` as the list file into a fresh list.
  bool LoadBytes(std::string bytes) {
    files_.AddFile(kListPath, std::move(bytes));
    return LoadList(list_, files_);
  }
  // A list that already holds an entry, to see that a rejected file leaves it.
  void PutEntryInList() {
    ASSERT_TRUE(list_.AppendRaw(FullEntry("kept")));
    list_.SetHeaderField(0, "kept title");
  }
  void ExpectListUntouched() {
    ASSERT_EQ(list_.Count(), 1);
    EXPECT_EQ(list_.Entry(0).path, FullEntry("kept").path);
    EXPECT_EQ(list_.HeaderField(0), "kept title");
  }

  testing::FakeFileSystem files_;
  MediaList list_;
};

TEST_F(ListFileTest, AFreshEmptyListIsWrittenAsExactlyTheTwentySevenHeaderLines) {
  const std::string expected = ExpectedFreshList();
  ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 27) << "the expected file is missing";
  ASSERT_TRUE(SaveList(list_, files_, {}));
  EXPECT_EQ(files_.Contents(kListPath), expected);
}

TEST_F(ListFileTest, SaveThenLoadGivesTheSameEntriesFieldsAndHeaderButNoPlayedFlags) {
  const std::string longValue(3000, 'x');  // far beyond a line buffer of 1,024 bytes
  std::vector<MediaEntry> written = {FullEntry("1"), FullEntry("2"), MediaEntry{}, FullEntry("4")};
  written[1].copyright = longValue;
  written[3].played = 1;
  for (const MediaEntry& entry : written) ASSERT_TRUE(list_.AppendRaw(entry));
  for (int n = 0; n < MediaList::kHeaderFieldCount; ++n) list_.SetHeaderField(n, FromUtf8(u8"見出し") + std::to_string(n));
  list_.SetCurrentIndex(2);
  ASSERT_TRUE(SaveList(list_, files_, {}));

  MediaList loaded(kProgramFolder);
  loaded.SetListPath(kListPath);
  ASSERT_TRUE(LoadList(loaded, files_));
  ASSERT_EQ(loaded.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    ExpectSameEntry(loaded.Entry(i), written[static_cast<std::size_t>(i)]);
    EXPECT_EQ(loaded.Entry(i).played, 0) << "played flags live in KORU.ini";
  }
  EXPECT_EQ(loaded.Entry(1).copyright, longValue);
  for (int n = 0; n < MediaList::kHeaderFieldCount; ++n) EXPECT_EQ(loaded.HeaderField(n), list_.HeaderField(n));
  EXPECT_EQ(loaded.CurrentIndex(), 0);
  EXPECT_EQ(files_.Contents(kListPath), FormatOwnList(loaded)) << "a loaded list writes back byte for byte";
}

TEST_F(ListFileTest, LineEndsSpacesAndControlBytes) {
  // LF alone, trailing spaces kept, a TAB or any control byte cuts the value,
  // and the last line is read although no line feed ends it.
  ASSERT_TRUE(LoadBytes("MEDIA-PLAYER KORU List File\n"
                        "0:title  \n"
                        "a:E:\\a.mid \n"
                        "c:cut\there\n"
                        "f:stops\x01here\r\n"
                        "g:\x7f\x80\xff kept\n"
                        "j:3"));
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.HeaderField(0), "title  ");
  EXPECT_EQ(list_.Entry(0).path, "E:\\a.mid ");
  EXPECT_EQ(list_.Entry(0).title, "cut");
  EXPECT_EQ(list_.Entry(0).producer, "stops");
  EXPECT_EQ(list_.Entry(0).copyright, "\x7f\x80\xff kept");
  EXPECT_EQ(list_.Entry(0).rate, "3") << "a last line without a line feed is read";

  ASSERT_TRUE(LoadBytes("MEDIA-PLAYER KORU List File"));
  EXPECT_EQ(list_.Count(), 0) << "a header alone is an empty list";
}

TEST_F(ListFileTest, AFirstLineThatIsNotTheHeaderLeavesTheListAlone) {
  PutEntryInList();
  for (std::string bytes : {std::string("MEDIA-PLAYER KORU List File \r\na:x\r\n"),
                            std::string("MEDIA-PLAYER KORU List Fil\r\na:x\r\n"),
                            std::string("media-player koru list file\r\na:x\r\n"),
                            std::string(" MEDIA-PLAYER KORU List File\r\na:x\r\n"),
                            std::string("\r\nMEDIA-PLAYER KORU List File\r\na:x\r\n"), std::string(),
                            std::string("\0\0\0", 3)}) {
    SCOPED_TRACE(bytes);
    EXPECT_FALSE(LoadBytes(bytes));
    ExpectListUntouched();
  }
  EXPECT_EQ(list_.ListPath(), kListPath);
}

TEST_F(ListFileTest, LettersNeedAnEntryAndEveryOtherLineIsIgnored) {
  ASSERT_TRUE(LoadBytes(OwnList({"c:before any entry", "@", "6:six", "k:unknown", "", "; a:comment", "0", "1:x",
                                 "a:E:\\one.mid", "c:first", "c:second", "Z:upper", "a", "b:member", "a:E:\\three.mid"})));
  ASSERT_EQ(list_.Count(), 3) << "an \"a:\" line without \"@\" still forms an entry";
  EXPECT_EQ(list_.Entry(0).path, "E:\\one.mid");
  EXPECT_EQ(list_.Entry(0).title, "second") << "a later line replaces the earlier value";
  EXPECT_EQ(list_.Entry(1).path, "") << "a one-byte line gives an empty value";
  EXPECT_EQ(list_.Entry(1).member, "member");
  EXPECT_EQ(list_.Entry(1).time, "0") << "fields not in the file keep the defaults";
  EXPECT_EQ(list_.Entry(2).title, "");
  EXPECT_EQ(list_.HeaderField(0), "") << "a header line of one byte gives an empty value";
  EXPECT_EQ(list_.HeaderField(1), "x");
  EXPECT_EQ(list_.HeaderField(2), FromUtf8(u8"ＭＳ Ｐゴシック")) << "a loaded list starts from the default header";
}

TEST_F(ListFileTest, EntriesBeyondTheCapacityAreDroppedWithTheirFields) {
  list_.SetCapacity(2);
  ASSERT_TRUE(LoadBytes(OwnList({"a:one", "b:m1", "a:two", "b:m2", "c:t2", "a:three", "b:m3", "c:t3", "j:3", "a:four"})));
  ASSERT_EQ(list_.Count(), 2);
  EXPECT_EQ(list_.Entry(1).path, "two");
  EXPECT_EQ(list_.Entry(1).member, "m2") << "the dropped entry's fields must not land on the last kept one";
  EXPECT_EQ(list_.Entry(1).title, "t2");
  EXPECT_EQ(list_.Entry(1).rate, "");
}

TEST_F(ListFileTest, ControlBytesInAValueCannotForgeLinesOfTheirOwn) {
  MediaEntry entry = FullEntry("1");
  entry.title = "tag text\r\na:C:\\forged.mid";
  entry.producer = "tab\tcut";
  ASSERT_TRUE(list_.AppendRaw(entry));
  ASSERT_TRUE(SaveList(list_, files_, {}));

  MediaList loaded(kProgramFolder);
  loaded.SetListPath(kListPath);
  ASSERT_TRUE(LoadList(loaded, files_));
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(loaded.Entry(0).title, "tag text");
  EXPECT_EQ(loaded.Entry(0).producer, "tab");
}

TEST_F(ListFileTest, AFailedSaveKeepsTheOldFileAndMakesNoBackup) {
  files_.AddFile(kListPath, "old list");
  files_.FailWritesTo(kListPath);
  ASSERT_TRUE(list_.AppendRaw(FullEntry("1")));
  EXPECT_FALSE(SaveList(list_, files_, {.backupToProgramFolder = true}));
  EXPECT_EQ(files_.Contents(kListPath), "old list");
  EXPECT_FALSE(files_.Has("C:\\KORU\\my.bak"));
}

TEST_F(ListFileTest, TheBackupGoesToTheProgramFolderWhereverTheListLies) {
  ASSERT_TRUE(list_.AppendRaw(FullEntry("1")));
  ASSERT_TRUE(SaveList(list_, files_, {.backupToProgramFolder = false}));
  EXPECT_FALSE(files_.Has("C:\\KORU\\my.bak"));

  ASSERT_TRUE(SaveList(list_, files_, {.backupToProgramFolder = true}));
  ASSERT_TRUE(files_.Has("C:\\KORU\\my.bak"));
  EXPECT_EQ(files_.Contents("C:\\KORU\\my.bak"), files_.Contents(kListPath));

  list_.SetListPath(FromUtf8(u8"D:\\表.v1\\曲.一覧.mpl"));
  ASSERT_TRUE(SaveList(list_, files_, {.backupToProgramFolder = true}));
  EXPECT_TRUE(files_.Has(FromUtf8(u8"C:\\KORU\\曲.一覧.bak"))) << "only the last extension is replaced";
}

TEST_F(ListFileTest, AMissingListIsLookedForInTheProgramFolder) {
  files_.AddFile("C:\\KORU\\my.mpl", OwnList({"a:E:\\found.mid"}));
  ASSERT_TRUE(LoadList(list_, files_));
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\my.mpl");
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.Entry(0).path, "E:\\found.mid");

  list_.SetListPath("D:\\lists\\other.mpl");
  EXPECT_FALSE(LoadList(list_, files_));
  EXPECT_EQ(list_.ListPath(), "D:\\lists\\other.mpl") << "no file anywhere: the path stays";
  EXPECT_EQ(list_.Count(), 1);
}

TEST_F(ListFileTest, AMidiplayListIsTriedFirst) {
  ASSERT_TRUE(LoadBytes("[MIDIPLAY]\r\nnumtracks=2\r\n0=a.mid\r\n1=E:\\b.mid\r\n"));
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\my.mpl") << "the converted list is kept in the program folder";
  ASSERT_EQ(list_.Count(), 2);
  EXPECT_EQ(list_.Entry(0).path, "D:\\lists\\a.mid");
  EXPECT_EQ(list_.Entry(1).path, "E:\\b.mid");

  // An own list with a section line but no numtracks is still an own list.
  list_.SetListPath(kListPath);
  ASSERT_TRUE(LoadBytes(OwnList({"[MIDIPLAY]", "a:E:\\own.mid"})));
  EXPECT_EQ(list_.ListPath(), kListPath);
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.Entry(0).path, "E:\\own.mid");
}

}  // namespace
}  // namespace koru
