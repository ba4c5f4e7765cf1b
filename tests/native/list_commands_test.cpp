// The main window's commands on the list: what each does to the entries, the
// current index and the selection, the questions and their exact texts, the
// file dialogs, the mascot's texts, and files dropped on the window.
#include "playback/list_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <optional>
#include <string>
#include <vector>

#include "archive/null_archiver.h"
#include "medialist/list_file.h"
#include "support/player_rig.h"

namespace koru {
namespace {

using testing::PlayerRig;

class RecordingRows : public ListSelectionView {
 public:
  bool shown = true;
  std::vector<int> selected;
  std::vector<std::vector<int>> selections;
  int titleCommits = 0;
  bool ListShown() override { return shown; }
  std::vector<int> SelectedRows() override { return shown ? selected : std::vector<int>{}; }
  void SelectRows(const std::vector<int>& rows) override {
    selected = rows;
    selections.push_back(rows);
  }
  void AutoSizeColumns(bool) override {}
  void CommitTitleEdit() override { ++titleCommits; }
};

class FakeFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> openAnswer, saveAnswer;
  std::vector<FileDialogRequest> opened, saved;
  std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override {
    opened.push_back(request);
    return openAnswer;
  }
  std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override {
    saved.push_back(request);
    return saveAnswer;
  }
};

class FakeShell : public ShellOpener {
 public:
  std::vector<std::string> opened;
  bool OpenDocument(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
};

class FakeHourglass : public CursorControl {
 public:
  int shown = 0, restored = 0;
  CursorToken ShowHourglass() override {
    ++shown;
    return 7;
  }
  void RestoreCursor(CursorToken) override { ++restored; }
};

class NoShortcuts : public ShortcutResolver {
 public:
  std::string ResolveShortcut(const std::string& path) override { return path; }
};

class NoFront : public MainWindowFront {
 public:
  void BringMainWindowToFront() override {}
};

std::string Text(const char8_t* utf8) { return cp932::FromUtf8(utf8); }

class ListCommandsTest : public ::testing::Test {
 protected:
  ListCommandsTest() {
    rig.files.AddFolder("C:\\");
    rig.files.AddFolder("C:\\Music");
    rig.list.SetListPath("C:\\Lists\\my.mpl");
  }

  // Entry i is C:\Music\song<i+1>.mid; the first is current.
  void AddSongs(int n) { rig.AddSongs(n); }
  // The entries' file names, in list order.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < rig.list.Count(); ++i) names.push_back(Name(rig.list.Entry(i)));
    return names;
  }
  static std::string Name(const MediaEntry& entry) { return entry.path.substr(entry.path.rfind('\\') + 1); }
  std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (int i = 0; i < rig.list.Count(); ++i) paths.push_back(rig.list.Entry(i).path);
    return paths;
  }
  std::vector<std::string> Songs(std::initializer_list<int> numbers) {
    std::vector<std::string> names;
    for (const int n : numbers) names.push_back("song" + std::to_string(n) + ".mid");
    return names;
  }
  // Rows 1-based, as the user counts them.
  void Select(std::initializer_list<int> rowsFromOne) {
    rows.selected.clear();
    for (const int row : rowsFromOne) rows.selected.push_back(row - 1);
  }
  std::string CurrentName() { return rig.list.CurrentEntry() ? Name(*rig.list.CurrentEntry()) : "<none>"; }

  PlayerRig rig;
  NullArchiver archiver;
  NoShortcuts shortcuts;
  NoFront front;
  FakeHourglass hourglass;
  ListPathAdder adder{{rig.list, rig.settings, rig.files, archiver, shortcuts, rig.controller(), rig.dialogs, front,
                       hourglass}};
  AddGate gate;
  RecordingRows rows;
  FakeFileDialogs fileDialogs;
  FakeShell shell;
  ListCommands commands{{rig.list, rig.settings, rig.files, rig.player, rig.view, adder, gate, rows, fileDialogs,
                         rig.dialogs, rig.sstp, hourglass, shell, &rig.infoReader}};
};

