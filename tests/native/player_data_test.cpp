// The player's data from one run to the next: KORU.ini and the list file read
// at start-up, brought to the list, and written back at exit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "medialist/list_read.h"
#include "medialist/media_list.h"
#include "platform/cp932.h"
#include "playback/list_settings.h"
#include "settings/settings.h"
#include "startup/player_data.h"
#include "support/fake_file_system.h"

namespace koru {
namespace {

constexpr char kFolder[] = "C:\\KORU\\";

SystemVersion NewerSystem() { return SystemVersion{10, 0, 19045, 2}; }

class ScriptedDialogs : public UserDialogs {
 public:
  int ShowMessageDialog(std::string_view text, int, bool) override { return Answer(text); }
  int SystemMessageBox(std::string_view text, int flags) override {
    lastFlags = flags;
    return Answer(text);
  }
  int Answer(std::string_view text) {
    asked.emplace_back(text);
    return reply;
  }
  int reply = answer::kYes;
  int lastFlags = -1;
  std::vector<std::string> asked;
};

// One run of the player over the same file system.
struct PlayerRun {
  explicit PlayerRun(testing::FakeFileSystem& files) : files(files), settings(files, kFolder, NewerSystem()), list(kFolder) {
    list.readInfoOnAdd = false;
  }
  void Start() {
    unreadable = LoadPlayerData(settings, list, files, order, dialogs);
    interval = ApplyListSettings(settings, list, dialogs, [this] { ++broughtToFront; });
  }
  void Exit() { StorePlayerData(settings, list, files, order, unreadable); }

