#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "medialist/list_file.h"
#include "medialist/list_import.h"
#include "platform/cp932.h"
#include "support/fake_file_system.h"

namespace koru {
namespace {

using cp932::FromUtf8;
using Paths = std::vector<std::string>;

// Reads "media information" and, meanwhile, overwrites the list being
// imported: the import must go on with the bytes it read.
class MeddlingReader : public MediaInfoReader {
 public:
  MeddlingReader(testing::FakeFileSystem& files, std::string listFile) : files_(files), listFile_(std::move(listFile)) {}
  bool Read(const MediaList&, const std::string& path, MediaEntry& entry) override {
    files_.WriteFileAtomically(listFile_, "garbage\r\n");
    entry.producer = "read " + path;
    return true;
  }

 private:
  testing::FakeFileSystem& files_;
  std::string listFile_;
};

class ListImportTest : public ::testing::Test {
 protected:
  ListImportTest() : list_("C:\\KORU\\") {
    list_.readInfoOnAdd = false;
    list_.AppendRaw(MediaEntry{.path = "E:\\kept.mid"});
  }
  void ExpectListUntouched() {
    EXPECT_EQ(PathsInList(), Paths{"E:\\kept.mid"});
    EXPECT_EQ(list_.ListPath(), "C:\\KORU\\_default.mpl");
  }
  Paths PathsInList() const {
    Paths paths;
    for (int i = 0; i < list_.Count(); ++i) paths.push_back(list_.Entry(i).path);
    return paths;
  }

