#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "medialist/media_list.h"
#include "platform/cp932.h"

namespace koru {
namespace {

using Strings = std::vector<std::string>;
using cp932::FromUtf8;

class RecordingReader : public MediaInfoReader {
 public:
  bool Read(const MediaList&, const std::string& path, MediaEntry& entry) override {
    paths.push_back(path);
    entry.title = "read";
    return true;
  }
  Strings paths;
};

class MediaListTest : public ::testing::Test {
 protected:
  MediaListTest() : list_("C:\\KORU\\") {}

  // Adds plain files C:\m\<name>; their titles are "[name]".
  void AddFiles(std::initializer_list<const char*> names) {
    for (const char* name : names) ASSERT_TRUE(list_.AddEntry(std::string("C:\\m\\") + name, ""));
  }

  Strings Column(std::string MediaEntry::*field) const {
    Strings values;
    for (int i = 0; i < list_.Count(); ++i) values.push_back(list_.Entry(i).*field);
    return values;
  }

  std::string CurrentTitle() const {
    const MediaEntry* current = list_.CurrentEntry();
    return current ? current->title : "(none)";
  }

  MediaList list_;
};

TEST_F(MediaListTest, ResetRestoresDefaultsAndNewEntriesDoNotInheritOldSlots) {
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\_default.mpl");
  EXPECT_EQ(list_.CurrentEntry(), nullptr);
  list_.SetHeaderField(2, "Arial");
  AddFiles({"a.mid"});
  MediaEntry& old = list_.Entry(0);
  old.played = 1;
  old.rate = "3";
  old.savedTitle = "mine";
  old.time = "1234";
  old.kind = "SMF";

  list_.ResetList();
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_EQ(list_.HeaderField(2), FromUtf8(u8"ＭＳ Ｐゴシック"));
  AddFiles({"c.mid"});
  const MediaEntry& entry = list_.Entry(0);
  EXPECT_EQ(entry.played, 0);
  EXPECT_EQ(entry.title, "[c.mid]");
  EXPECT_EQ(entry.time, "0");
  EXPECT_EQ(entry.kind + entry.rate + entry.savedTitle, "");
}

TEST_F(MediaListTest, TitlesFromFileAndMemberNames) {
  ASSERT_TRUE(list_.AddEntry("C:\\\x83\x5C\\x.mid", ""));  // the folder is ソ
  ASSERT_TRUE(list_.AddEntry("C:\\songs.lzh", "dir/sub\\y.mid"));
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[x.mid]", "[y.mid]"}));
  list_.titleWithoutExtension = true;
  EXPECT_EQ(list_.TitleFromFileName("a.b.mid"), "a.b");
  EXPECT_EQ(list_.TitleFromFileName("noext"), "noext");
}

TEST_F(MediaListTest, DuplicatePathsIgnoreLetterCaseAndBecomeCurrent) {
  AddFiles({"gogo.mid", "other.mid"});
  EXPECT_TRUE(list_.AddEntry("c:\\M\\GOGO.MID", ""));
  EXPECT_EQ(list_.Count(), 2);
  EXPECT_EQ(list_.CurrentIndex(), 0);
  // Fullwidth letters have case; the trail byte of ャ (0x83 0x61) has none.
  EXPECT_TRUE(list_.AddEntry(FromUtf8(u8"C:\\ａ.mid"), ""));
  EXPECT_TRUE(list_.AddEntry(FromUtf8(u8"C:\\Ａ.MID"), ""));
  EXPECT_TRUE(list_.AddEntry("C:\\\x83\x61.mid", ""));
  EXPECT_TRUE(list_.AddEntry("C:\\\x83\x41.mid", ""));
  EXPECT_EQ(list_.Count(), 5);
}

TEST_F(MediaListTest, DuplicatesAreFoundHoweverTheirPathsCameIntoTheList) {
  // AddEntry passes over the entries only for a path it may have seen: every
  // other way a path enters or changes must still be seen.
  struct Case {
    const char* way;
    void (*put)(MediaList&, const std::string&);
  };
  const Case cases[] = {
      {"appended as read", [](MediaList& list, const std::string& path) { list.AppendRaw(MediaEntry{.path = path}); }},
      {"changed through Entry",
       [](MediaList& list, const std::string& path) {
         list.AddEntry("C:\\before.mid", "");
         list.Entry(0).path = path;
       }},
      {"changed through CurrentEntry",
       [](MediaList& list, const std::string& path) {
         list.AddEntry("C:\\before.mid", "");
         list.CurrentEntry()->path = path;
       }},
      {"read into a copy and taken over",
       [](MediaList& list, const std::string& path) {
         list.AddEntry("C:\\before.mid", "");
         MediaList read = list.EmptyCopy();
         read.AppendRaw(MediaEntry{.path = path});
         list.TakeOver(std::move(read));
       }},
  };
  for (const Case& c : cases) {
    MediaList list("C:\\KORU\\");
    c.put(list, "C:\\m\\song.mid");
    list.AddEntry("C:\\m\\other.mid", "");
    EXPECT_TRUE(list.AddEntry("c:\\M\\SONG.MID", ""));
    EXPECT_EQ(list.Count(), 2) << c.way;
    EXPECT_EQ(list.CurrentIndex(), 0) << c.way;
  }

  // A path deleted is new again; the first of two matches becomes current.
  AddFiles({"x.mid", "y.mid"});
  list_.DeleteEntry(0);
  EXPECT_TRUE(list_.AddEntry("C:\\m\\x.mid", ""));
  EXPECT_EQ(list_.Count(), 2);
  EXPECT_TRUE(list_.AddEntry("C:\\songs.zip", "1.mid"));
  EXPECT_TRUE(list_.AddEntry("C:\\songs.zip", "2.mid"));
  EXPECT_TRUE(list_.AddEntry("C:\\SONGS.ZIP", ""));
  EXPECT_EQ(list_.CurrentIndex(), 2);
}

TEST_F(MediaListTest, ArchiveDuplicates) {
  ASSERT_TRUE(list_.AddEntry("C:\\plain.mid", ""));
  ASSERT_TRUE(list_.AddEntry("C:\\songs.zip", "a.mid"));
  ASSERT_TRUE(list_.AddEntry("C:\\plain.mid", ""));
  // The archive is already there through one of its members.
  EXPECT_TRUE(list_.AddEntry("C:\\SONGS.ZIP", ""));
  EXPECT_EQ(list_.CurrentIndex(), 1);
  EXPECT_TRUE(list_.AddEntry("c:\\songs.zip", "A.MID"));
  EXPECT_EQ(list_.Count(), 2);
  EXPECT_TRUE(list_.AddEntry("C:\\songs.zip", "b.mid"));
  // A member of an archive listed only as a plain path is new.
  ASSERT_TRUE(list_.AddEntry("C:\\more.lzh", ""));
  EXPECT_TRUE(list_.AddEntry("C:\\more.lzh", "x.mid"));
  EXPECT_EQ(list_.Count(), 5);
  EXPECT_EQ(list_.CurrentIndex(), 4);
}

TEST_F(MediaListTest, FullListRefusesAddsEvenOfADuplicate) {
  list_.SetCapacity(2);
  AddFiles({"a.mid", "b.mid"});
  list_.SetCurrentIndex(0);
  EXPECT_FALSE(list_.AddEntry("C:\\m\\c.mid", ""));
  EXPECT_FALSE(list_.AddEntry("C:\\m\\b.mid", ""));
  EXPECT_EQ(list_.CurrentIndex(), 0);
  MediaEntry raw;
  EXPECT_FALSE(list_.AppendRaw(raw));
  EXPECT_EQ(list_.Count(), 2);
}

TEST_F(MediaListTest, InfoReaderRunsOnlyForNewPlainFilesWhenEnabled) {
  RecordingReader reader;
  list_.SetInfoReader(&reader);
  ASSERT_TRUE(list_.AddEntry("C:\\a.mid", ""));
  ASSERT_TRUE(list_.AddEntry("C:\\A.MID", ""));
  ASSERT_TRUE(list_.AddEntry("C:\\s.zip", "m.mid"));
  list_.readInfoOnAdd = false;
  ASSERT_TRUE(list_.AddEntry("C:\\b.mid", ""));
  EXPECT_EQ(reader.paths, Strings{"C:\\a.mid"});
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"read", "[m.mid]", "[b.mid]"}));
}