// --- Questions -------------------------------------------------------------------

TEST_F(ListCommandsTest, EachQuestionIsAskedWithItsTextAndNoChangesNothing) {
  struct Case {
    void (ListCommands::*command)();
    const char8_t* question;
  };
  const Case cases[] = {
      {&ListCommands::mnuFileNewClick, u8"ﾘｽﾄを初期化します。 よろしいですか？"},
      {&ListCommands::mnuFileMediaClick,
       u8"ﾘｽﾄ登録済みのﾒﾃﾞｨｱ情報を再取得します。\nよろしいですか？ (時間は取得されません)"},
      {&ListCommands::mnuFileSearchClick,
       u8"ﾘｽﾄ登録済みのﾌｧｲﾙと同一ﾌｫﾙﾀﾞを検索し、\n未登録のﾒﾃﾞｨｱﾌｧｲﾙをﾘｽﾄに登録しますか？"},
      {&ListCommands::mnuFileDeleteClick,
       u8"ﾘｽﾄ登録済みのﾌｧｲﾙの再検索を行い、\n存在しないﾌｧｲﾙをﾘｽﾄから削除しますか？"},
  };
  AddSongs(3);
  rig.files.RemoveFile("C:\\Music\\song2.mid");       // would be removed
  rig.files.AddFile("C:\\Music\\unlisted.mid", "x");  // would be found
  rig.settings.opt.sstp = 1;
  rig.dialogs.reply = answer::kNo;
  for (const Case& c : cases) {
    rig.dialogs.asked.clear();
    rig.dialogs.flags.clear();
    (commands.*c.command)();
    EXPECT_EQ(rig.dialogs.asked, std::vector<std::string>{Text(c.question)});
    EXPECT_EQ(rig.dialogs.flags, std::vector<int>{68});
  }
  EXPECT_EQ(Names(), Songs({1, 2, 3}));
  EXPECT_EQ(rig.list.ListPath(), "C:\\Lists\\my.mpl");
  EXPECT_TRUE(rig.sstp.scripts.empty());
  EXPECT_TRUE(rig.infoReader.paths.empty());
  EXPECT_EQ(hourglass.shown, 0);
}

TEST_F(ListCommandsTest, NewListEmptiesTheListUnderTheDefaultNameWithoutSavingOrReading) {
  AddSongs(2);
  rig.files.AddFile("C:\\KORU\\_default.mpl", "old");
  commands.mnuFileNewClick();
  EXPECT_EQ(rig.list.Count(), 0);
  EXPECT_EQ(rig.list.ListPath(), "C:\\KORU\\_default.mpl");
  EXPECT_EQ(rig.files.writes, 0);
  EXPECT_EQ(rig.files.Contents("C:\\KORU\\_default.mpl"), "old");
  EXPECT_EQ(rig.view.rowRefreshes.back(), true);
}

// --- Saving ------------------------------------------------------------------------

TEST_F(ListCommandsTest, SaveWritesTheListQuietlyAndSaysSoWithThePathWhenItFails) {
  AddSongs(2);
  commands.mnuFileUpdateClick();
  EXPECT_EQ(rig.files.Contents("C:\\Lists\\my.mpl"), FormatOwnList(rig.list));
  EXPECT_TRUE(rig.dialogs.asked.empty());

  rig.files.FailWritesTo("C:\\Lists\\my.mpl");
  rig.list.AddEntry("C:\\Music\\other.mid", "");
  commands.mnuFileUpdateClick();
  EXPECT_EQ(rig.dialogs.asked,
            std::vector<std::string>{Text(u8"ﾘｽﾄﾌｧｲﾙを保存できませんでした。\n") + "C:\\Lists\\my.mpl"});
  EXPECT_EQ(rig.dialogs.flags, std::vector<int>{48});
}

