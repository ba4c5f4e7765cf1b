// Adding paths to the media list: what the category of a path makes of it,
// how folders and archives are walked and what stops a walk, the questions
// about unknown file types, and the recent paths.
#include "playback/add_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "archive/null_archiver.h"
#include "medialist/list_file.h"
#include "platform/cp932.h"
#include "support/fake_file_system.h"

namespace koru {
namespace {

constexpr char kProgramFolder[] = "C:\\KORU\\";

// Everything the fakes see, in order, so a test can ask what came first.
using EventLog = std::vector<std::string>;

// Lists the members given for each archive, or "x.txt" without end.
class FakeArchiver : public Archiver {
 public:
  explicit FakeArchiver(EventLog& log) : log_(log) {}
  void SetArchive(const std::string& path) override {
    log_.push_back("archive " + path);
    members_ = &archives[path];
  }
  void SetOutputFolder(const std::string&) override {}
  bool FirstMember(const std::string& pattern) override {
    log_.push_back("first " + pattern);
    current_ = -1;
    return endless || !members_->empty();
  }
  bool NextMember() override {
    ++nextCalls;
    return endless || ++current_ < static_cast<int>(members_->size());
  }
  std::optional<std::string> MemberInfo() override {
    if (endless) return "x.txt";
    if (current_ < 0 || current_ >= static_cast<int>(members_->size())) return std::nullopt;
    return (*members_)[static_cast<std::size_t>(current_)];
  }
  int Extract(const std::string&) override { return -1; }
  bool Working() const override { return false; }

  std::map<std::string, std::vector<std::string>> archives;
  bool endless = false;
  int nextCalls = 0;

 private:
  EventLog& log_;
  std::vector<std::string>* members_ = nullptr;
  int current_ = -1;
};

class FakeShortcuts : public ShortcutResolver {
 public:
  std::string ResolveShortcut(const std::string& path) override {
    auto it = targets.find(path);
    return it == targets.end() ? path : it->second;
  }
  std::map<std::string, std::string> targets;
};

// The playback commands, the dialogs, the main window and the cursor, each
// call written to the log.
class FakePlayer : public PlaybackCommands, public UserDialogs, public MainWindowFront, public CursorControl {
 public:
  explicit FakePlayer(EventLog& log) : log_(log) {}
  void FuncStopClick() override { log_.push_back("stop"); }
  bool OpenForPlayabilityCheck(const std::string& path) override {
    log_.push_back("open " + path);
    if (!opens) log_.push_back("stop");  // a failed open runs the stop command
    return opens;
  }
  int ShowMessageDialog(std::string_view text, int flags, bool) override {
    log_.push_back("message " + std::to_string(flags));
    texts.emplace_back(text);
    return answer::kOk;
  }
  int SystemMessageBox(std::string_view text, int flags) override {
    log_.push_back("question " + std::to_string(flags));
    texts.emplace_back(text);
    return reply;
  }
  void BringMainWindowToFront() override { log_.push_back("front"); }
  CursorToken ShowHourglass() override {
    log_.push_back("hourglass");
    return 17;
  }
  void RestoreCursor(CursorToken previous) override { log_.push_back("cursor " + std::to_string(previous)); }

  bool opens = true;
  int reply = answer::kYes;
  std::vector<std::string> texts;

 private:
  EventLog& log_;
};

class AddPathTest : public ::testing::Test {
 protected:
  AddPathTest() { list.readInfoOnAdd = false; }

  AddResult Add(const std::string& path, bool ask = true) { return adder.AddPathToList(path, {}, ask); }

  // "path" or "path|member" for every entry, in list order.
  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i) {
      const MediaEntry& entry = list.Entry(i);
      entries.push_back(entry.member.empty() ? entry.path : entry.path + "|" + entry.member);
    }
    return entries;
  }
  std::vector<std::string> RecentFiles() const {
    std::vector<std::string> recent;
    for (std::size_t i = 0; i < Settings::kRecentFileCount && !settings.RecentFile(i).empty(); ++i) {
      recent.push_back(settings.RecentFile(i));
    }
    return recent;
  }
  // An own list file holding the given paths.
  std::string OwnListBytes(const std::vector<std::string>& paths) {
    MediaList other(kProgramFolder);
    other.readInfoOnAdd = false;
    for (const std::string& path : paths) other.AddEntry(path, {});
    return FormatOwnList(other);
  }
  int Count(const std::string& event) const { return static_cast<int>(std::count(log.begin(), log.end(), event)); }