TEST_F(MediaListTest, RateSortKeysRunAgainstTheirCaptions) {
  AddFiles({"r2", "r3", "r0", "none"});
  list_.Entry(0).rate = "2";
  list_.Entry(1).rate = "3";
  list_.Entry(2).rate = "0";
  list_.SortList(4);
  EXPECT_EQ(Column(&MediaEntry::rate), (Strings{"3", "2", "0", ""}));
  list_.SortList(5);
  EXPECT_EQ(Column(&MediaEntry::rate), (Strings{"", "0", "2", "3"}));
}

TEST_F(MediaListTest, TextSortKeysCompareBytesWithoutCase) {
  AddFiles({"b", "9", "A", "10", "c"});
  list_.SortList(0);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[10]", "[9]", "[A]", "[b]", "[c]"}));
  list_.SortList(1);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[c]", "[b]", "[A]", "[9]", "[10]"}));
  for (int unknownKey : {-1, 6}) {
    list_.SortList(unknownKey);
    EXPECT_EQ(list_.Entry(0).title, "[c]");
  }
}

TEST_F(MediaListTest, FileNameKeysJoinPathAndMember) {
  ASSERT_TRUE(list_.AddEntry("C:\\b\\a.mid", ""));
  ASSERT_TRUE(list_.AddEntry("C:\\a.zip", "z.mid"));
  ASSERT_TRUE(list_.AddEntry("C:\\A.ZIP", "b.mid"));
  ASSERT_TRUE(list_.AddEntry("C:\\a\\z.mid", ""));
  // "." (0x2E) sorts before "\" (0x5C); the member decides within an archive.
  list_.SortList(2);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[b.mid]", "[z.mid]", "[z.mid]", "[a.mid]"}));
  EXPECT_EQ(list_.Entry(2).path, "C:\\a\\z.mid");
  list_.SortList(3);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[a.mid]", "[z.mid]", "[z.mid]", "[b.mid]"}));
}

