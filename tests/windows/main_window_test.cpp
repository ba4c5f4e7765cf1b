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
#include "windows/support/main_window_rig.h"
#include "windows/support/modal_ticker.h"

namespace koru {
namespace {

using testing::ClickButton;
using testing::ItemText;
using testing::MainWindowRig;
using testing::ModalTicker;
using testing::PumpUntil;
using testing::ShownDialogs;
using testing::ShownDialogWithText;

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
  EXPECT_TRUE(PumpUntil([&] { return rig.associator.Changes() == 1; }));
  EXPECT_FALSE(ticker.TimedOut());
  EXPECT_TRUE(rig.associator.AssociatedAny());
}

}  // namespace
}  // namespace koru
