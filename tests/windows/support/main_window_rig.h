// The main window as the application builds it, over stand-ins for the
// device, the mixer, the files and the outside libraries; and a message pump
// for the tests that drive it.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/null_archiver.h"
#include "medialist/media_list.h"
#include "platform/cp932.h"
#include "playback/player.h"
#include "settings/settings.h"
#include "support/fake_file_system.h"
#include "support/playback_fakes.h"
#include "support/recording_associator.h"
#include "ui/main_window.h"
#include "ui/player_dialogs.h"
#include "windows/support/test_environment.h"

namespace koru::testing {

// An archiver whose library is at work while `working` is set.
class WorkingArchiver : public NullArchiver {
 public:
  bool working = false;
  bool Working() const override { return working; }
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

  FakeFileSystem files;
  Settings settings{files, "C:\\KORU\\", SystemVersion{10, 0, 19045, 2}};
  MediaList list{"C:\\KORU\\"};
  PlayerDialogs dialogs;
  PlayOrder order;
  FakePlaybackFiles tempFiles;
  FakeMediaDevice device;
  FakeMixer mixer;
  FakeClock clock;
  FakeExtractor extractor;
  FakeRcp rcp;
  FakeOgg ogg;
  FakeSstp sstp;
  RecordingAssociator associator;
  // The settings dialog's shortcut buttons: no shortcut is ever there, and
  // none can be made.
  struct NoShortcutFiles : ShortcutFiles {
    bool Exists(const std::string&) override { return false; }
    void Remove(const std::string&) override {}
    ShortcutOutcome Create(const std::string&, const std::string&, const std::string&) override {
      return ShortcutOutcome::LibraryMissing;
    }
  } shortcutFiles;
  std::atomic<std::uint8_t> noRepeat{0};
  std::function<void()> handOverDuty;  // what timPlay does first, each tick
  WorkingArchiver archiver;
  std::vector<std::vector<std::wstring>> dropped;  // each drop's paths
  TfrmMain frmMain{{settings, list, dialogs, player, device, mixer, order, sstp, clock, associator, shortcutFiles,
                    files,
                    [this] {
                      if (handOverDuty) handOverDuty();
                    },
                    archiver,
                    [this](std::vector<std::wstring> paths) { dropped.push_back(std::move(paths)); }}};
  Player player{PlayerContext{list, settings, files, tempFiles, dialogs, frmMain, device, mixer, clock,
                              EntryConverters{extractor, rcp, ogg}, sstp, nullptr, order, noRepeat,
                              "C:\\TEMP\\KORUTEMP\\"}};
};

}  // namespace koru::testing