  testing::FakeFileSystem files_;
  MediaList list_;
};

TEST_F(ListImportTest, KbMidiListGivesPathMemberAndTitlePerEntry) {
  files_.AddFile("D:\\kb\\set.kbm",
                 "KbMIDI Player Play List\r\n1:member before any entry\r\n;0:comment\r\n"
                 "0:E:\\one.lzh\r\n1:one.mid\r\n2:One\r\n3:ignored\r\n9:ignored\r\n"
                 "0=E:\\two.mid\n"  // any separator byte
                 "2:Two");          // no line feed at the end
  ASSERT_EQ(ImportKbMidiList(list_, files_, "D:\\kb\\set.kbm"), ListRead::kRead);
  EXPECT_EQ(list_.ListPath(), "D:\\kb\\set.mpl");
  EXPECT_EQ(PathsInList(), (Paths{"E:\\one.lzh", "E:\\two.mid"}));
  EXPECT_EQ(list_.Entry(0).member, "one.mid");
  EXPECT_EQ(list_.Entry(0).title, "One");
  EXPECT_EQ(list_.Entry(1).title, "Two");
}

TEST_F(ListImportTest, FilesOfTheWrongKindLeaveTheListAlone) {
  files_.AddFile("D:\\l\\space.kbm", "KbMIDI Player Play List \r\n0:a\r\n");
  files_.AddFile("D:\\l\\empty.m3u", "");
  files_.AddFile("D:\\l\\nocount.mpl", "[MIDIPLAY]\r\n0=a.mid\r\n");
  files_.AddFile("D:\\l\\other.mpl", "[OTHER]\r\nnumtracks=1\r\n0=a.mid\r\n");
  EXPECT_EQ(ImportKbMidiList(list_, files_, "D:\\l\\space.kbm"), ListRead::kNotRead);
  EXPECT_EQ(ImportKbMidiList(list_, files_, "D:\\l\\missing.kbm"), ListRead::kNotRead);
  EXPECT_EQ(ImportPlainList(list_, files_, "D:\\l\\empty.m3u"), ListRead::kNotRead);
  EXPECT_EQ(ImportMidiplayList(list_, files_, "D:\\l\\nocount.mpl"), ListRead::kNotRead);
  EXPECT_EQ(ImportMidiplayList(list_, files_, "D:\\l\\other.mpl"), ListRead::kNotRead);
  ExpectListUntouched();
}

TEST_F(ListImportTest, AListThatDoesNotFitLeavesTheListAsItWas) {
  // Three files against a capacity of two, in every kind of list file.
  list_.SetCapacity(2);
  list_.SetCurrentIndex(0);
  list_.SetHeaderField(0, "kept title");
  const std::string own = "MEDIA-PLAYER KORU List File\r\na:a\r\na:b\r\na:c\r\n";
  files_.AddFile("D:\\l\\own.mpl", own);
  files_.AddFile("D:\\l\\set.kbm", "KbMIDI Player Play List\r\n0:a\r\n0:b\r\n1:b.mid\r\n0:c\r\n1:c.mid\r\n");
  files_.AddFile("D:\\l\\three.m3u", "a.mid\r\nb.mid\r\nc.mid\r\n");
  files_.AddFile("D:\\l\\three.mpl", "[MIDIPLAY]\r\nnumtracks=3\r\n0=a.mid\r\n1=b.mid\r\n2=c.mid\r\n");
  const std::vector<std::pair<const char*, std::function<ListRead()>>> readers = {
      {"own", [&] { return LoadList(list_, files_, "D:\\l\\own.mpl"); }},
      {"KbMIDI", [&] { return ImportKbMidiList(list_, files_, "D:\\l\\set.kbm"); }},
      {"plain", [&] { return ImportPlainList(list_, files_, "D:\\l\\three.m3u"); }},
      {"MIDIPLAY", [&] { return ImportMidiplayList(list_, files_, "D:\\l\\three.mpl"); }}};
  for (const auto& [kind, read] : readers) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(read(), ListRead::kDoesNotFit);
    ExpectListUntouched();
    EXPECT_EQ(list_.CurrentIndex(), 0);
    EXPECT_EQ(list_.HeaderField(0), "kept title");
  }
}

TEST_F(ListImportTest, ImportsNeverTakeTheNameOfAnExistingList) {
  files_.AddFile("D:\\kb\\set.kbm", "KbMIDI Player Play List\r\n");
  files_.AddFile("D:\\kb\\set.mpl", "someone's own list");
  ASSERT_EQ(ImportKbMidiList(list_, files_, "D:\\kb\\set.kbm"), ListRead::kRead);
  EXPECT_EQ(list_.ListPath(), "D:\\kb\\set_2.mpl");

  files_.AddFile("D:\\kb\\set_2.mpl", "");
  files_.AddFolder("D:\\kb\\set_3.mpl");
  files_.AddFile("D:\\kb\\set.m3u", "a.mid\r\n");
  ASSERT_EQ(ImportPlainList(list_, files_, "D:\\kb\\set.m3u"), ListRead::kRead);
  EXPECT_EQ(list_.ListPath(), "D:\\kb\\set_4.mpl");

  // A MIDIPLAY list is saved in the program's folder: never over a list of
  // the user's there, nor over the MIDIPLAY file itself when it lies there.
  files_.AddFile("C:\\KORU\\_default.mpl", "the user's own list");
  files_.AddFile("D:\\mp\\_default.mpl", "[MIDIPLAY]\r\nnumtracks=1\r\n0=a.mid\r\n");
  ASSERT_EQ(ImportMidiplayList(list_, files_, "D:\\mp\\_default.mpl"), ListRead::kRead);
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\_default_2.mpl");
  files_.AddFile("C:\\KORU\\mp.mpl", "[MIDIPLAY]\r\nnumtracks=1\r\n0=a.mid\r\n");
  ASSERT_EQ(ImportMidiplayList(list_, files_, "C:\\KORU\\mp.mpl"), ListRead::kRead);
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\mp_2.mpl");

  // When every name is taken the import is refused rather than searching on.
  files_.AddFile("D:\\full\\x.m3u", "a.mid\r\n");
  files_.AddFile("D:\\full\\x.mpl", "");
  for (int n = 2; n <= 9999; ++n) files_.AddFile("D:\\full\\x_" + std::to_string(n) + ".mpl", "");
  EXPECT_EQ(ImportPlainList(list_, files_, "D:\\full\\x.m3u"), ListRead::kNotRead);
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\mp_2.mpl");
}

TEST_F(ListImportTest, PlainListAddsOneFilePerLineSkippingCommentsAndEmptyLines) {
  const std::string m3u = FromUtf8(u8"D:\\表\\list.m3u");  // "表" ends in the byte 0x5C
  files_.AddFile(m3u, "#EXTM3U\r\n#EXTINF:123,Title\r\nsong.mid\r\n\r\nE:\\other\\b.mp3\nSONG.MID\r\nsub\\c.wav\r\n"
                     "\\rooted\\d.wav\r\nlast.wav");
  MeddlingReader reader(files_, m3u);
  list_.SetInfoReader(&reader);
  list_.readInfoOnAdd = true;
  ASSERT_EQ(ImportPlainList(list_, files_, m3u), ListRead::kRead);
  EXPECT_EQ(list_.ListPath(), FromUtf8(u8"D:\\表\\list.mpl"));
  EXPECT_EQ(PathsInList(), (Paths{FromUtf8(u8"D:\\表\\song.mid"), "E:\\other\\b.mp3", FromUtf8(u8"D:\\表\\sub\\c.wav"),
                                  "\\rooted\\d.wav", FromUtf8(u8"D:\\表\\last.wav")}))
      << "a name with a folder part but no root lies below the list's folder too";
  EXPECT_EQ(list_.Entry(0).title, "[song.mid]");
  EXPECT_EQ(list_.Entry(4).producer, "read " + FromUtf8(u8"D:\\表\\last.wav"));
  EXPECT_EQ(list_.CurrentIndex(), 0);
}

TEST_F(ListImportTest, MidiplayValuesLieInTheListsFolderUnlessTheySayWhere) {
  files_.AddFile("D:\\mp\\songs.mpl",
                 "[MIDIPLAY]\r\nnumtracks=6\r\n0=bare.mid\r\n1=\\music\\rooted.mid\r\n2=E:\\music\\drive.mid\r\n"
                 "3=sub\\deeper.mid\r\n4=\r\n");
  ASSERT_EQ(ImportMidiplayList(list_, files_, "D:\\mp\\songs.mpl"), ListRead::kRead);
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\songs.mpl");
  EXPECT_EQ(PathsInList(), (Paths{"D:\\mp\\bare.mid", "\\music\\rooted.mid", "E:\\music\\drive.mid",
                                  "D:\\mp\\sub\\deeper.mid"}))
      << "empty and missing keys name no file";

  // The list's own path may be passed in: the folder is still the file's.
  files_.AddFile("D:\\mp\\own.mpl", "[MIDIPLAY]\r\nnumtracks=1\r\n0=a.mid\r\n");
  list_.SetListPath("D:\\mp\\own.mpl");
  ASSERT_EQ(ImportMidiplayList(list_, files_, list_.ListPath()), ListRead::kRead);
  EXPECT_EQ(PathsInList(), Paths{"D:\\mp\\a.mid"});
}

TEST_F(ListImportTest, MidiplayKeysMayLeaveGaps) {
  files_.AddFile("D:\\mp\\gaps.mpl", "[MIDIPLAY]\r\nnumtracks=6\r\n0=first.mid\r\n5=last.mid\r\n6=beyond.mid\r\n");
  ASSERT_EQ(ImportMidiplayList(list_, files_, "D:\\mp\\gaps.mpl"), ListRead::kRead);
  EXPECT_EQ(PathsInList(), (Paths{"D:\\mp\\first.mid", "D:\\mp\\last.mid"}));
}

TEST_F(ListImportTest, AForgedTrackCountReadsNoMoreKeysThanTheSectionHolds) {
  // Keys of other sections, comments and a repeated section do not count;
  // were the loop led by the count, this test would not end.
  files_.AddFile("D:\\mp\\forged.mpl",
                 "\xEF\xBB\xBF[other]\r\n0=x.mid\r\n1=y.mid\r\n2=z.mid\r\n"
                 "[ midiplay ]\r\nnumtracks=2000000000\r\n0=a.mid\r\n; 1=comment.mid\r\n[no close\r\n"
                 "[MIDIPLAY]\r\n1=second section.mid\r\n");
  ASSERT_EQ(ImportMidiplayList(list_, files_, "D:\\mp\\forged.mpl"), ListRead::kRead);
  EXPECT_EQ(PathsInList(), Paths{"D:\\mp\\a.mid"});
}

}  // namespace
}  // namespace koru
