#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "medialist/list_file.h"
#include "platform/cp932.h"
#include "support/fake_file_system.h"

namespace koru {
namespace {

using cp932::FromUtf8;

constexpr const char* kProgramFolder = "C:\\KORU\\";
constexpr const char* kListPath = "D:\\lists\\my.mpl";
constexpr const char* kHeader = "MEDIA-PLAYER KORU List File\r\n";

MediaEntry FullEntry(const std::string& tag) {
  return MediaEntry{.path = "E:\\music\\" + tag + ".mid", .member = "member" + tag,
                    .title = FromUtf8(u8"表題 ") + tag,  // "表" ends in the byte 0x5C
                    .time = "123456", .kind = "SMF", .producer = "producer " + tag, .copyright = "(c) " + tag,
                    .source = "SC-88", .savedTitle = " ", .rate = "2"};
}

class ListFileTest : public ::testing::Test {
 protected:
  ListFileTest() : list_(kProgramFolder) { list_.SetListPath(kListPath); }

  bool LoadBytes(std::string bytes) {
    files_.AddFile(kListPath, std::move(bytes));
    return LoadList(list_, files_, kListPath) == ListRead::kRead;
  }
  // Saves list_ and loads the file into a second list.
  MediaList SavedAndLoaded(const ListFileOptions& options = {}) {
    EXPECT_TRUE(SaveList(list_, files_, options));
    MediaList loaded(kProgramFolder);
    EXPECT_EQ(LoadList(loaded, files_, kListPath), ListRead::kRead);
    return loaded;
  }

  testing::FakeFileSystem files_;
  MediaList list_;
};

TEST_F(ListFileTest, AFreshEmptyListIsWrittenAsExactlyTheTwentySevenHeaderLines) {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "data/lists/fresh_empty_list.mpl";
  std::ifstream in(path, std::ios::binary);
  const std::string expected(std::istreambuf_iterator<char>(in), {});
  ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 27) << "the expected file is missing";
  ASSERT_TRUE(SaveList(list_, files_, {}));
  EXPECT_EQ(files_.Contents(kListPath), expected);
}

TEST_F(ListFileTest, SaveThenLoadGivesTheSameEntriesAndHeaderButNoPlayedFlags) {
  MediaEntry longOne = FullEntry("2");
  longOne.copyright.assign(3000, 'x');  // far beyond a line buffer of 1,024 bytes
  longOne.played = 1;
  for (const MediaEntry& entry : {FullEntry("1"), longOne, MediaEntry{}}) ASSERT_TRUE(list_.AppendRaw(entry));
  for (int n = 0; n < MediaList::kHeaderFieldCount; ++n) list_.SetHeaderField(n, FromUtf8(u8"見出し") + std::to_string(n));
  list_.SetCurrentIndex(2);

  MediaList loaded = SavedAndLoaded();
  ASSERT_EQ(loaded.Count(), 3);
  EXPECT_EQ(loaded.Entry(1).copyright, longOne.copyright);
  EXPECT_EQ(loaded.Entry(1).played, 0) << "played flags live in KORU.ini";
  EXPECT_EQ(loaded.CurrentIndex(), 0);
  EXPECT_EQ(FormatOwnList(loaded), files_.Contents(kListPath)) << "every field and header field came back";
}

TEST_F(ListFileTest, LineEndsSpacesAndControlBytes) {
  // LF alone, trailing spaces kept, a TAB or any control byte cuts the value,
  // and the last line is read although no line feed ends it.
  ASSERT_TRUE(LoadBytes("MEDIA-PLAYER KORU List File\n0:title  \na:E:\\a.mid \nc:cut\there\n"
                        "f:stops\x01here\r\ng:\x7f\x80\xff kept\nj:3"));
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.HeaderField(0), "title  ");
  EXPECT_EQ(list_.Entry(0).path, "E:\\a.mid ");
  EXPECT_EQ(list_.Entry(0).title, "cut");
  EXPECT_EQ(list_.Entry(0).producer, "stops");
  EXPECT_EQ(list_.Entry(0).copyright, "\x7f\x80\xff kept");
  EXPECT_EQ(list_.Entry(0).rate, "3");

  // Nor can a control byte in a tag text forge a line of its own when saved.
  list_.Entry(0).title = "tag\r\na:C:\\forged.mid";
  MediaList loaded = SavedAndLoaded();
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(loaded.Entry(0).title, "tag");
}