  EventLog log;
  testing::FakeFileSystem files;
  Settings settings{files, kProgramFolder, SystemVersion{10, 0, 19045, 2}};
  MediaList list{kProgramFolder};
  FakeArchiver archiver{log};
  FakeShortcuts shortcuts;
  FakePlayer player{log};
  ListPathAdder adder{{list, settings, files, archiver, shortcuts, player, player, player, player}};
};

TEST_F(AddPathTest, CategoryDecidesWhatAFileBecomes) {
  for (const char* name : {"a.mid", "b.rcp", "c.ogg", "d.MP3"}) files.AddFile(std::string("C:\\m\\") + name, "x");
  files.AddFile("C:\\m\\notes.txt", "x");
  files.AddFile("C:\\m\\cover.jpg", "x");

  for (const char* name : {"a.mid", "b.rcp", "c.ogg", "d.MP3"}) {
    const AddResult result = Add(std::string("C:\\m\\") + name);
    EXPECT_TRUE(result.added) << name;
    EXPECT_EQ(result.index, list.Count() - 1) << name;
  }
  for (const char* name : {"notes.txt", "cover.jpg"}) {
    const AddResult result = Add(std::string("C:\\m\\") + name);
    EXPECT_FALSE(result.added) << name;
    EXPECT_EQ(result.index, -1) << name;
  }
  EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\m\\a.mid", "C:\\m\\b.rcp", "C:\\m\\c.ogg", "C:\\m\\d.MP3"}));
  EXPECT_TRUE(player.texts.empty()) << "documents and pictures are skipped without a word";
  EXPECT_EQ(Count("stop"), 0);

  // A path that does not exist goes by its name, as a file would.
  EXPECT_TRUE(Add("C:\\gone\\e.wav").added);
  // The same path again reports the entry already there.
  const AddResult again = Add("C:\\M\\A.MID");
  EXPECT_TRUE(again.added);
  EXPECT_EQ(again.index, 0);
  EXPECT_EQ(list.Count(), 5);
}

TEST_F(AddPathTest, NamesBeginningWithADotAndEmptyPathsAreSkipped) {
  files.AddFile("C:\\m\\.song.mid", "x");
  EXPECT_FALSE(Add("C:\\m\\.song.mid").added);
  EXPECT_FALSE(Add("C:\\m\\.").added);
  EXPECT_FALSE(Add("").added);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(RecentFiles().empty());
}

TEST_F(AddPathTest, FolderWalkAddsPlayableFilesInEnumerationOrderAndReportsTheFirst) {
  list.AddEntry("C:\\earlier.wav", {});
  files.AddFolder("C:\\drop");
  files.AddFolder("C:\\drop\\sub");
  files.AddFile("C:\\drop\\a.mid", "x");
  files.AddFile("C:\\drop\\sub\\b.mp3", "x");
  files.AddFile("C:\\drop\\readme.txt", "x");

  std::vector<std::string> expected{"C:\\earlier.wav"};
  for (const FolderItem& item : files.ListFolder("C:\\drop")) {
    if (item.name == "sub") expected.push_back("C:\\drop\\sub\\b.mp3");
    if (item.name == "a.mid") expected.push_back("C:\\drop\\a.mid");
  }
  const AddResult result = Add("C:\\drop");
  EXPECT_TRUE(result.added);
  EXPECT_EQ(Entries(), expected);
  EXPECT_EQ(result.index, 1) << "the first entry the walk added";

  // A drive root gets no second backslash.
  files.AddFolder("D:\\");
  files.AddFile("D:\\root.mid", "x");
  EXPECT_TRUE(Add("D:\\").added);
  EXPECT_EQ(Entries().back(), "D:\\root.mid");

  files.AddFolder("C:\\quiet");
  files.AddFile("C:\\quiet\\only.txt", "x");
  const AddResult quiet = Add("C:\\quiet");
  EXPECT_FALSE(quiet.added);
  EXPECT_EQ(quiet.index, -1);
}