TEST_F(ListCommandsTest, SaveAsOpensOnTheListPathAndAppendsMplUnlessTheNameEndsInIt) {
  struct Case {
    const char* chosen;
    const char* written;
  };
  const Case cases[] = {
      {"C:\\Lists\\a.txt", "C:\\Lists\\a.txt.mpl"},
      {"C:\\Lists\\b.MPL", "C:\\Lists\\b.MPL"},
      {"C:\\Lists\\c", "C:\\Lists\\c.mpl"},
  };
  AddSongs(1);
  for (const Case& c : cases) {
    fileDialogs.saveAnswer = c.chosen;
    const std::string before = rig.list.ListPath();
    commands.mnuFileSaveClick();
    EXPECT_EQ(fileDialogs.saved.back().fileName, before);
    EXPECT_EQ(rig.list.ListPath(), c.written);
    EXPECT_TRUE(rig.files.Has(c.written)) << c.chosen;
    EXPECT_FALSE(rig.files.Has(c.chosen) && std::string(c.chosen) != c.written) << c.chosen;
  }
  const FileDialogRequest& request = fileDialogs.saved.front();
  EXPECT_EQ(request.title, Text(u8"ﾘｽﾄﾌｧｲﾙに名前を付けて保存する"));
  EXPECT_EQ(request.filter, Text(u8"ﾘｽﾄﾌｧｲﾙ (*.MPL)|*.mpl"));
  EXPECT_EQ(request.defaultExtension, "mpl");
  EXPECT_TRUE(rig.dialogs.asked.empty());
}

TEST_F(ListCommandsTest, SaveAsAsksBeforeReplacingTheNameItMadeAndNoKeepsEverything) {
  AddSongs(1);
  rig.files.AddFile("C:\\Lists\\a.txt.mpl", "old");
  fileDialogs.saveAnswer = "C:\\Lists\\a.txt";
  rig.dialogs.reply = answer::kNo;
  commands.mnuFileSaveClick();
  EXPECT_EQ(rig.dialogs.asked,
            std::vector<std::string>{"C:\\Lists\\a.txt.mpl" + Text(u8" は既に存在します。\n上書きしますか？")});
  EXPECT_EQ(rig.dialogs.flags, std::vector<int>{52});
  EXPECT_EQ(rig.files.Contents("C:\\Lists\\a.txt.mpl"), "old");
  EXPECT_EQ(rig.list.ListPath(), "C:\\Lists\\my.mpl");

  rig.dialogs.reply = answer::kYes;
  commands.mnuFileSaveClick();
  EXPECT_EQ(rig.files.Contents("C:\\Lists\\a.txt.mpl"), FormatOwnList(rig.list));
  EXPECT_EQ(rig.list.ListPath(), "C:\\Lists\\a.txt.mpl");
}

TEST_F(ListCommandsTest, AFailedSaveAsSaysSoAndKeepsTheOldListPath) {
  AddSongs(1);
  rig.files.FailWritesTo("C:\\Lists\\new.mpl");
  fileDialogs.saveAnswer = "C:\\Lists\\new.mpl";
  commands.mnuFileSaveClick();
  EXPECT_EQ(rig.dialogs.asked,
            std::vector<std::string>{Text(u8"ﾘｽﾄﾌｧｲﾙを保存できませんでした。\n") + "C:\\Lists\\new.mpl"});
  EXPECT_EQ(rig.list.ListPath(), "C:\\Lists\\my.mpl");

  fileDialogs.saveAnswer.reset();  // cancelled
  rig.dialogs.asked.clear();
  commands.mnuFileSaveClick();
  EXPECT_TRUE(rig.dialogs.asked.empty());
  EXPECT_EQ(rig.files.writes, 0);
}

// --- Opening -----------------------------------------------------------------------

