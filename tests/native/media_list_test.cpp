#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "medialist/media_list.h"
#include "platform/cp932.h"

namespace koru {
namespace {

using cp932::FromUtf8;

class RecordingReader : public MediaInfoReader {
 public:
  bool Read(const MediaList&, const std::string& path, MediaEntry& entry) override {
    paths.push_back(path);
    entry.kind = "SMF";
    entry.title = "read " + path;
    return true;
  }
  std::vector<std::string> paths;
};

class MediaListTest : public ::testing::Test {
 protected:
  MediaListTest() : list_("C:\\KORU\\") {}

  // Adds plain files in the given order; their titles are "[name]".
  void AddFiles(std::initializer_list<const char*> names) {
    for (const char* name : names) ASSERT_TRUE(list_.AddEntry(std::string("C:\\m\\") + name, ""));
  }

  std::vector<std::string> Column(std::string MediaEntry::*field) const {
    std::vector<std::string> values;
    for (int i = 0; i < list_.Count(); ++i) values.push_back(list_.Entry(i).*field);
    return values;
  }

  std::string CurrentPath() const {
    const MediaEntry* current = list_.CurrentEntry();
    return current ? current->path : "(none)";
  }

  MediaList list_;
};

using Strings = std::vector<std::string>;

TEST_F(MediaListTest, StartsEmptyWithDefaults) {
  EXPECT_EQ(list_.ListPath(), "C:\\KORU\\_default.mpl");
  EXPECT_EQ(list_.ProgramFolder(), "C:\\KORU\\");
  EXPECT_EQ(list_.Capacity(), 9999);
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_EQ(list_.CurrentIndex(), 0);
  EXPECT_EQ(list_.CurrentEntry(), nullptr);
  const Strings header = {"", "", FromUtf8(u8"ＭＳ Ｐゴシック"), "9", "0", "1"};
  for (int n = 0; n < MediaList::kHeaderFieldCount; ++n) EXPECT_EQ(list_.HeaderField(n), header[n]) << n;
}

TEST_F(MediaListTest, ResetListRestoresHeaderAndAddingReusesSlotsCleanly) {
  list_.SetHeaderField(0, "my list");
  list_.SetHeaderField(2, "Arial");
  AddFiles({"a.mid", "b.mid"});
  list_.Entry(0).played = 1;
  list_.Entry(0).rate = "3";
  list_.Entry(0).savedTitle = "mine";
  list_.Entry(0).time = "1234";

  list_.ResetList();
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_EQ(list_.CurrentIndex(), 0);
  EXPECT_EQ(list_.HeaderField(0), "");
  EXPECT_EQ(list_.HeaderField(2), FromUtf8(u8"ＭＳ Ｐゴシック"));

  // The old slot 0 still holds the stale entry; a new one must not inherit it.
  AddFiles({"c.mid"});
  const MediaEntry& entry = list_.Entry(0);
  EXPECT_EQ(entry.played, 0);
  EXPECT_EQ(entry.path, "C:\\m\\c.mid");
  EXPECT_EQ(entry.member, "");
  EXPECT_EQ(entry.title, "[c.mid]");
  EXPECT_EQ(entry.time, "0");
  EXPECT_EQ(entry.rate, "");
  EXPECT_EQ(entry.savedTitle, "");
  EXPECT_EQ(list_.CurrentIndex(), 0);
}

TEST_F(MediaListTest, TitleFromFileNameForms) {
  EXPECT_EQ(list_.TitleFromFileName("gogo.mid"), "[gogo.mid]");
  EXPECT_EQ(list_.TitleFromFileName("a.b.mid"), "[a.b.mid]");
  list_.titleWithoutExtension = true;
  EXPECT_EQ(list_.TitleFromFileName("gogo.mid"), "gogo");
  EXPECT_EQ(list_.TitleFromFileName("a.b.mid"), "a.b");
  EXPECT_EQ(list_.TitleFromFileName("noext"), "noext");
  const std::string hyou = "\x95\x5C";  // 表
  EXPECT_EQ(list_.TitleFromFileName(hyou + ".mid"), hyou);
}

TEST_F(MediaListTest, TitlesComeFromTheFileNameOrTheMemberName) {
  const std::string so = "\x83\x5C";  // ソ
  ASSERT_TRUE(list_.AddEntry("C:\\" + so + "\\x.mid", ""));
  ASSERT_TRUE(list_.AddEntry("C:\\songs.lzh", "dir/sub\\y.mid"));
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[x.mid]", "[y.mid]"}));
  EXPECT_EQ(list_.Entry(1).path, "C:\\songs.lzh");
  EXPECT_EQ(list_.Entry(1).member, "dir/sub\\y.mid");
}

TEST_F(MediaListTest, DuplicatePathsIgnoreLetterCase) {
  AddFiles({"gogo.mid", "other.mid"});
  ASSERT_EQ(list_.CurrentIndex(), 1);

  EXPECT_TRUE(list_.AddEntry("c:\\M\\GOGO.MID", ""));
  EXPECT_EQ(list_.Count(), 2);
  EXPECT_EQ(list_.CurrentIndex(), 0);

  // Fullwidth letters have case too: ａ.mid and Ａ.mid are the same file.
  EXPECT_TRUE(list_.AddEntry(FromUtf8(u8"C:\\ａ.mid"), ""));
  EXPECT_TRUE(list_.AddEntry(FromUtf8(u8"C:\\Ａ.MID"), ""));
  EXPECT_EQ(list_.Count(), 3);
  EXPECT_EQ(list_.CurrentIndex(), 2);

  // ャ.mid and ア.mid differ only in a trail byte that looks like "a" / "A".
  EXPECT_TRUE(list_.AddEntry("C:\\\x83\x61.mid", ""));
  EXPECT_TRUE(list_.AddEntry("C:\\\x83\x41.mid", ""));
  EXPECT_EQ(list_.Count(), 5);
}

TEST_F(MediaListTest, ArchiveDuplicates) {
  ASSERT_TRUE(list_.AddEntry("C:\\plain.mid", ""));
  ASSERT_TRUE(list_.AddEntry("C:\\songs.zip", "a.mid"));
  ASSERT_EQ(list_.CurrentIndex(), 1);

  // The archive itself is already there through one of its members.
  ASSERT_TRUE(list_.AddEntry("C:\\plain.mid", ""));
  EXPECT_TRUE(list_.AddEntry("C:\\SONGS.ZIP", ""));
  EXPECT_EQ(list_.Count(), 2);
  EXPECT_EQ(list_.CurrentIndex(), 1);

  // Same member in another case is a duplicate; another member is not.
  EXPECT_TRUE(list_.AddEntry("c:\\songs.zip", "A.MID"));
  EXPECT_EQ(list_.Count(), 2);
  EXPECT_TRUE(list_.AddEntry("C:\\songs.zip", "b.mid"));
  EXPECT_EQ(list_.Count(), 3);
  EXPECT_EQ(list_.CurrentIndex(), 2);

  // A member of an archive listed only as a plain path is new.
  ASSERT_TRUE(list_.AddEntry("C:\\more.lzh", ""));
  EXPECT_TRUE(list_.AddEntry("C:\\more.lzh", "x.mid"));
  EXPECT_EQ(list_.Count(), 5);
  EXPECT_EQ(list_.CurrentIndex(), 4);
}

TEST_F(MediaListTest, FullListRefusesEvenADuplicate) {
  list_.SetCapacity(2);
  AddFiles({"a.mid", "b.mid"});
  list_.SetCurrentIndex(0);
  EXPECT_TRUE(list_.IsFull());
  EXPECT_FALSE(list_.AddEntry("C:\\m\\c.mid", ""));
  EXPECT_FALSE(list_.AddEntry("C:\\m\\b.mid", ""));
  EXPECT_EQ(list_.Count(), 2);
  EXPECT_EQ(list_.CurrentIndex(), 0);
}

TEST_F(MediaListTest, InfoReaderRunsOnlyForNewPlainFilesWhenEnabled) {
  RecordingReader reader;
  list_.SetInfoReader(&reader);
  ASSERT_TRUE(list_.AddEntry("C:\\a.mid", ""));
  ASSERT_TRUE(list_.AddEntry("C:\\A.MID", ""));          // duplicate
  ASSERT_TRUE(list_.AddEntry("C:\\s.zip", "m.mid"));     // archive member
  list_.readInfoOnAdd = false;
  ASSERT_TRUE(list_.AddEntry("C:\\b.mid", ""));
  EXPECT_EQ(reader.paths, Strings{"C:\\a.mid"});
  EXPECT_EQ(list_.Entry(0).kind, "SMF");
  EXPECT_EQ(list_.Entry(0).title, "read C:\\a.mid");
  EXPECT_EQ(list_.Entry(1).title, "[m.mid]");
  EXPECT_EQ(list_.Entry(2).title, "[b.mid]");
}

TEST_F(MediaListTest, AppendRawKeepsTheEntryAsItIsUpToCapacity) {
  list_.SetCapacity(2);
  MediaEntry entry;
  entry.path = "x.mid";
  entry.title = "given";
  entry.rate = "2";
  EXPECT_TRUE(list_.AppendRaw(entry));
  EXPECT_TRUE(list_.AppendRaw(entry));  // no duplicate check
  EXPECT_FALSE(list_.AppendRaw(entry));
  EXPECT_EQ(list_.Count(), 2);
  EXPECT_EQ(list_.Entry(1).title, "given");
  EXPECT_EQ(list_.CurrentIndex(), 0);
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
}

TEST_F(MediaListTest, FileNameKeysJoinPathAndMember) {
  ASSERT_TRUE(list_.AddEntry("C:\\b\\a.mid", ""));
  ASSERT_TRUE(list_.AddEntry("C:\\a.zip", "z.mid"));
  ASSERT_TRUE(list_.AddEntry("C:\\A.ZIP", "b.mid"));
  ASSERT_TRUE(list_.AddEntry("C:\\a\\z.mid", ""));
  // "." (0x2E) sorts before "\" (0x5C), and the member decides between the
  // two entries of one archive.
  list_.SortList(2);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[b.mid]", "[z.mid]", "[z.mid]", "[a.mid]"}));
  EXPECT_EQ(Column(&MediaEntry::path), (Strings{"C:\\A.ZIP", "C:\\a.zip", "C:\\a\\z.mid", "C:\\b\\a.mid"}));
  list_.SortList(3);
  EXPECT_EQ(Column(&MediaEntry::path), (Strings{"C:\\b\\a.mid", "C:\\a\\z.mid", "C:\\a.zip", "C:\\A.ZIP"}));
}

TEST_F(MediaListTest, SortOfTinyListsAndUnknownKeys) {
  list_.SortList(0);
  EXPECT_EQ(list_.Count(), 0);
  AddFiles({"b"});
  list_.SortList(0);
  EXPECT_EQ(Column(&MediaEntry::title), Strings{"[b]"});
  AddFiles({"a"});
  for (int key : {-1, 6, 100}) {
    list_.SortList(key);
    EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[b]", "[a]"})) << key;
  }
  list_.SortList(0);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[a]", "[b]"}));
}

TEST_F(MediaListTest, SortCarriesWholeEntriesAndTheCurrentIndex) {
  // Enough entries for gaps 13, 4 and 1, in a scrambled order.
  const int n = 61;
  for (int i = 0; i < n; ++i) {
    const int scrambled = (i * 37) % n;
    ASSERT_TRUE(list_.AddEntry("C:\\m\\" + std::to_string(1000 + scrambled), ""));
    list_.Entry(i).played = scrambled % 2;
    list_.Entry(i).producer = "p" + std::to_string(scrambled);
  }
  list_.SetCurrentIndex(5);
  const std::string current = CurrentPath();

  list_.SortList(1);
  const Strings titles = Column(&MediaEntry::title);
  EXPECT_TRUE(std::is_sorted(titles.rbegin(), titles.rend())) << "descending";
  EXPECT_EQ(CurrentPath(), current);
  for (int i = 0; i < n; ++i) {
    const MediaEntry& entry = list_.Entry(i);
    const int number = std::stoi(std::string(cp932::FileNameOf(entry.path))) - 1000;
    EXPECT_EQ(entry.producer, "p" + std::to_string(number));
    EXPECT_EQ(entry.played, number % 2);
  }
  EXPECT_EQ(list_.PlayedCount(), n / 2);
}

TEST_F(MediaListTest, DeleteKeepsTheCurrentEntryOrItsFollower) {
  AddFiles({"a", "b", "c", "d"});
  list_.SetCurrentIndex(2);
  list_.DeleteEntry(0);  // before the current entry
  EXPECT_EQ(list_.CurrentIndex(), 1);
  EXPECT_EQ(CurrentPath(), "C:\\m\\c");
  list_.DeleteEntry(1);  // the current entry itself
  EXPECT_EQ(list_.CurrentIndex(), 1);
  EXPECT_EQ(CurrentPath(), "C:\\m\\d");
  list_.DeleteEntry(5);  // outside the list
  list_.DeleteEntry(-1);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[b]", "[d]"}));
  list_.DeleteEntry(1);  // the current and last entry: nothing follows it
  EXPECT_EQ(list_.Count(), 1);
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
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[c]", "[a]", "[b]"}));
  EXPECT_EQ(list_.CurrentIndex(), 0);
  list_.MoveEntryUp(0);
  list_.MoveEntryDown(2);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[c]", "[a]", "[b]"}));
}

TEST_F(MediaListTest, RatesAreClampedAndCountedAsWeights) {
  AddFiles({"a", "b", "c"});
  using Mode = MediaList::RateMode;
  list_.SetRate(0, Mode::Step, -1);
  EXPECT_EQ(list_.Entry(0).rate, "0") << "step down from unrated";
  list_.SetRate(1, Mode::Set, 3);
  list_.SetRate(1, Mode::Step, +1);
  EXPECT_EQ(list_.Entry(1).rate, "3") << "step up from the top";
  list_.SetRate(2, Mode::Set, 9);
  EXPECT_EQ(list_.Entry(2).rate, "3");
  list_.SetRate(2, Mode::Set, -4);
  EXPECT_EQ(list_.Entry(2).rate, "0");
  list_.Entry(2).rate = "x";
  list_.SetRate(2, Mode::Step, +1);
  EXPECT_EQ(list_.Entry(2).rate, "1") << "a rate that is no number counts as 0";
  list_.SetRate(3, Mode::Set, 2);  // beyond the list
  EXPECT_EQ(list_.RateWeightSum(), 1 + 4 + 2);

  // Entries beyond the count no longer weigh.
  list_.DeleteEntry(1);
  EXPECT_EQ(list_.RateWeightSum(), 1 + 2);
}

TEST(MediaListEntryRate, ReadsOnlyPlainDecimalNumbers) {
  MediaEntry entry;
  const std::pair<const char*, int> cases[] = {{"", 0},   {"3", 3},  {"12", 12},  {"x", 0},
                                               {"3a", 0}, {" 3", 0}, {"99999999999", 0}};
  for (const auto& [text, value] : cases) {
    entry.rate = text;
    EXPECT_EQ(entry.RateValue(), value) << '"' << text << '"';
  }
}

TEST_F(MediaListTest, PlayedFlagsCountAndClear) {
  AddFiles({"a", "b", "c"});
  list_.Entry(0).played = 1;
  list_.Entry(2).played = 1;
  EXPECT_EQ(list_.PlayedCount(), 2);
  list_.DeleteEntry(2);
  EXPECT_EQ(list_.PlayedCount(), 1);
  list_.ClearPlayed();
  EXPECT_EQ(list_.PlayedCount(), 0);
  EXPECT_EQ(list_.Entry(0).played, 0);
}

TEST_F(MediaListTest, LoweringCapacityDropsTheTailAndKeepsCurrentInside) {
  AddFiles({"a", "b", "c", "d", "e"});
  list_.Entry(1).played = 1;
  list_.Entry(1).rate = "2";
  list_.SetCurrentIndex(4);

  list_.SetCapacity(3);
  EXPECT_EQ(list_.Capacity(), 3);
  EXPECT_EQ(list_.Count(), 3);
  EXPECT_TRUE(list_.IsFull());
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[a]", "[b]", "[c]"}));
  EXPECT_EQ(list_.Entry(1).played, 1);
  EXPECT_EQ(list_.Entry(1).rate, "2");
  EXPECT_EQ(list_.CurrentIndex(), 2);
  EXPECT_EQ(CurrentPath(), "C:\\m\\c");
  EXPECT_FALSE(list_.AddEntry("C:\\m\\f", ""));

  // Exchanges use the new spare slot.
  list_.SortList(1);
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[c]", "[b]", "[a]"}));

  list_.SetCapacity(6);
  EXPECT_EQ(list_.Count(), 3);
  EXPECT_FALSE(list_.IsFull());
  EXPECT_TRUE(list_.AddEntry("C:\\m\\f", ""));
  EXPECT_EQ(Column(&MediaEntry::title), (Strings{"[c]", "[b]", "[a]", "[f]"}));
}

TEST_F(MediaListTest, CapacityStaysWithinTheListLimits) {
  list_.SetCapacity(-5);
  EXPECT_EQ(list_.Capacity(), 0);
  EXPECT_FALSE(list_.AddEntry("C:\\a", ""));
  list_.SetCapacity(2'000'000'000);
  EXPECT_EQ(list_.Capacity(), MediaList::kDefaultCapacity);
}

TEST_F(MediaListTest, CurrentEntryOnlyNamesEntriesOfTheList) {
  AddFiles({"a", "b"});
  list_.SetCurrentIndex(2);
  EXPECT_EQ(list_.CurrentEntry(), nullptr);
  list_.SetCurrentIndex(-1);
  EXPECT_EQ(list_.CurrentEntry(), nullptr);
  list_.SetCurrentIndex(1);
  ASSERT_NE(list_.CurrentEntry(), nullptr);
  EXPECT_EQ(list_.CurrentEntry()->title, "[b]");
}

}  // namespace
}  // namespace koru