TEST_F(AddPathTest, WalkLeavesOutHiddenEntriesDotNamesLinkedFoldersAndFoldersSeenBefore) {
  files.AddFolder("C:\\w");
  files.AddFile("C:\\w\\seen.mid", "x");
  files.AddFile("C:\\w\\hidden.mid", "x");
  files.AddHidden("C:\\w\\hidden.mid");
  files.AddFolder("C:\\w\\secret");
  files.AddHidden("C:\\w\\secret");
  files.AddFile("C:\\w\\secret\\in-hidden.mid", "x");
  files.AddFile("C:\\w\\.dot.mid", "x");
  files.AddFolder("C:\\w\\.git");
  files.AddFile("C:\\w\\.git\\in-dot.mid", "x");
  // A junction back to the top would make the walk endless.
  files.AddFolder("C:\\w\\loop");
  files.AddLink("C:\\w\\loop");
  files.AddFile("C:\\w\\loop\\in-link.mid", "x");
  // A symbolic link to a file is a file like any other.
  files.AddFile("C:\\w\\linked.mid", "x");
  files.AddLink("C:\\w\\linked.mid");
  // A link the system does not report as one still leads to a folder the
  // walk has entered: it is not walked again.
  files.AddFolderAgain("C:\\w\\self", "C:\\w");
  files.AddFile("C:\\w\\self\\through-self.mid", "x");

  EXPECT_TRUE(Add("C:\\w").added);
  std::vector<std::string> entries = Entries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"C:\\w\\linked.mid", "C:\\w\\seen.mid"}));
}

TEST_F(AddPathTest, WalkStopsAtTheDepthLimit) {
  // f.mid at every level of a chain of folders two deeper than the limit.
  std::string folder = "C:\\deep";
  std::vector<std::string> levels;
  for (int depth = 0; depth <= ListPathAdder::kMaxFolderDepth + 2; ++depth) {
    files.AddFolder(folder);
    files.AddFile(folder + "\\f.mid", "x");
    levels.push_back(folder + "\\f.mid");
    folder += "\\d";
  }
  EXPECT_TRUE(Add("C:\\deep").added);
  const int walked = ListPathAdder::kMaxFolderDepth + 1;  // the top and the levels below it
  ASSERT_EQ(list.Count(), walked);
  std::vector<std::string> entries = Entries();
  std::sort(entries.begin(), entries.end());
  std::vector<std::string> expected(levels.begin(), levels.begin() + walked);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries, expected);
}

TEST_F(AddPathTest, ShortcutsAreFollowedToFilesOnly) {
  files.AddFile("C:\\links\\song.lnk", "link");
  files.AddFile("C:\\music\\song.mid", "x");
  shortcuts.targets["C:\\links\\song.lnk"] = "C:\\music\\song.mid";
  EXPECT_TRUE(Add("C:\\links\\song.lnk").added);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\music\\song.mid"}));
  EXPECT_EQ(settings.RecentFile(0), "C:\\music\\song.mid") << "the target is the recent path";

  // A link whose stored data claim a file but that leads to a folder is not
  // walked: here the folder holds a link back to itself.
  files.AddFolder("C:\\ring");
  files.AddFile("C:\\ring\\a.mid", "x");
  files.AddFile("C:\\ring\\back.lnk", "link");
  shortcuts.targets["C:\\ring\\back.lnk"] = "C:\\ring";
  files.AddFile("C:\\desk\\ring.lnk", "link");
  shortcuts.targets["C:\\desk\\ring.lnk"] = "C:\\ring";
  EXPECT_FALSE(Add("C:\\desk\\ring.lnk", false).added) << "the link file itself has no playable type";
  EXPECT_TRUE(Add("C:\\ring", false).added);
  EXPECT_EQ(list.Count(), 2) << "the folder's own file, once";

  // A link to a dot file is skipped like the dot file.
  files.AddFile("C:\\links\\hidden.lnk", "link");
  shortcuts.targets["C:\\links\\hidden.lnk"] = "C:\\music\\.x.mid";
  EXPECT_FALSE(Add("C:\\links\\hidden.lnk").added);
}