TEST_F(ListCommandsTest, OpenDialogFilterRunsTheListAndMediaCategoriesInOrder) {
  rig.settings.ClearFileTypes();
  rig.settings.SetCategory("x.ZIP", file_category::kZip);
  rig.settings.SetCategory("x.MID", file_category::kMedia);
  rig.settings.SetCategory("x.TXT", file_category::kDocument);
  rig.settings.SetCategory("x.M3U", file_category::kPlainPlayList);
  rig.settings.SetCategory("x.WAV", file_category::kMedia);
  rig.settings.SetCategory("x.MPL", file_category::kOwnList);
  rig.settings.SetCategory("x.A|B", file_category::kMedia);  // would break the filter apart
  commands.FileOpenClick();
  ASSERT_EQ(fileDialogs.opened.size(), 1u);
  EXPECT_EQ(fileDialogs.opened[0].title, Text(u8"ﾘｽﾄﾌｧｲﾙを開くまたはﾒﾃﾞｨｱﾌｧｲﾙを追加する"));
  EXPECT_EQ(fileDialogs.opened[0].filter,
            Text(u8"ﾘｽﾄﾌｧｲﾙまたはﾒﾃﾞｨｱﾌｧｲﾙ|*.MPL;*.M3U;*.MID;*.WAV;*.ZIP;|すべてのﾌｧｲﾙ (*.*)|*.*"));
}

TEST_F(ListCommandsTest, OpenAddsTheChosenFileSelectsItAndPlaysIt) {
  AddSongs(2);
  rig.files.AddFile("C:\\New\\tune.mid", "x");
  fileDialogs.openAnswer = "C:\\New\\tune.mid";
  commands.FileOpenClick();
  EXPECT_EQ(rig.list.Count(), 3);
  EXPECT_EQ(rig.list.CurrentIndex(), 2);
  EXPECT_EQ(rows.selections.back(), std::vector<int>{2});
  EXPECT_EQ(rig.device.FileName(), "C:\\New\\tune.mid");
  EXPECT_EQ(rig.player.State(), PlayState::Playing);
  EXPECT_EQ(rig.settings.RecentFile(0), "C:\\New\\tune.mid");
}

TEST_F(ListCommandsTest, OpenAndRecentOnAFullListSayOnceAndAddNothing) {
  AddSongs(2);
  rig.list.SetCapacity(2);
  rig.files.AddFile("C:\\New\\tune.mid", "x");
  rig.settings.AddRecentFile("C:\\New\\tune.mid");
  fileDialogs.openAnswer = "C:\\New\\tune.mid";
  commands.FileOpenClick();
  commands.mnuFileLastClick(0);
  const std::string full = Text(u8"最大ﾘｽﾄ数を越えて登録する事はできません。");
  EXPECT_EQ(rig.dialogs.asked, (std::vector<std::string>{full, full}));
  EXPECT_EQ(rig.dialogs.flags, (std::vector<int>{48, 48}));
  EXPECT_EQ(rig.list.Count(), 2);
  EXPECT_EQ(rig.player.State(), PlayState::Closed);
}

TEST_F(ListCommandsTest, RecentPathMovesToTheTopAndPlays) {
  for (const char* path : {"C:\\New\\a.mid", "C:\\New\\b.mid", "C:\\New\\c.mid"}) {
    rig.files.AddFile(path, "x");
    rig.settings.AddRecentFile(path);
  }
  commands.mnuFileLastClick(2);  // a.mid, the oldest
  EXPECT_EQ(rig.settings.RecentFile(0), "C:\\New\\a.mid");
  EXPECT_EQ(rig.settings.RecentFile(1), "C:\\New\\c.mid");
  EXPECT_EQ(rig.device.FileName(), "C:\\New\\a.mid");
  commands.mnuFileLastClick(9);   // empty slot
  commands.mnuFileLastClick(10);  // no slot
  EXPECT_EQ(rig.list.Count(), 1);
}

// --- The long runs -----------------------------------------------------------------