TEST_F(MediaListTest, SortCarriesWholeEntriesAndTheCurrentIndex) {
  // Enough entries for the gaps 13, 4 and 1, in a scrambled order.
  const int n = 61;
  for (int i = 0; i < n; ++i) {
    const int number = 100 + (i * 37) % n;
    ASSERT_TRUE(list_.AddEntry("C:\\m\\" + std::to_string(number), ""));
    list_.Entry(i).played = number % 2;
    list_.Entry(i).producer = std::to_string(number);
  }
  list_.SetCurrentIndex(5);
  const std::string current = CurrentTitle();
  list_.SortList(1);
  const Strings titles = Column(&MediaEntry::title);
  EXPECT_TRUE(std::is_sorted(titles.rbegin(), titles.rend()));
  EXPECT_EQ(CurrentTitle(), current);
  for (int i = 0; i < n; ++i) {
    const MediaEntry& entry = list_.Entry(i);
    EXPECT_EQ("[" + entry.producer + "]", entry.title);
    EXPECT_EQ(entry.played, std::stoi(entry.producer) % 2);
  }
}

TEST_F(MediaListTest, DeleteKeepsTheCurrentEntryOrItsFollower) {
  AddFiles({"a", "b", "c", "d"});
  list_.SetCurrentIndex(2);
  list_.DeleteEntry(0);
  EXPECT_EQ(CurrentTitle(), "[c]");
  list_.DeleteEntry(1);
  EXPECT_EQ(CurrentTitle(), "[d]");
  list_.DeleteEntry(5);
  list_.DeleteEntry(-1);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[b]", "[d]"}));
  list_.DeleteEntry(1);  // current and last: nothing follows it
  EXPECT_EQ(list_.CurrentEntry(), nullptr);
  list_.SetCurrentIndex(-1);
  EXPECT_EQ(list_.CurrentEntry(), nullptr);
}

