// The main window over the playback core with stand-ins for the device, the
// mixer and the files: a click on the PLAY button reaches the player, the
// message dialog takes the player's font at the first resize, a question
// asked inside a timer tick does not let the tick run again beneath it, nor
// does one run while an archiver library works, the mascot hears of the
// start and the exit, and the first activation of a first start asks about
// the associations.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/null_archiver.h"
#include "desktop/file_associator.h"
#include "medialist/media_list.h"
#include "platform/cp932.h"
#include "playback/player.h"
#include "settings/settings.h"
#include "support/fake_file_system.h"
#include "support/playback_fakes.h"
#include "ui/commands.h"
#include "ui/main_window.h"
#include "ui/message_dialog_ids.h"
#include "ui/player_dialogs.h"
#include "windows/support/modal_ticker.h"

namespace koru {
namespace {

using testing::ClickButton;
using testing::ItemText;
using testing::ModalTicker;
using testing::ShownDialogs;
using testing::ShownDialogWithText;

// An archiver whose library is at work while `working` is set.
class WorkingArchiver : public NullArchiver {
 public:
  bool working = false;
  bool Working() const override { return working; }
};

class CountingAssociator : public FileAssociator {
 public:
  std::vector<std::string> extensions;
  int changes = 0;
  void Associate(const std::string&, const std::string& dotExtension, const std::string&, const std::string&,
                 const std::string&) override {
    extensions.push_back(dotExtension);
  }
  void AssociationsChanged() override { ++changes; }
};

// The main window as the application builds it, over stand-ins.
struct MainWindowRig {
  MainWindowRig() {
    list.readInfoOnAdd = false;
    settings.font.name = cp932::FromUtf8(u8"ＭＳ 明朝");
    settings.form.left = 40;  // a window position was saved: no first start's question
  }
  ~MainWindowRig() { frmMain.Destroy(); }

  bool Open() {
    // An earlier rig's window posted its quit on going: a modal loop of this
    // one must not take it for the program's end.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (!frmMain.Create(GetModuleHandleW(nullptr))) return false;
    dialogs.CreateMessageDialog(GetModuleHandleW(nullptr), frmMain.Handle());
    frmMain.Show(SW_SHOWNORMAL);
    return true;
  }