TEST_F(ListCommandsTest, RereadSkipsThePlayingEntryKeepsTimesAndTellsTheMascot) {
  AddSongs(3);
  rig.settings.opt.sstp = 1;
  rig.list.SetCurrentIndex(1);
  rig.controller().PlayCurrentEntry(true);
  rig.infoReader.paths.clear();
  rig.sstp.scripts.clear();
  commands.mnuFileMediaClick();
  EXPECT_EQ(rig.infoReader.paths, (std::vector<std::string>{"C:\\Music\\song1.mid", "C:\\Music\\song3.mid"}));
  EXPECT_EQ(rig.sstp.scripts, (std::vector<std::string>{Text(u8"\\h\\s0メディア情報を再取得中です…"),
                                                        Text(u8"\\h\\s0メディア情報の再取得が終了したよ。")}));
  EXPECT_EQ(rig.sstp.sender, "MEDIA-PLAYER - KORU");
  EXPECT_EQ(rig.sstp.option, "");
  EXPECT_NE(std::find(rig.view.titleHistory.begin(), rig.view.titleHistory.end(),
                      Text(u8"ﾒﾃﾞｨｱ情報を再取得中です…")),
            rig.view.titleHistory.end());
  EXPECT_EQ(hourglass.shown, 1);
  EXPECT_EQ(hourglass.restored, 1);
}

TEST_F(ListCommandsTest, SearchAddsOnlyMediaOfTheListedFoldersAndCountsThem) {
  AddSongs(1);
  rig.files.AddFolder("C:\\Other");
  rig.files.AddFile("C:\\Other\\x.mid", "x");
  rig.list.AddEntry("C:\\Other\\x.mid", "");
  rig.list.SetCurrentIndex(0);
  rig.files.AddFile("C:\\Music\\new.wav", "x");
  rig.files.AddFile("C:\\Music\\replaces.mpl", "");  // a list file would replace the list
  rig.files.AddFile("C:\\Music\\notes.txt", "x");
  rig.files.AddFile("C:\\Music\\hidden.mid", "x");
  rig.files.AddHidden("C:\\Music\\hidden.mid");
  rig.files.AddFolder("C:\\Music\\sub");
  rig.files.AddFile("C:\\Music\\sub\\deeper.mid", "x");
  rig.files.AddFile("C:\\Other\\y.mid", "x");
  rig.settings.opt.sstp = 1;

  commands.mnuFileSearchClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"song1.mid", "x.mid", "new.wav", "y.mid"}));
  EXPECT_EQ(rig.list.CurrentIndex(), 0);
  EXPECT_EQ(rig.sstp.scripts.back(), "\\h\\s0" "2" + Text(u8"個の未登録メディアファイルを追加したよ。"));
  EXPECT_TRUE(std::find(rig.view.titleHistory.begin(), rig.view.titleHistory.end(),
                        Text(u8"未登録のﾒﾃﾞｨｱﾌｧｲﾙを検索中です…")) != rig.view.titleHistory.end());

  commands.mnuFileSearchClick();
  EXPECT_EQ(rig.list.Count(), 4);
  EXPECT_EQ(rig.sstp.scripts.front(), Text(u8"\\h\\s0未登録のメディアファイルを検索しています…"));
  EXPECT_EQ(rig.sstp.scripts.back(),
            Text(u8"\\h\\s0未登録のメディアファイルなんてなかったよ。\\u無駄やったね。"));
}

TEST_F(ListCommandsTest, SearchTakesAnEntryRelativeToTheListForTheFileItNames) {
  rig.list.SetListPath("C:\\Music\\my.mpl");
  rig.files.AddFile("C:\\Music\\a.mid", "x");
  rig.files.AddFile("C:\\Music\\b.mid", "x");
  rig.list.AddEntry("a.mid", "");
  commands.mnuFileSearchClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.mid", "b.mid"}));
}