TEST_F(MediaListTest, MovesExchangeNeighboursAndTheCurrentIndexFollows) {
  AddFiles({"a", "b", "c"});
  list_.Entry(2).played = 1;
  list_.SetCurrentIndex(2);
  list_.MoveEntryUp(2);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[a]", "[c]", "[b]"}));
  EXPECT_EQ(list_.Entry(1).played, 1);
  EXPECT_EQ(list_.Entry(2).played, 0);
  EXPECT_EQ(list_.CurrentIndex(), 1);
  list_.MoveEntryDown(0);  // the current entry is the other one of the pair
  EXPECT_EQ(list_.CurrentIndex(), 0);
  list_.MoveEntryUp(0);
  list_.MoveEntryDown(2);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[c]", "[a]", "[b]"}));
}

TEST_F(MediaListTest, RatesAreClampedAndPlayedMarksCounted) {
  AddFiles({"a", "b", "c"});
  using Mode = MediaList::RateMode;
  list_.SetRate(0, Mode::Step, -1);
  EXPECT_EQ(list_.Entry(0).rate, "0");
  list_.SetRate(1, Mode::Set, 3);
  list_.SetRate(1, Mode::Step, +1);
  EXPECT_EQ(list_.Entry(1).rate, "3");
  list_.SetRate(2, Mode::Set, 9);
  EXPECT_EQ(list_.Entry(2).rate, "3");
  for (const char* notANumber : {"x", "3a", " 3", "99999999999"}) {
    list_.Entry(2).rate = notANumber;
    list_.SetRate(2, Mode::Step, +1);
    EXPECT_EQ(list_.Entry(2).rate, "1") << notANumber;
  }
  list_.Entry(0).played = 1;
  list_.Entry(1).played = 1;
  list_.DeleteEntry(1);
  EXPECT_EQ(list_.PlayedCount(), 1);
  list_.ClearPlayed();
  EXPECT_EQ(list_.PlayedCount(), 0);
}

TEST_F(MediaListTest, LoweringCapacityDropsTheTailAndKeepsCurrentInside) {
  AddFiles({"a", "b", "c", "d", "e"});
  list_.Entry(1).played = 1;
  list_.Entry(1).rate = "2";
  list_.SetCurrentIndex(4);
  list_.SetCapacity(3);
  EXPECT_EQ(list_.Count(), 3);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[a]", "[b]", "[c]"}));
  EXPECT_EQ(list_.Entry(1).played, 1);
  EXPECT_EQ(list_.Entry(1).rate, "2");
  EXPECT_EQ(CurrentTitle(), "[c]");
  // Exchanges use the new spare slot.
  list_.SortList(1);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[c]", "[b]", "[a]"}));
  list_.SetCapacity(4);
  AddFiles({"f"});
  EXPECT_TRUE(list_.IsFull());
  // A forged capacity cannot drive the allocation.
  list_.SetCapacity(2'000'000'000);
  EXPECT_EQ(list_.Capacity(), MediaList::kDefaultCapacity);
  list_.SetCapacity(-5);
  EXPECT_EQ(list_.Capacity(), 0);
  EXPECT_EQ(list_.CurrentEntry(), nullptr);
}

}  // namespace
}  // namespace koru