TEST_F(ListFileTest, AFirstLineThatIsNotTheHeaderLeavesTheListAlone) {
  ASSERT_TRUE(list_.AppendRaw(FullEntry("kept")));
  list_.SetHeaderField(0, "kept title");
  for (std::string first : {"MEDIA-PLAYER KORU List File ", "MEDIA-PLAYER KORU List Fil", "media-player koru list file",
                            " MEDIA-PLAYER KORU List File", ""}) {
    EXPECT_FALSE(LoadBytes(first + "\r\na:x\r\n")) << first;
  }
  EXPECT_FALSE(LoadBytes(""));
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.Entry(0).path, FullEntry("kept").path);
  EXPECT_EQ(list_.HeaderField(0), "kept title");
}

TEST_F(ListFileTest, LettersNeedAnEntryAndEveryOtherLineIsIgnored) {
  ASSERT_TRUE(LoadBytes(std::string(kHeader) +
                        "c:before any entry\r\n@\r\n6:six\r\nk:unknown\r\n\r\n0\r\n1:x\r\n"
                        "a:E:\\one.mid\r\nc:first\r\nc:second\r\na\r\nb:member\r\n"));
  ASSERT_EQ(list_.Count(), 2) << "an \"a:\" line without \"@\" still forms an entry";
  EXPECT_EQ(list_.Entry(0).title, "second") << "a later line replaces the earlier value";
  EXPECT_EQ(list_.Entry(1).path, "") << "a one-byte line gives an empty value";
  EXPECT_EQ(list_.Entry(1).member, "member");
  EXPECT_EQ(list_.Entry(1).time, "0") << "fields not in the file keep the defaults";
  EXPECT_EQ(list_.HeaderField(1), "x");
  EXPECT_EQ(list_.HeaderField(2), FromUtf8(u8"ＭＳ Ｐゴシック")) << "a loaded list starts from the default header";
}

TEST_F(ListFileTest, TheBackupGoesToTheProgramFolderOnlyAfterASuccessfulSave) {
  ASSERT_TRUE(SaveList(list_, files_, {.backupToProgramFolder = false}));
  EXPECT_FALSE(files_.Has("C:\\KORU\\my.bak"));
  ASSERT_TRUE(SaveList(list_, files_, {.backupToProgramFolder = true}));
  EXPECT_EQ(files_.Contents("C:\\KORU\\my.bak"), files_.Contents(kListPath));

  list_.SetListPath(FromUtf8(u8"D:\\表.v1\\曲.一覧.mpl"));
  files_.AddFile(list_.ListPath(), "old list");
  files_.FailWritesTo(list_.ListPath());
  EXPECT_FALSE(SaveList(list_, files_, {.backupToProgramFolder = true}));
  EXPECT_EQ(files_.Contents(list_.ListPath()), "old list");
  EXPECT_FALSE(files_.Has(FromUtf8(u8"C:\\KORU\\曲.一覧.bak")));
}

TEST_F(ListFileTest, AMissingListIsLookedForInTheProgramFolder) {
  files_.AddFile("C:\\KORU\\my.mpl", std::string(kHeader) + "a:E:\\found.mid\r\n");
  ASSERT_EQ(LoadList(list_, files_, kListPath), ListRead::kRead);
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\my.mpl");
  EXPECT_EQ(list_.Count(), 1);

  EXPECT_EQ(LoadList(list_, files_, "D:\\lists\\other.mpl"), ListRead::kNotRead);
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\my.mpl") << "a list that did not load is not the list's file";
}

TEST_F(ListFileTest, AMidiplayListIsTriedFirstEvenBehindALoneCarriageReturn) {
  ASSERT_TRUE(LoadBytes(std::string(kHeader) + "a:E:\\own.mid\r[MIDIPLAY]\r\nnumtracks=1\r\n0=a.mid\r\n"));
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\my.mpl") << "the converted list is kept in the program folder";
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.Entry(0).path, "D:\\lists\\a.mid");

  // A section line without numtracks leaves an own list an own list.
  list_.SetListPath(kListPath);
  ASSERT_TRUE(LoadBytes(std::string(kHeader) + "[MIDIPLAY]\r\na:E:\\own.mid\r\n"));
  EXPECT_EQ(list_.ListPath(), kListPath);
  EXPECT_EQ(list_.Entry(0).path, "E:\\own.mid");
}

}  // namespace
}  // namespace koru