  testing::FakeFileSystem files;
  Settings settings{files, "C:\\KORU\\", SystemVersion{10, 0, 19045, 2}};
  MediaList list{"C:\\KORU\\"};
  PlayerDialogs dialogs;
  PlayOrder order;
  testing::FakePlaybackFiles tempFiles;
  testing::FakeMediaDevice device;
  testing::FakeMixer mixer;
  testing::FakeClock clock;
  testing::FakeExtractor extractor;
  testing::FakeRcp rcp;
  testing::FakeOgg ogg;
  testing::FakeSstp sstp;
  CountingAssociator associator;
  std::atomic<std::uint8_t> noRepeat{0};
  std::function<void()> handOverDuty;  // what timPlay does first, each tick
  WorkingArchiver archiver;
  TfrmMain frmMain{{settings, list, dialogs, player, device, mixer, order, sstp, clock, associator,
                    [this] {
                      if (handOverDuty) handOverDuty();
                    },
                    archiver}};
  Player player{PlayerContext{list, settings, files, tempFiles, dialogs, frmMain, device, mixer, clock,
                              EntryConverters{extractor, rcp, ogg}, sstp, nullptr, order, noRepeat,
                              "C:\\TEMP\\KORUTEMP\\"}};
};

// Dispatches the thread's messages until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

BOOL CALLBACK FindCommandButton(HWND child, LPARAM found) {
  if (GetDlgCtrlID(child) != IDM_FUNC_PLAY) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

TEST(MainWindow, AClickOnThePlayButtonPlaysTheCurrentEntry) {
  MainWindowRig rig;
  rig.files.AddFile("C:\\Music\\a.wav", "data");
  rig.list.AddEntry("C:\\Music\\a.wav", "");
  ASSERT_TRUE(rig.Open());
  HWND play = nullptr;
  EnumChildWindows(rig.frmMain.Handle(), FindCommandButton, reinterpret_cast<LPARAM>(&play));
  ASSERT_NE(play, nullptr) << "sbtFuncPlay carries the play command's id";

  SendMessageW(play, BM_CLICK, 0, 0);
  EXPECT_EQ(rig.player.State(), PlayState::Playing);
  EXPECT_NE(std::find(rig.device.log.begin(), rig.device.log.end(), "play"), rig.device.log.end());
}

TEST(MainWindow, TheMessageDialogTakesThePlayersFontAtTheFirstResize) {
  MainWindowRig rig;
  ASSERT_TRUE(rig.Open());
  ASSERT_NE(rig.dialogs.MessageDialog(), nullptr);
  EXPECT_EQ(rig.dialogs.MessageDialog()->FontName(), rig.settings.font.name);
}

TEST(MainWindow, ATickDoesNotRunAgainWhileAQuestionItAskedIsOpen) {
  MainWindowRig rig;
  int ticks = 0;
  int ticksWhileAsking = -1;
  int answer = 0;
  rig.handOverDuty = [&] {
    if (++ticks == 1) answer = rig.dialogs.ShowMessageDialog("question?", 68, false);
  };
  // Once the question shows, it stays open for several timer intervals
  // before it is answered.
  DWORD shownAt = 0;
  ModalTicker ticker([&] {
    HWND question = ShownDialogWithText(IDC_MSG_LABEL, L"question?");
    if (!question) return false;
    if (shownAt == 0) shownAt = GetTickCount();
    if (GetTickCount() - shownAt < 6 * 100) return false;
    ticksWhileAsking = ticks;
    ClickButton(question, IDC_MSG_YES);
    return true;
  });
  ASSERT_TRUE(rig.Open());
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_FALSE(ticker.TimedOut());
  EXPECT_EQ(ticksWhileAsking, 1) << "no tick ran beneath the one that asked";
  EXPECT_EQ(answer, 6);
}

TEST(MainWindow, NoTickTakesAHandOverOrEndsATrackWhileAnArchiverLibraryWorks) {
  MainWindowRig rig;
  int handOvers = 0;
  rig.handOverDuty = [&] { ++handOvers; };
  rig.files.AddFile("C:\\Music\\a.wav", "data");
  rig.list.AddEntry("C:\\Music\\a.wav", "");
  rig.device.media["C:\\Music\\a.wav"].length = 1000;
  ASSERT_TRUE(rig.Open());
  rig.player.Controller().FuncPlayClick();
  ASSERT_EQ(rig.player.State(), PlayState::Playing);
  rig.device.position = 1000;  // at its end: the next tick stops the only track

  // A library that dispatches messages lets timer ticks through to the window.
  rig.archiver.working = true;
  SendMessageW(rig.frmMain.Handle(), WM_TIMER, TfrmMain::kPlayTimerId, 0);
  EXPECT_EQ(handOvers, 0);
  EXPECT_EQ(rig.player.State(), PlayState::Playing);

  rig.archiver.working = false;
  SendMessageW(rig.frmMain.Handle(), WM_TIMER, TfrmMain::kPlayTimerId, 0);
  EXPECT_EQ(handOvers, 1);
  EXPECT_EQ(rig.player.State(), PlayState::Opened) << "the only track stopped at its end";
}

TEST(MainWindow, TheMascotHearsOfTheStartAndTheExitOnlyWithSstpOn) {
  struct Case {
    int sstp;
    std::vector<std::string> afterCreation, afterDestruction;
  };
  // At 00:00:07 RandomIn(1, 5) picks the third greeting.
  const Case cases[] = {
      {1, {cp932::FromUtf8(u8"\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\uもっとええプレーヤーがあるやろ。")},
       {cp932::FromUtf8(u8"\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\uもっとええプレーヤーがあるやろ。"),
        cp932::FromUtf8(u8"\\h\\s0MEDIA-PLAYER - KORU を終了します。")}},
      {0, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sstp);
    MainWindowRig rig;
    rig.settings.opt.sstp = c.sstp;
    rig.clock.now = TimeOfDay{0, 0, 7, 0};
    ASSERT_TRUE(rig.Open());
    EXPECT_EQ(rig.sstp.scripts, c.afterCreation);
    rig.frmMain.Destroy();
    EXPECT_EQ(rig.sstp.scripts, c.afterDestruction);
    if (!rig.sstp.scripts.empty()) {
      EXPECT_EQ(rig.sstp.sender, "MEDIA-PLAYER - KORU");
      EXPECT_EQ(rig.sstp.option, "");
    }
  }
}

TEST(MainWindow, TheFirstActivationOfAFirstStartAsksAndYesAssociates) {
  MainWindowRig rig;
  rig.settings.form.left = -1;  // no window position saved yet
  ModalTicker ticker([&] {
    for (HWND dialog : ShownDialogs()) {
      if (ItemText(dialog, IDC_MSG_LABEL).find(L"関連付けしますか？") == std::wstring::npos) continue;
      ClickButton(dialog, IDC_MSG_YES);
      return true;
    }
    return false;
  });
  ASSERT_TRUE(rig.Open());
  EXPECT_TRUE(PumpUntil([&] { return rig.associator.changes == 1; }));
  EXPECT_FALSE(ticker.TimedOut());
  EXPECT_FALSE(rig.associator.extensions.empty());
}

}  // namespace
}  // namespace koru