TEST_F(AddPathTest, EveryFileOfAWalkBecomesARecentPathButNotTheFolder) {
  files.AddFolder("C:\\many");
  std::vector<std::string> walked;
  for (int i = 0; i < 12; ++i) {
    const std::string path = "C:\\many\\" + std::to_string(i) + (i % 2 ? ".mid" : ".txt");
    files.AddFile(path, "x");
    walked.push_back(path);
  }
  files.AddFile("C:\\many\\.skipped.mid", "x");
  Add("C:\\many");
  const std::vector<std::string> lastTen(walked.rbegin(), walked.rbegin() + 10);
  EXPECT_EQ(RecentFiles(), lastTen) << "text files too: the recent path is pushed before the category counts";
}

TEST_F(AddPathTest, ArchiveMembersBecomeEntriesUnderTheirFileNames) {
  files.AddFile("C:\\a\\pack.zip", "PK");
  archiver.archives["C:\\a\\pack.zip"] = {"x\\song.mid", "song.txt", "y/other.mp3", "deep\\er/last.rcp"};
  list.AddEntry("C:\\earlier.wav", {});

  const AddResult result = Add("C:\\a\\pack.zip");
  EXPECT_TRUE(result.added);
  EXPECT_EQ(result.index, 1);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\earlier.wav", "C:\\a\\pack.zip|song.mid",
                                                 "C:\\a\\pack.zip|other.mp3", "C:\\a\\pack.zip|last.rcp"}));
  EXPECT_EQ(log, (EventLog{"archive C:\\a\\pack.zip", "first *.*"}));
  EXPECT_EQ(RecentFiles(), (std::vector<std::string>{"C:\\a\\pack.zip"})) << "the archive, none of its members";

  // Two members of the same name in different folders meet in one entry.
  archiver.archives["C:\\a\\twice.lzh"] = {"cd1\\track.mid", "cd2\\track.mid"};
  EXPECT_TRUE(Add("C:\\a\\twice.lzh").added);
  EXPECT_EQ(Entries().back(), "C:\\a\\twice.lzh|track.mid");
  EXPECT_EQ(list.Count(), 5);
}

TEST_F(AddPathTest, MembersThatAreNoPlayableFileAreNotFollowed) {
  archiver.archives["C:\\a\\outer.zip"] = {"inner.zip", "inner.lzh", "list.mpl", "list.m3u", "odd.xyz", ".hidden.mid"};
  archiver.archives["C:\\a\\inner.zip"] = {"song.mid"};
  const AddResult result = Add("C:\\a\\outer.zip");
  EXPECT_FALSE(result.added);
  EXPECT_EQ(result.index, -1);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(Count("archive C:\\a\\inner.zip"), 0) << "an archive inside an archive is not opened";
  EXPECT_EQ(Count("stop"), 0) << "a list inside an archive is not loaded";
  EXPECT_TRUE(player.texts.empty()) << "an unknown type inside an archive raises no question";
}

TEST_F(AddPathTest, HostileMemberNamesAreRefused) {
  archiver.archives["C:\\a\\evil.zip"] = {
      "",                    // nothing
      "folder\\",            // a folder, no file name
      "x\\.",                // "."
      "x/..",                // ".."
      "quote\".mid",         // ends the quoted argument
      "\" -o x.mid",         // switches smuggled in
      "bell\x07.mid",        // control byte
      "tab\t.mid",           // control byte
      "del\x7f.mid",         // control byte
      "C:evil.mid",          // drive-relative
      "C:\\evil.mid",         // absolute
      "\\evil.mid",           // absolute
      "/evil.mid",           // absolute
      "\\\\host\\share\\evil.mid",  // UNC
      "..\\..\\escape.mid",  // climbs out of the folder
      "a/.../escape.mid",    // climbs as well, for Windows
      "x.mid:y.mid",         // a stream of another file
      "all*.mid",            // widens the extraction pattern
      "any?.mid",            // the same
      "pipe|.mid",           // not a file name
      "\x81\x22.mid",        // a lead byte hiding a quote
      "-x.mid",              // a switch, even inside quotes
      "@list.mid",           // a response file
      "dot.mid.",            // Windows drops the dot: another name
      "blank.mid ",          // and the blank
      "CON.mid",             // devices, with any extension
      "nul.mid",             //
      "com1.mid",            //
      "LPT9 .mid",           //
      "\x95\x5c.mid",        // 表: trail byte 0x5C
      "\x83\x7c.mid",        // ポ: trail byte 0x7C
      "album/ok.mid",        // folders dropped: plain name
      "COM10.mid",           // not a device
  };
  EXPECT_TRUE(Add("C:\\a\\evil.zip").added);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a\\evil.zip|\x95\x5c.mid", "C:\\a\\evil.zip|\x83\x7c.mid",
                                                 "C:\\a\\evil.zip|ok.mid", "C:\\a\\evil.zip|COM10.mid"}));

  // A member handed over directly is checked the same way.
  EXPECT_FALSE(adder.AddPathToList("x\\song.mid", "C:\\a\\evil.zip", true).added);
  EXPECT_FALSE(adder.AddPathToList("a\".mid", "C:\\a\\evil.zip", true).added);
  EXPECT_TRUE(adder.AddPathToList("fine.mid", "C:\\a\\evil.zip", true).added);
}