TEST_F(ListCommandsTest, RemoveMissingResolvesAsPlayingDoesAndKeepsUnreachableDrives) {
  rig.list.SetListPath("C:\\Music\\my.mpl");
  rig.files.AddFile("C:\\Music\\here.mid", "x");
  for (const char* path : {"here.mid", "C:\\Music\\gone.mid", "C:\\Music\\here.mid", "Z:\\away\\song.mid",
                           "\\\\server\\share\\song.mid", "gone2.mid"}) {
    MediaEntry entry;
    entry.path = path;
    rig.list.AppendRaw(entry);
  }
  rig.list.SetCurrentIndex(2);
  rig.settings.opt.sstp = 1;
  commands.mnuFileDeleteClick();
  EXPECT_EQ(Paths(), (std::vector<std::string>{"here.mid", "C:\\Music\\here.mid", "Z:\\away\\song.mid",
                                                 "\\\\server\\share\\song.mid"}));
  EXPECT_EQ(rig.list.CurrentIndex(), 1);
  EXPECT_EQ(rig.sstp.scripts, (std::vector<std::string>{Text(u8"\\h\\s0リスト登録済みのファイルを存在確認中です…"),
                                                        "\\h\\s0" "2" +
                                                            Text(u8"個のメディアファイルをリストから抹消したよ。")}));
  EXPECT_NE(std::find(rig.view.titleHistory.begin(), rig.view.titleHistory.end(),
                      Text(u8"ﾘｽﾄ登録済みのﾌｧｲﾙの存在を確認しています…")),
            rig.view.titleHistory.end());

  commands.mnuFileDeleteClick();
  EXPECT_EQ(rig.list.Count(), 4);
  EXPECT_EQ(rig.sstp.scripts.back(), Text(u8"\\h\\s0存在してないファイルなんて無かったよ。\\u無駄やったね。"));
}

TEST_F(ListCommandsTest, TheMascotHearsNothingWhileSstpIsOff) {
  AddSongs(1);
  commands.mnuFileMediaClick();
  commands.mnuFileSearchClick();
  commands.mnuFileDeleteClick();
  EXPECT_TRUE(rig.sstp.scripts.empty());
  EXPECT_EQ(hourglass.shown, hourglass.restored);
}

// --- The selected rows -------------------------------------------------------------

TEST_F(ListCommandsTest, DeletingRowsTwoAndThreeWithRowThreeCurrentMakesTheFormerFourthCurrent) {
  AddSongs(5);
  rig.list.SetCurrentIndex(2);
  Select({2, 3});
  commands.mnuDeleteClick();
  EXPECT_EQ(Names(), Songs({1, 4, 5}));
  EXPECT_EQ(CurrentName(), "song4.mid");
  EXPECT_EQ(rows.selections.back(), std::vector<int>{1});

  Select({2, 3});  // the last rows: the selection moves to the new last row
  commands.mnuDeleteClick();
  EXPECT_EQ(Names(), Songs({1}));
  EXPECT_EQ(rows.selections.back(), std::vector<int>{0});
  Select({1});
  commands.mnuDeleteClick();
  EXPECT_EQ(rig.list.Count(), 0);
  EXPECT_EQ(rows.selections.size(), 2u);
}

TEST_F(ListCommandsTest, MovingABlockKeepsItTogetherAndSelectedAndNothingMovesAtAnEdge) {
  struct Case {
    void (ListCommands::*command)();
    std::initializer_list<int> selected;
    std::vector<std::string> order;
    std::vector<int> selectedAfter;  // 0-based; empty: nothing happened
  };
  const Case cases[] = {
      {&ListCommands::mnuNextClick, {2, 3}, Songs({1, 4, 2, 3, 5}), {2, 3}},
      {&ListCommands::mnuPrevClick, {2, 3}, Songs({2, 3, 1, 4, 5}), {0, 1}},
      {&ListCommands::mnuPrevClick, {1, 3}, Songs({1, 2, 3, 4, 5}), {}},
      {&ListCommands::mnuNextClick, {2, 5}, Songs({1, 2, 3, 4, 5}), {}},
      {&ListCommands::mnuNextClick, {2, 4}, Songs({1, 3, 2, 5, 4}), {2, 4}},
  };
  for (const Case& c : cases) {
    rig.list.ResetList();
    AddSongs(5);
    rig.list.Entry(1).played = true;
    rows.selections.clear();
    Select(c.selected);
    (commands.*c.command)();
    EXPECT_EQ(Names(), c.order);
    if (c.selectedAfter.empty()) {
      EXPECT_TRUE(rows.selections.empty());
    } else {
      EXPECT_EQ(rows.selections, std::vector<std::vector<int>>{c.selectedAfter});
    }
    // The played flag travels with its entry.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rig.list.Entry(i).played, Name(rig.list.Entry(i)) == "song2.mid");
  }
}

