#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "medialist/list_import.h"
#include "platform/cp932.h"
#include "support/fake_file_system.h"

namespace koru {
namespace {

using cp932::FromUtf8;

constexpr const char* kProgramFolder = "C:\\KORU\\";

// A media information reader that, while an import runs, overwrites the
// list being imported: the import must go on with the bytes it read.
class MeddlingReader : public MediaInfoReader {
 public:
  MeddlingReader(testing::FakeFileSystem& files, std::string listFile) : files_(files), listFile_(std::move(listFile)) {}
  bool Read(const MediaList&, const std::string& path, MediaEntry& entry) override {
    files_.WriteFileAtomically(listFile_, "garbage\r\n#\r\n");
    entry.kind = "SMF";
    entry.producer = "read " + path;
    return true;
  }

 private:
  testing::FakeFileSystem& files_;
  std::string listFile_;
};

class ListImportTest : public ::testing::Test {
 protected:
  ListImportTest() : list_(kProgramFolder) { list_.SetListPath("C:\\KORU\\_default.mpl"); }

  void PutEntryInList() { ASSERT_TRUE(list_.AppendRaw(MediaEntry{.path = "E:\\kept.mid"})); }
  void ExpectListUntouched() {
    ASSERT_EQ(list_.Count(), 1);
    EXPECT_EQ(list_.Entry(0).path, "E:\\kept.mid");
    EXPECT_EQ(list_.ListPath(), "C:\\KORU\\_default.mpl");
  }
  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (int i = 0; i < list_.Count(); ++i) paths.push_back(list_.Entry(i).path);
    return paths;
  }