TEST_F(AddPathTest, ArchiveListingsEndEvenWhenTheLibraryNeverSaysSo) {
  archiver.endless = true;
  EXPECT_FALSE(Add("C:\\a\\endless.zip").added);
  EXPECT_EQ(archiver.nextCalls, ListPathAdder::kMaxArchiveMembers);

  // A full list ends the listing at once.
  archiver.endless = false;
  list.SetCapacity(1);
  list.AddEntry("C:\\one.mid", {});
  archiver.nextCalls = 0;
  archiver.archives["C:\\a\\more.zip"] = {"a.mid", "b.mid"};
  EXPECT_FALSE(Add("C:\\a\\more.zip").added);
  EXPECT_EQ(archiver.nextCalls, 0);
}

TEST_F(AddPathTest, ArchivesWithoutAnArchiverAddNothing) {
  NullArchiver none;
  ListPathAdder bare{{list, settings, files, none, shortcuts, player, player, player, player}};
  const AddResult result = bare.AddPathToList("C:\\a\\pack.rar", {}, true);
  EXPECT_FALSE(result.added);
  EXPECT_EQ(result.index, -1);
  EXPECT_TRUE(player.texts.empty());
}

TEST_F(AddPathTest, OwnListFileReplacesTheListAfterTheStopCommand) {
  list.AddEntry("C:\\before.mid", {});
  files.AddFile("D:\\lists\\mine.mpl", OwnListBytes({"D:\\x.mid", "D:\\y.mid"}));
  const AddResult result = Add("D:\\lists\\mine.mpl");
  EXPECT_TRUE(result.added);
  EXPECT_EQ(result.index, list.CurrentIndex());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"D:\\x.mid", "D:\\y.mid"}));
  EXPECT_EQ(list.ListPath(), "D:\\lists\\mine.mpl");
  EXPECT_EQ(log.front(), "stop");
  EXPECT_EQ(settings.RecentFile(0), "D:\\lists\\mine.mpl");

  // A file that is no list: the stop command has run, the entries stay.
  log.clear();
  files.AddFile("D:\\lists\\bad.mpl", "not a list\r\n");
  EXPECT_FALSE(Add("D:\\lists\\bad.mpl").added);
  EXPECT_EQ(Count("stop"), 1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ListPath(), "D:\\lists\\mine.mpl") << "the file that did not load is not saved over at exit";
}

TEST_F(AddPathTest, ListFileInAFolderReplacesTheListInTheMiddleOfTheWalk) {
  list.AddEntry("C:\\before.mid", {});
  files.AddFolder("C:\\mix");
  files.AddFile("C:\\mix\\a.mid", "x");
  files.AddFile("C:\\mix\\saved.mpl", OwnListBytes({"D:\\x.mid"}));
  files.AddFile("C:\\mix\\c.mid", "x");
  EXPECT_TRUE(Add("C:\\mix").added);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"D:\\x.mid", "C:\\mix\\c.mid"}));
}