TEST_F(ListCommandsTest, RatesAreSetOrSteppedWithinZeroToThree) {
  AddSongs(3);
  rig.list.Entry(0).rate = "3";
  rig.list.Entry(1).rate = "0";
  Select({1, 2});
  commands.mnuFileSelectRateUpDlClick(+1);
  EXPECT_EQ(rig.list.Entry(0).rate, "3");
  EXPECT_EQ(rig.list.Entry(1).rate, "1");
  commands.mnuFileSelectRateUpDlClick(-1);
  commands.mnuFileSelectRateUpDlClick(-1);
  EXPECT_EQ(rig.list.Entry(0).rate, "1");
  EXPECT_EQ(rig.list.Entry(1).rate, "0");
  Select({3});
  commands.mnuSelectRateClick(2);
  EXPECT_EQ(rig.list.Entry(2).rate, "2");
  EXPECT_EQ(rig.view.rowRefreshes.back(), true);
}

TEST_F(ListCommandsTest, SelectedRowCommandsDoNothingWhileTheListIsHiddenOrTheRowsAreBeyondIt) {
  AddSongs(3);
  const auto untouched = [&] {
    EXPECT_EQ(Names(), Songs({1, 2, 3}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rig.list.Entry(i).rate, rig.list.Entry(0).rate);
    EXPECT_TRUE(shell.opened.empty());
  };
  for (const bool shown : {false, true}) {
    rows.shown = shown;
    rows.selected = shown ? std::vector<int>{3, 7, -1} : std::vector<int>{1};
    commands.mnuDeleteClick();
    commands.mnuPrevClick();
    commands.mnuNextClick();
    commands.mnuSelectRateClick(3);
    commands.mnuFileSelectRateUpDlClick(1);
    commands.mnuFolderClick();
    untouched();
  }
}

TEST_F(ListCommandsTest, FolderOpensOnlyAFolderThatIsThere) {
  rig.list.SetListPath("C:\\Music\\my.mpl");
  for (const char* path : {"C:\\Music\\a.mid", "tune.mid", "C:\\Gone\\b.mid", "C:\\Music\\evil.exe\\c.mid"}) {
    MediaEntry entry;
    entry.path = path;
    rig.list.AppendRaw(entry);
  }
  rig.files.AddFile("C:\\Music\\evil.exe", "MZ");
  for (int row = 1; row <= 4; ++row) {
    Select({row});
    commands.mnuFolderClick();
  }
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"C:\\Music\\", "C:\\Music\\"}));
}

// --- The whole list and the help menu ----------------------------------------------

TEST_F(ListCommandsTest, SortClearAndTheHelpDocuments) {
  AddSongs(3);
  rig.list.Entry(0).played = true;
  rig.list.Entry(2).played = true;
  commands.mnuSortClick(1);  // titles descending
  EXPECT_EQ(Names(), Songs({3, 2, 1}));
  EXPECT_TRUE(rig.list.Entry(0).played);  // song3's flag went with it
  commands.mnuClearClick();
  EXPECT_EQ(rig.list.PlayedCount(), 0);
  EXPECT_EQ(rig.view.rowRefreshes.back(), true);

  commands.mnuReadmeClick();
  commands.mnuWWWClick();
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"C:\\KORU\\README.TXT", kMakerHomePage}));
}

