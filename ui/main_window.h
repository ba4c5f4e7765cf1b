// TfrmMain, the player's main window: the control bar, the timer timPlay and
// the tray icon. It is the view of the playback core and runs its commands:
// menu items, tray items, speed buttons and shortcut keys all arrive as one
// command id each (ui/commands.h). The application object builds everything
// it works with and hands it references.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "archive/archiver.h"
#include "desktop/file_associator.h"
#include "desktop/first_start_question.h"
#include "medialist/media_list.h"
#include "platform/unique_handle_win32.h"
#include "playback/clock.h"
#include "playback/main_window_front.h"
#include "playback/media_device.h"
#include "playback/play_order.h"
#include "playback/player.h"
#include "playback/player_view.h"
#include "playback/sstp_sender.h"
#include "playback/volume_mixer.h"
#include "settings/settings.h"
#include "ui/control_bar.h"
#include "ui/layout/design_scale.h"
#include "ui/player_dialogs.h"
#include "ui/tray_icon.h"
#include "ui/window.h"

namespace koru {

class TfrmMain : public Window, public PlayerView, public MainWindowFront {
 public:
  struct Context {
    Settings& settings;
    MediaList& list;
    PlayerDialogs& dialogs;
    Player& player;
    MediaDevice& device;  // mplMain: closed when the window goes
    VolumeMixer& mixer;
    const PlayOrder& order;  // loaded before the window, shown in its menus
    SstpSender& sstp;        // the mascot hears of the start and the exit
    Clock& clock;            // picks the start-up greeting
    FileAssociator& associator;  // the first start's question may associate
    // timPlay's first duty: take one handed-over path, when one waits.
    std::function<void()> takeHandedOverPath;
    // While one of its libraries works (and dispatches messages), timPlay
    // holds off.
    const Archiver& archiver;
  };

  static constexpr wchar_t kClassName[] = L"TfrmMain";
  static constexpr int kDesignClientWidth = 400;   // W0
  static constexpr int kDesignClientHeight = 256;  // H0
  static constexpr UINT_PTR kPlayTimerId = 1;
  // FormActivate runs once the activation is through, not inside it, so a
  // question it asks does not open in the middle of the focus change.
  static constexpr UINT kFormActivateMessage = WM_APP + 1;

  explicit TfrmMain(Context context);
  ~TfrmMain() override;

  // Creates the window (FormCreate runs inside).
  bool Create(HINSTANCE instance);
  void Show(int showCommand);

  // MainWindowFront
  void BringMainWindowToFront() override;
  // Selects, focuses and reveals the current entry's row while the list view
  // is shown.
  void RevealCurrentRow() {}

  // PlayerView
  void SetTitleLine(const std::string& text) override;
  void SetCaption(const std::string& caption, const std::string& trayTip) override;
  void SetCounter(const std::string& text, int fontSize) override;
  void SetTransport(const TransportState& state) override;
  void EnableTimeSliders(bool enabled) override;
  void SetTimeSliderRange(const SliderRange& range) override;
  void SetTimeSliderPosition(int position) override;
  void ShowTitlePanel(TitlePanel panel) override;
  void SetVolumeBar(int percent, const std::string& hint) override;
  void HideMovieWindows() override {}
  bool MovieWindowVisible(MovieWindow) override { return false; }
  DisplayWindow MoviePanel(MovieWindow) override { return 0; }
  void FitAndShowMovieWindow(MovieWindow, const DisplayRect&) override {}
  void ShowOrder(const PlayOrder& order) override;
  void RefreshListRows(bool) override {}
  void SelectCurrentRow() override {}
  void ShowDocument(bool) override {}
  void ShowMediaInfoPanel() override {}
  void ApplySettings() override;
  bool ApplicationActive() override;
  void SetHourglass(bool on) override;

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate(HWND hwnd);
  void FormActivate(HWND hwnd);
  void FormResize(HWND hwnd, int clientWidth);
  void FormDestroy(HWND hwnd);
  void timPlayTimer();
  void RunCommand(HWND hwnd, int command);
  void IconNotify(HWND hwnd, LPARAM event);
  void mnuTrayRestoreClick(HWND hwnd);
  void Screen0DblClick();
  void lblTitleDblClick();
  void RestoreWindowBounds();
  void StoreWindowBounds();
  void SetClientSize(int width, int height);
  int Px(int designPixels) const;

  Context context_;
  HINSTANCE instance_ = nullptr;
  int dpi_ = kDesignDpi;
  UniqueMenu pumTray_;
  UniqueMenu pumScreen_;
  UINT iconNotify_ = 0;
  int expandedClientHeight_ = 0;  // at the screen's DPI
  bool messageDialogHasFont_ = false;
  bool inTimerTick_ = false;
  HCURSOR cursorBeforeHourglass_ = nullptr;
  FirstStartQuestion firstStart_;

  ControlBar controlBar_;
  TrayIcon tray_;
};

}  // namespace koru