  testing::FakeFileSystem files_;
  MediaList list_;
};

// KbMIDI lists

TEST_F(ListImportTest, KbMidiListGivesPathMemberAndTitlePerEntry) {
  files_.AddFile("D:\\kb\\set.kbm",
                 "KbMIDI Player Play List\r\n"
                 "1:member before any entry\r\n"
                 ";0:comment\r\n"
                 "0:E:\\one.lzh\r\n1:one.mid\r\n2:One\r\n3:ignored\r\n8:ignored\r\n9:ignored\r\n"
                 "0=E:\\two.mid\n"  // any separator byte
                 "2:Two\ttab cut\n"
                 "0:E:\\three.mid\r\n2:Three");  // no line feed at the end
  ASSERT_TRUE(ImportKbMidiList(list_, files_, "D:\\kb\\set.kbm"));
  EXPECT_EQ(list_.ListPath(), "D:\\kb\\set.mpl");
  EXPECT_EQ(Paths(), (std::vector<std::string>{"E:\\one.lzh", "E:\\two.mid", "E:\\three.mid"}));
  EXPECT_EQ(list_.Entry(0).member, "one.mid");
  EXPECT_EQ(list_.Entry(0).title, "One");
  EXPECT_EQ(list_.Entry(0).time, "0");
  EXPECT_EQ(list_.Entry(1).member, "");
  EXPECT_EQ(list_.Entry(1).title, "Two");
  EXPECT_EQ(list_.Entry(2).title, "Three") << "a last line without a line feed is read";
}

TEST_F(ListImportTest, KbMidiListWithAnotherFirstLineIsRefused) {
  PutEntryInList();
  for (std::string bytes : {std::string("KbMIDI Player Play List \r\n0:a\r\n"), std::string("KbMIDI Player Play\r\n"),
                            std::string("")}) {
    files_.AddFile("D:\\kb\\set.kbm", bytes);
    EXPECT_FALSE(ImportKbMidiList(list_, files_, "D:\\kb\\set.kbm"));
    ExpectListUntouched();
  }
  EXPECT_FALSE(ImportKbMidiList(list_, files_, "D:\\kb\\missing.kbm"));
  ExpectListUntouched();
}

TEST_F(ListImportTest, KbMidiEntriesBeyondTheCapacityAreDroppedWithTheirFields) {
  list_.SetCapacity(2);
  files_.AddFile("D:\\kb\\set.kbm", "KbMIDI Player Play List\r\n0:a\r\n0:b\r\n1:b.mid\r\n0:c\r\n1:c.mid\r\n2:C\r\n");
  ASSERT_TRUE(ImportKbMidiList(list_, files_, "D:\\kb\\set.kbm"));
  EXPECT_EQ(Paths(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(list_.Entry(1).member, "b.mid");
  EXPECT_EQ(list_.Entry(1).title, "");
}

TEST_F(ListImportTest, ImportsNeverTakeTheNameOfAnExistingList) {
  files_.AddFile("D:\\kb\\set.kbm", "KbMIDI Player Play List\r\n");
  files_.AddFile("D:\\kb\\set.mpl", "someone's own list");
  ASSERT_TRUE(ImportKbMidiList(list_, files_, "D:\\kb\\set.kbm"));
  EXPECT_EQ(list_.ListPath(), "D:\\kb\\set_2.mpl");

  files_.AddFile("D:\\kb\\set_2.mpl", "");
  files_.AddFolder("D:\\kb\\set_3.mpl");
  files_.AddFile("D:\\kb\\set.m3u", "a.mid\r\n");
  ASSERT_TRUE(ImportPlainList(list_, files_, "D:\\kb\\set.m3u"));
  EXPECT_EQ(list_.ListPath(), "D:\\kb\\set_4.mpl");

  // A folder whose names are all taken refuses the import instead of searching on.
  files_.AddFile("D:\\full\\x.m3u", "a.mid\r\n");
  files_.AddFile("D:\\full\\x.mpl", "");
  for (int n = 2; n <= 9999; ++n) files_.AddFile("D:\\full\\x_" + std::to_string(n) + ".mpl", "");
  EXPECT_FALSE(ImportPlainList(list_, files_, "D:\\full\\x.m3u"));
  EXPECT_EQ(list_.ListPath(), "D:\\kb\\set_4.mpl");
}

// Plain lists

TEST_F(ListImportTest, PlainListAddsOneFilePerLine) {
  list_.readInfoOnAdd = false;
  files_.AddFile(FromUtf8(u8"D:\\表\\list.m3u"),
                 "#EXTM3U\r\n"
                 "#EXTINF:123,Some Title\r\n"
                 "song.mid\r\n"
                 "\r\n"
                 "E:\\other\\b.mp3\n"
                 "SONG.MID\r\n"  // the same file in other letters
                 "\\root.mid\r\n"
                 "last.wav");
  ASSERT_TRUE(ImportPlainList(list_, files_, FromUtf8(u8"D:\\表\\list.m3u")));
  EXPECT_EQ(list_.ListPath(), FromUtf8(u8"D:\\表\\list.mpl"));
  EXPECT_EQ(Paths(), (std::vector<std::string>{FromUtf8(u8"D:\\表\\song.mid"), "E:\\other\\b.mp3", "\\root.mid",
                                               FromUtf8(u8"D:\\表\\last.wav")}));
  EXPECT_EQ(list_.Entry(0).title, "[song.mid]") << "titles are made from the file names";
  EXPECT_EQ(list_.CurrentIndex(), 0);
}

TEST_F(ListImportTest, PlainListThatIsEmptyOrMissingIsRefused) {
  PutEntryInList();
  files_.AddFile("D:\\l\\empty.m3u", "");
  EXPECT_FALSE(ImportPlainList(list_, files_, "D:\\l\\empty.m3u"));
  EXPECT_FALSE(ImportPlainList(list_, files_, "D:\\l\\missing.m3u"));
  ExpectListUntouched();

  files_.AddFile("D:\\l\\comments.m3u", "#EXTM3U\r\n\r\n");
  EXPECT_TRUE(ImportPlainList(list_, files_, "D:\\l\\comments.m3u"));
  EXPECT_EQ(list_.Count(), 0);
}

TEST_F(ListImportTest, PlainListThatOverflowsTheListEmptiesIt) {
  list_.SetCapacity(2);
  files_.AddFile("D:\\l\\three.m3u", "a.mid\r\nb.mid\r\nc.mid\r\n");
  EXPECT_FALSE(ImportPlainList(list_, files_, "D:\\l\\three.m3u"));
  EXPECT_EQ(list_.Count(), 0);
}

TEST_F(ListImportTest, MediaInformationReadDuringTheImportDoesNotDisturbIt) {
  MeddlingReader reader(files_, "D:\\l\\list.m3u");
  list_.SetInfoReader(&reader);
  list_.readInfoOnAdd = true;
  files_.AddFile("D:\\l\\list.m3u", "a.mid\r\nb.mid\r\nc.mid\r\n");
  ASSERT_TRUE(ImportPlainList(list_, files_, "D:\\l\\list.m3u"));
  EXPECT_EQ(Paths(), (std::vector<std::string>{"D:\\l\\a.mid", "D:\\l\\b.mid", "D:\\l\\c.mid"}));
  EXPECT_EQ(list_.Entry(2).producer, "read D:\\l\\c.mid");
}

// MIDIPLAY lists

TEST_F(ListImportTest, MidiplayValuesAreTakenFromTheListsFolderUnlessTheySayWhere) {
  list_.readInfoOnAdd = false;
  files_.AddFile("D:\\mp\\songs.mpl",
                 "[MIDIPLAY]\r\n"
                 "numtracks=5\r\n"
                 "0=bare.mid\r\n"
                 "1=\\music\\rooted.mid\r\n"
                 "2=E:\\music\\drive.mid\r\n"
                 "3=\\\\server\\share\\unc.mid\r\n"
                 "4=sub\\deeper.mid\r\n");
  ASSERT_TRUE(ImportMidiplayList(list_, files_, "D:\\mp\\songs.mpl"));
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\songs.mpl");
  EXPECT_EQ(Paths(), (std::vector<std::string>{"D:\\mp\\bare.mid", "\\music\\rooted.mid", "E:\\music\\drive.mid",
                                               "\\\\server\\share\\unc.mid", "D:\\mp\\sub\\deeper.mid"}));
  EXPECT_EQ(list_.CurrentIndex(), 0);
}

TEST_F(ListImportTest, MidiplaySkipsMissingAndEmptyKeysInsteadOfAddingTheFolder) {
  list_.readInfoOnAdd = false;
  files_.AddFile("D:\\mp\\gaps.mpl", "[MIDIPLAY]\r\nnumtracks=4\r\n0=a.mid\r\n1=\r\n3=d.mid\r\n");
  ASSERT_TRUE(ImportMidiplayList(list_, files_, "D:\\mp\\gaps.mpl"));
  EXPECT_EQ(Paths(), (std::vector<std::string>{"D:\\mp\\a.mid", "D:\\mp\\d.mid"}));
}

TEST_F(ListImportTest, AForgedTrackCountReadsNoMoreKeysThanTheSectionHolds) {
  list_.readInfoOnAdd = false;
  // Keys of another section do not count for [MIDIPLAY]; were the loop led
  // by the forged count, this test would not end.
  files_.AddFile("D:\\mp\\forged.mpl",
                 "[other]\r\n0=x.mid\r\n1=y.mid\r\n2=z.mid\r\n"
                 "[midiplay]\r\nnumtracks=2000000000\r\n0=a.mid\r\n; 1=comment.mid\r\n"
                 "[MIDIPLAY]\r\n1=second section.mid\r\n");
  ASSERT_TRUE(ImportMidiplayList(list_, files_, "D:\\mp\\forged.mpl"));
  EXPECT_EQ(Paths(), std::vector<std::string>{"D:\\mp\\a.mid"});
}

TEST_F(ListImportTest, MidiplayWithoutTrackCountIsRefusedAndAFullListEmptied) {
  PutEntryInList();
  for (std::string bytes : {std::string("[MIDIPLAY]\r\n0=a.mid\r\n"), std::string("[OTHER]\r\nnumtracks=1\r\n0=a.mid\r\n"),
                            std::string("[MIDIPLAY]\r\nnumtracks=-1\r\n0=a.mid\r\n"), std::string("numtracks=1\r\n")}) {
    files_.AddFile("D:\\mp\\no.mpl", bytes);
    EXPECT_FALSE(ImportMidiplayList(list_, files_, "D:\\mp\\no.mpl"));
    ExpectListUntouched();
  }

  list_.readInfoOnAdd = false;
  list_.SetCapacity(2);
  files_.AddFile("D:\\mp\\three.mpl", "[MIDIPLAY]\r\nnumtracks=3\r\n0=a.mid\r\n1=b.mid\r\n2=c.mid\r\n");
  EXPECT_FALSE(ImportMidiplayList(list_, files_, "D:\\mp\\three.mpl"));
  EXPECT_EQ(list_.Count(), 0);
}

TEST_F(ListImportTest, TheListsOwnPathMayBePassedIn) {
  list_.readInfoOnAdd = false;
  files_.AddFile("D:\\mp\\own.mpl", "[MIDIPLAY]\r\nnumtracks=1\r\n0=a.mid\r\n");
  list_.SetListPath("D:\\mp\\own.mpl");
  ASSERT_TRUE(ImportMidiplayList(list_, files_, list_.ListPath()));
  EXPECT_EQ(Paths(), std::vector<std::string>{"D:\\mp\\a.mid"}) << "the folder is the file's, not the new path's";
}

}  // namespace
}  // namespace koru