// --- Dropped files -------------------------------------------------------------------

TEST_F(ListCommandsTest, OfThreeDroppedFilesOnlyTheSecondCanBeAddedAndItPlays) {
  AddSongs(1);
  rig.files.AddFile("C:\\Drop\\a.txt", "x");
  rig.files.AddFile("C:\\Drop\\b.mid", "x");
  rig.files.AddFile("C:\\Drop\\c.txt", "x");
  commands.DropFiles({"C:\\Drop\\a.txt", "C:\\Drop\\b.mid", "C:\\Drop\\c.txt"});
  EXPECT_EQ(rig.list.Count(), 2);
  EXPECT_EQ(rig.list.CurrentIndex(), 1);
  EXPECT_EQ(rows.selections.back(), std::vector<int>{1});
  EXPECT_EQ(rig.device.FileName(), "C:\\Drop\\b.mid");
  EXPECT_EQ(rig.player.State(), PlayState::Playing);
  EXPECT_EQ(hourglass.shown, 3);
}

TEST_F(ListCommandsTest, DroppedFilesThatCannotBeAddedRefreshTheCounterDocumentAndPanel) {
  AddSongs(1);
  rig.files.AddFile("C:\\Drop\\c.txt", "x");
  const int counterWrites = rig.view.counterWrites;
  commands.DropFiles({"C:\\Drop\\c.txt"});
  EXPECT_EQ(rig.list.Count(), 1);
  EXPECT_EQ(rig.player.State(), PlayState::Closed);
  EXPECT_GT(rig.view.counterWrites, counterWrites);
  EXPECT_EQ(rig.view.documents, std::vector<bool>{true});
  EXPECT_EQ(rig.view.infoPanels, 1);
  EXPECT_TRUE(rows.selections.empty());
}

TEST_F(ListCommandsTest, ADropOnAFullListSaysSoOnceAndAddsNothing) {
  AddSongs(2);
  rig.list.SetCapacity(2);
  rig.files.AddFile("C:\\Drop\\a.mid", "x");
  rig.files.AddFile("C:\\Drop\\b.mid", "x");
  commands.DropFiles({"C:\\Drop\\a.mid", "C:\\Drop\\b.mid"});
  EXPECT_EQ(rig.dialogs.asked, std::vector<std::string>{Text(u8"最大ﾘｽﾄ数を越えて登録する事はできません。")});
  EXPECT_EQ(rig.list.Count(), 2);
}

TEST_F(ListCommandsTest, ADropArrivingDuringAQuestionWaitsForTheAddUnderway) {
  AddSongs(1);
  rig.files.AddFile("C:\\Drop\\a.mid", "x");
  rig.files.AddFile("C:\\Drop\\b.mid", "x");
  // The question's message loop delivers a second drop while the first runs.
  std::vector<std::string> order;
  gate.Run([&] {
    commands.DropFiles({"C:\\Drop\\b.mid"});
    order.push_back(rig.list.Count() == 1 ? "second waited" : "second ran inside");
    rig.list.AddEntry("C:\\Drop\\a.mid", "");
  });
  EXPECT_EQ(order, std::vector<std::string>{"second waited"});
  EXPECT_EQ(Names(), (std::vector<std::string>{"song1.mid", "a.mid", "b.mid"}));
  EXPECT_FALSE(gate.Running());
}

TEST(AddGateTest, WhatArrivesDuringARunRunsAfterItInOrderEvenWhenItThrows) {
  AddGate gate;
  std::vector<int> ran;
  EXPECT_THROW(gate.Run([&] {
    gate.Run([&] { ran.push_back(2); });
    gate.Run([&] { ran.push_back(3); });
    ran.push_back(1);
    throw std::runtime_error("add failed");
  }),
               std::runtime_error);
  EXPECT_EQ(ran, std::vector<int>{1});
  gate.Run([&] { ran.push_back(4); });
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace koru