TEST_F(AddPathTest, ForeignListsAreImportedAfterTheStopCommand) {
  list.AddEntry("C:\\before.mid", {});
  files.AddFile("D:\\kb\\old.kbm", "KbMIDI Player Play List\r\n0:D:\\kb\\a.mid\r\n1:\r\n0:D:\\kb\\b.mid\r\n");
  AddResult result = Add("D:\\kb\\old.kbm");
  EXPECT_TRUE(result.added);
  EXPECT_EQ(result.index, list.CurrentIndex());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"D:\\kb\\a.mid", "D:\\kb\\b.mid"}));
  EXPECT_EQ(log, (EventLog{"stop"}));

  files.AddFile("D:\\pl\\set.m3u", "one.mid\r\nE:\\two.mp3\r\n");
  result = Add("D:\\pl\\set.m3u");
  EXPECT_TRUE(result.added);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"D:\\pl\\one.mid", "E:\\two.mp3"}));
  EXPECT_EQ(Count("stop"), 2);

  files.AddFile("D:\\kb\\fake.kbm", "something else\r\n");
  EXPECT_FALSE(Add("D:\\kb\\fake.kbm").added);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(AddPathTest, AListFileThatDoesNotFitIsRefusedAndNeitherFileChangesAtExit) {
  // 150 entries against a capacity of 100, as the own format and as MIDIPLAY.
  std::vector<std::string> names;
  std::string midiplay = "[MIDIPLAY]\r\nnumtracks=150\r\n";
  for (int i = 0; i < 150; ++i) {
    names.push_back("D:\\m\\" + std::to_string(i) + ".mid");
    midiplay += std::to_string(i) + "=" + names.back() + "\r\n";
  }
  const std::vector<std::pair<std::string, std::string>> listFiles = {{"D:\\lists\\own.mpl", OwnListBytes(names)},
                                                                      {"D:\\lists\\_default.mpl", midiplay}};
  list.SetCapacity(100);
  for (const char* path : {"C:\\a.mid", "C:\\b.mid", "C:\\c.mid"}) list.AddEntry(path, {});
  list.SetCurrentIndex(1);
  ASSERT_TRUE(SaveList(list, files, {}));
  const std::string saved = files.Contents("C:\\KORU\\_default.mpl");

  for (const auto& [path, bytes] : listFiles) {
    SCOPED_TRACE(path);
    files.AddFile(path, bytes);
    log.clear();
    player.texts.clear();
    EXPECT_FALSE(Add(path).added);
    EXPECT_EQ(log, (EventLog{"stop", "front", "message 48"}));
    EXPECT_EQ(player.texts, std::vector<std::string>{cp932::FromUtf8(u8"最大ﾘｽﾄ数を越えて登録する事はできません。")});
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mid", "C:\\b.mid", "C:\\c.mid"}));
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_EQ(list.ListPath(), "C:\\KORU\\_default.mpl");
    ASSERT_TRUE(SaveList(list, files, {}));  // what the exit does
    EXPECT_EQ(files.Contents("C:\\KORU\\_default.mpl"), saved);
    EXPECT_EQ(files.Contents(path), bytes);
  }
}

TEST_F(AddPathTest, UnknownTypeThatPlaysIsAddedAndRegisteredOnYes) {
  player.reply = answer::kYes;
  const AddResult result = Add("C:\\new\\tune.xyz");
  EXPECT_TRUE(result.added);
  EXPECT_EQ(result.index, 0);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\new\\tune.xyz"}));
  EXPECT_EQ(log, (EventLog{"open C:\\new\\tune.xyz", "front", "question 68"}));
  EXPECT_EQ(settings.CategoryOf("other.XYZ"), file_category::kMedia);

  log.clear();
  EXPECT_TRUE(Add("C:\\new\\second.xyz").added);
  EXPECT_TRUE(log.empty()) << "a registered type asks no more";
}