  testing::FakeFileSystem& files;
  Settings settings;
  MediaList list;
  PlayOrder order;
  ScriptedDialogs dialogs;
  int interval = 0;
  int broughtToFront = 0;
  std::string unreadable;
};

std::string Ini(const testing::FakeFileSystem& files) { return files.Contents("C:\\KORU\\KORU.ini"); }

TEST(PlayerData, FirstRunStartsEmptyAndWritesTheDefaultListBesideTheProgram) {
  testing::FakeFileSystem files;
  PlayerRun run(files);
  run.Start();
  EXPECT_EQ(run.list.Count(), 0);
  EXPECT_EQ(run.list.ListPath(), "C:\\KORU\\_default.mpl");
  EXPECT_TRUE(run.order.repeat);
  EXPECT_EQ(run.order.mode, OrderMode::ListOrder);
  EXPECT_EQ(run.interval, 100);
  EXPECT_TRUE(run.list.readInfoOnAdd);
  EXPECT_EQ(run.settings.RecentFile(0), "") << "a list that did not load is not a recent file";
  run.Exit();
  ASSERT_TRUE(files.Has("C:\\KORU\\_default.mpl"));
  EXPECT_NE(Ini(files).find("file=C:\\KORU\\_default.mpl"), std::string::npos);
}

TEST(PlayerData, ListStateSurvivesARestart) {
  testing::FakeFileSystem files;
  {
    PlayerRun run(files);
    run.Start();
    for (const char* path : {"C:\\m\\a.mid", "C:\\m\\b.mid", "C:\\m\\c.mid"}) run.list.AddEntry(path, "");
    run.list.Entry(0).played = 1;
    run.list.Entry(2).played = 1;
    run.list.SetCurrentIndex(1);
    run.order.repeat = false;
    run.order.mode = OrderMode::ByRate;
    run.Exit();
    EXPECT_NE(Ini(files).find("play=101"), std::string::npos);
  }
  PlayerRun again(files);
  again.Start();
  ASSERT_EQ(again.list.Count(), 3);
  EXPECT_EQ(again.list.Entry(2).path, "C:\\m\\c.mid");
  EXPECT_EQ(again.list.CurrentIndex(), 1);
  EXPECT_EQ(again.list.Entry(0).played, 1);
  EXPECT_EQ(again.list.Entry(1).played, 0);
  EXPECT_EQ(again.list.Entry(2).played, 1);
  EXPECT_FALSE(again.order.repeat);
  EXPECT_EQ(again.order.mode, OrderMode::ByRate);
  EXPECT_EQ(again.settings.RecentFile(0), "C:\\KORU\\_default.mpl");
}

TEST(PlayerData, StoredTrackBelowZeroBecomesZeroAndBeyondTheListIsLeftForPlay) {
  testing::FakeFileSystem files;
  {
    PlayerRun run(files);
    run.Start();
    run.list.AddEntry("C:\\m\\a.mid", "");
    run.list.AddEntry("C:\\m\\b.mid", "");
    run.Exit();
  }
  for (auto [stored, expected] : {std::pair{"-5", 0}, std::pair{"99", 99}, std::pair{"x", 0}}) {
    std::string ini = Ini(files);
    std::size_t at = ini.find("track=", ini.find("[MPL]"));
    ini.replace(at, ini.find('\r', at) - at, std::string("track=") + stored);
    files.AddFile("C:\\KORU\\KORU.ini", ini);
    PlayerRun run(files);
    run.Start();
    EXPECT_EQ(run.list.CurrentIndex(), expected) << "track=" << stored;
  }
}

TEST(PlayerData, RelativeListFileLiesInTheProgramFolder) {
  testing::FakeFileSystem files;
  files.AddFile("C:\\KORU\\KORU.ini", "[MPL]\r\nfile=mine.mpl\r\n");
  PlayerRun run(files);
  run.Start();
  EXPECT_EQ(run.list.ListPath(), "C:\\KORU\\mine.mpl");
  EXPECT_EQ(ResolveListPath("D:\\lists\\x.mpl", kFolder), "D:\\lists\\x.mpl");
  EXPECT_EQ(ResolveListPath("\\lists\\x.mpl", kFolder), "\\lists\\x.mpl");
}

TEST(PlayerData, LoweringTheCapacityBelowTheListAsksFirst) {
  testing::FakeFileSystem files;
  PlayerRun run(files);
  run.Start();
  for (int i = 0; i < 150; ++i) run.list.AddEntry("C:\\m\\" + std::to_string(i) + ".mid", "");

  run.settings.list.count = 120;
  run.dialogs.reply = answer::kNo;
  ApplyListSettings(run.settings, run.list, run.dialogs, [&] { ++run.broughtToFront; });
  ASSERT_EQ(run.dialogs.asked.size(), 1u);
  EXPECT_EQ(run.dialogs.asked[0], cp932::FromUtf8(u8"現在のﾘｽﾄ数より少ない値が最大ﾘｽﾄ数に設定されました。\n"
                                                  u8"最大ﾘｽﾄ数以降のﾒﾃﾞｨｱﾘｽﾄは破棄されますがよろしいですか？"));
  EXPECT_EQ(run.dialogs.lastFlags, 68);
  EXPECT_EQ(run.broughtToFront, 1);
  EXPECT_EQ(run.list.Count(), 150) << "No keeps every entry";
  EXPECT_EQ(run.settings.list.count, 9999) << "and the setting goes back to the capacity";

  run.settings.list.count = 120;
  run.dialogs.reply = answer::kYes;
  ApplyListSettings(run.settings, run.list, run.dialogs, nullptr);
  EXPECT_EQ(run.list.Count(), 120);
  EXPECT_EQ(run.list.Capacity(), 120);

  run.settings.list.count = 500;  // nothing is lost: no question
  ApplyListSettings(run.settings, run.list, run.dialogs, nullptr);
  EXPECT_EQ(run.dialogs.asked.size(), 2u);
  EXPECT_EQ(run.list.Capacity(), 500);
}

TEST(PlayerData, BrokenValuesFallBackToWorkingOnes) {
  testing::FakeFileSystem files;
  files.AddFile("C:\\KORU\\KORU.ini", "[LIST]\r\ncount=0\r\n[TIMER]\r\nplay=5\r\n[OPT]\r\nmedia=0\r\ntitle=1\r\n");
  PlayerRun run(files);
  run.Start();
  EXPECT_EQ(run.list.Capacity(), 9999);
  EXPECT_EQ(run.interval, 100);
  EXPECT_EQ(run.settings.timer.play, 100) << "the corrected interval is kept in the settings";
  EXPECT_FALSE(run.list.readInfoOnAdd);
  EXPECT_TRUE(run.list.titleWithoutExtension);
}

TEST(PlayerData, FailedListSaveKeepsTheOldListAndStillSavesTheSettings) {
  testing::FakeFileSystem files;
  {
    PlayerRun run(files);
    run.Start();
    run.list.AddEntry("C:\\m\\a.mid", "");
    run.Exit();
  }
  const std::string saved = files.Contents("C:\\KORU\\_default.mpl");
  files.FailWritesTo("C:\\KORU\\_default.mpl");
  PlayerRun run(files);
  run.Start();
  run.list.AddEntry("C:\\m\\b.mid", "");
  run.Exit();
  EXPECT_EQ(files.Contents("C:\\KORU\\_default.mpl"), saved);
  EXPECT_NE(Ini(files).find("play=00"), std::string::npos);
}

TEST(PlayerData, AKoruIniThatCannotBeReadIsNotOverwrittenAtExit) {
  testing::FakeFileSystem files;
  const std::string ini = "[MPL]\r\nrepeat=0\r\n[MINE]\r\nkey=kept\r\n";
  files.AddFile("C:\\KORU\\KORU.ini", ini);
  files.FailReadsOf("C:\\KORU\\KORU.ini");  // another program holds it
  PlayerRun run(files);
  run.Start();
  EXPECT_TRUE(run.order.repeat) << "the run goes on with the defaults";
  EXPECT_EQ(run.dialogs.asked, std::vector<std::string>{cp932::FromUtf8(
                                   u8"KORU.iniを読み込めませんでした。\n"
                                   u8"既定の設定で起動します。今回の設定はKORU.iniに保存されません。")});
  EXPECT_EQ(run.dialogs.lastFlags, 48);
  files.AllowReadsOf("C:\\KORU\\KORU.ini");  // and lets go before the exit
  run.Exit();
  EXPECT_EQ(Ini(files), ini);
}

TEST(PlayerData, AListFileThatDidNotLoadIsNotEmptiedAtExit) {
  testing::FakeFileSystem files;
  std::string tooLong = "MEDIA-PLAYER KORU List File\r\n";
  for (int i = 0; i <= MediaList::kDefaultCapacity; ++i) tooLong += "a:C:\\m\\" + std::to_string(i) + ".mid\r\n";
  const std::string foreign = "KORU List v9\r\na:C:\\m\\a.mid\r\n";  // a kind this version does not read
  for (const std::string& list : {tooLong, foreign}) {
    files.AddFile("C:\\KORU\\_default.mpl", list);
    PlayerRun run(files);
    run.Start();
    EXPECT_EQ(run.unreadable, "C:\\KORU\\_default.mpl");
    const std::vector<std::string> told = list == tooLong ? std::vector{ListFullText()} : std::vector<std::string>{};
    EXPECT_EQ(run.dialogs.asked, told);
    run.Exit();
    EXPECT_EQ(files.Contents("C:\\KORU\\_default.mpl"), list);
  }
  PlayerRun run(files);
  run.Start();
  run.list.AddEntry("C:\\m\\new.mid", "");
  run.Exit();
  EXPECT_EQ(files.Contents("C:\\KORU\\_default.mpl"), foreign) << "a list the user filled goes elsewhere";
  EXPECT_NE(files.Contents("C:\\KORU\\_default_2.mpl").find("C:\\m\\new.mid"), std::string::npos);
  EXPECT_EQ(run.settings.mpl.file, "C:\\KORU\\_default_2.mpl");
}

TEST(PlayerData, AProgramFolderThatCannotBeWrittenIsToldOnceAndLosesNothing) {
  const std::string told = ReadOnlyProgramFolderText(kFolder);
  EXPECT_EQ(told, cp932::FromUtf8(u8"KORUのﾌｫﾙﾀﾞ「C:\\KORU\\」に書き込めません。\n"
                                  u8"設定(KORU.ini)とﾘｽﾄは終了時に保存されません。\n"
                                  u8"KORUを書き込めるﾌｫﾙﾀﾞに置いてください。"));
  for (const bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only folder" : "writable folder");
    testing::FakeFileSystem files;
    files.AddFolder("C:\\KORU");
    {
      PlayerRun first(files);
      first.Start();
      first.list.AddEntry("C:\\m\\a.mid", "");
      first.settings.opt.backf = 1;
      first.Exit();
    }
    const std::string ini = Ini(files);
    const std::string list = files.Contents("C:\\KORU\\_default.mpl");
    const std::size_t filesBefore = files.ListFolder("C:\\KORU").size();
    if (readOnly) files.MakeReadOnlyFolder("C:\\KORU\\");

    PlayerRun run(files);
    run.Start();
    EXPECT_EQ(run.list.Count(), 1) << "what is there still loads";
    run.list.AddEntry("C:\\m\\b.mid", "");
    run.Exit();
    if (readOnly) {
      EXPECT_EQ(run.dialogs.asked, std::vector<std::string>{told}) << "once, at start-up; nothing more at exit";
      EXPECT_EQ(run.dialogs.lastFlags, 48);
      EXPECT_EQ(Ini(files), ini);
      EXPECT_EQ(files.Contents("C:\\KORU\\_default.mpl"), list);
      EXPECT_EQ(files.ListFolder("C:\\KORU").size(), filesBefore) << "nothing written anywhere else";
    } else {
      EXPECT_TRUE(run.dialogs.asked.empty());
      EXPECT_NE(files.Contents("C:\\KORU\\_default.mpl"), list);
    }
  }
}

}  // namespace
}  // namespace koru