TEST_F(AddPathTest, UnknownTypeThatPlaysIsAddedOnNoAndAsksAgainNextTime) {
  player.reply = answer::kNo;
  EXPECT_TRUE(Add("C:\\new\\tune.xyz").added);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(settings.CategoryOf("tune.xyz"), file_category::kUnknown);
  EXPECT_TRUE(Add("C:\\new\\second.xyz").added);
  EXPECT_EQ(Count("question 68"), 2);

  // The question names the file, split as code page 932 (表 ends in 0x5C).
  const std::string name = "\x95\x5c\x8e\xa6.xyz";
  Add("C:\\new\\" + name);
  EXPECT_EQ(
      player.texts.back(),
      cp932::FromUtf8(u8"新しいﾒﾃﾞｨｱ ") + name +
          cp932::FromUtf8(
              u8" の演奏ﾁｪｯｸに成功しました。\nこのﾌｧｲﾙﾀｲﾌﾟを演奏可能なﾒﾃﾞｨｱﾌｧｲﾙとして登録します。 よろしいですか？"));
}

TEST_F(AddPathTest, UnknownTypeThatFailsIsNeverAddedAndRegisteredAsNonMediaOnYes) {
  player.opens = false;
  player.reply = answer::kNo;
  EXPECT_FALSE(Add("C:\\new\\broken.abc").added);
  EXPECT_EQ(log, (EventLog{"open C:\\new\\broken.abc", "stop", "front", "question 52"}));
  EXPECT_EQ(
      player.texts.back(),
      cp932::FromUtf8(
          u8"新しいﾒﾃﾞｨｱ broken.abc の演奏ﾁｪｯｸに失敗しました!!\nこのﾌｧｲﾙﾀｲﾌﾟを演奏不可な非ﾒﾃﾞｨｱﾌｧｲﾙとして登録します。 "
          u8"よろしいですか？"));
  EXPECT_EQ(settings.CategoryOf("broken.abc"), file_category::kUnknown);

  player.reply = answer::kYes;
  EXPECT_FALSE(Add("C:\\new\\broken.abc").added);
  EXPECT_EQ(settings.CategoryOf("broken.abc"), file_category::kNonMedia);
  log.clear();
  EXPECT_FALSE(Add("C:\\new\\next.abc").added);
  EXPECT_TRUE(log.empty()) << "non-media files are skipped without a question";
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(AddPathTest, UnknownTypeWithoutQuestionsIsSkipped) {
  EXPECT_FALSE(Add("C:\\new\\tune.xyz", false).added);
  EXPECT_TRUE(log.empty()) << "nothing opened, nothing asked";
  EXPECT_EQ(settings.RecentFile(0), "C:\\new\\tune.xyz");
}

TEST_F(AddPathTest, FullListRefusesEntriesAndTheCheckReportsOnlyWhenAsked) {
  EXPECT_TRUE(adder.ListHasRoom(true));
  list.SetCapacity(2);
  list.AddEntry("C:\\1.mid", {});
  EXPECT_TRUE(adder.ListHasRoom(true));
  EXPECT_TRUE(log.empty());

  files.AddFolder("C:\\f");
  files.AddFile("C:\\f\\2.mid", "x");
  files.AddFile("C:\\f\\3.mid", "x");
  EXPECT_TRUE(Add("C:\\f").added);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_FALSE(Add("C:\\4.mid").added);
  EXPECT_TRUE(log.empty()) << "the adding itself shows nothing";

  EXPECT_FALSE(adder.ListHasRoom(false));
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(adder.ListHasRoom(true));
  EXPECT_EQ(log, (EventLog{"front", "message 48"}));
  EXPECT_EQ(player.texts.back(), cp932::FromUtf8(u8"最大ﾘｽﾄ数を越えて登録する事はできません。"));
}

TEST_F(AddPathTest, HourglassWrapsTheAddAndAllowsQuestions) {
  player.reply = answer::kNo;
  PathAdder& handOver = adder;
  EXPECT_TRUE(handOver.AddPathWithHourglass("C:\\new\\tune.xyz").added);
  EXPECT_EQ(log, (EventLog{"hourglass", "open C:\\new\\tune.xyz", "front", "question 68", "cursor 17"}));

  log.clear();
  EXPECT_TRUE(adder.AddPathWithHourglass("inside.mid", "C:\\a\\pack.zip").added);
  EXPECT_EQ(log, (EventLog{"hourglass", "cursor 17"}));
  EXPECT_EQ(Entries().back(), "C:\\a\\pack.zip|inside.mid");
}

}  // namespace
}  // namespace koru
