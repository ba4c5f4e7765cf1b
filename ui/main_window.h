// TfrmMain, the player's main window: the control bar across the top and
// the view area below it (pnlExtend) with at most one of the list view
// lsvList, the document view mmoDoc and the media information panel
// pnlData; the timer timPlay and the tray icon. It is the view of the
// playback core and runs its commands: menu items, tray items, speed buttons
// and shortcut keys all arrive as one command id each (ui/commands.h). The
// application object builds everything it works with and hands it
// references.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/archiver.h"
#include "archive/library_versions.h"
#include "archive/module_loader.h"
#include "desktop/file_associator.h"
#include "desktop/first_start_question.h"
#include "desktop/shortcut_toggle.h"
#include "medialist/media_list.h"
#include "platform/file_system.h"
#include "platform/unique_handle_win32.h"
#include "playback/list_commands.h"
#include "playback/list_selection_view.h"
#include "playback/main_window_front.h"
#include "playback/media_device.h"
#include "playback/clock.h"
#include "playback/play_order.h"
#include "playback/player.h"
#include "playback/player_view.h"
#include "playback/sstp_sender.h"
#include "playback/title_edit.h"
#include "playback/volume_mixer.h"
#include "settings/settings.h"
#include "ui/control_bar.h"
#include "ui/info_panel.h"
#include "ui/layout/design_scale.h"
#include "ui/list_view.h"
#include "ui/menu_items.h"
#include "ui/movie_windows.h"
#include "ui/player_dialogs.h"
#include "ui/title_menu.h"
#include "ui/tray_icon.h"
#include "ui/window.h"

namespace koru {

// The view shown in the view area; the values are [FORM] extend's.
enum class ViewMode { None = 0, List = 1, Document = 2, Data = 3 };

class TfrmMain : public Window, public PlayerView, public MainWindowFront, public ListSelectionView {
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
    ShortcutFiles& shortcutFiles;  // the settings dialog's shortcut buttons
    FileSystem& files;       // the document view reads through it
    // timPlay's first duty: take one handed-over path, when one waits.
    std::function<void()> takeHandedOverPath;
    // While one of its libraries works (and dispatches messages), timPlay
    // holds off.
    const Archiver& archiver;
    // Files dropped on the window, in the drop's order; without it the
    // window accepts no drop.
    std::function<void(std::vector<std::wstring>)> dropFiles = {};
    // The File menu's, the list menu's and the help menu's commands, and
    // dropped files; built after the window, which it works on.
    ListCommands* listCommands = nullptr;
    // The Windows session ends once this returns: the player's data are
    // stored now (the window has left its state in the settings).
    std::function<void()> sessionEnding = {};
    // The version dialog loads the archiver libraries through it (none: it
    // reports them all missing) and reads the RCP converter's version.
    ModuleLoader* libraries = nullptr;
    RcpVersionReader rcpVersion = {};
  };

  static constexpr wchar_t kClassName[] = L"TfrmMain";
  static constexpr UINT_PTR kPlayTimerId = 1;

  explicit TfrmMain(Context context);
  ~TfrmMain() override;

  // Creates the window (FormCreate runs inside).
  bool Create(HINSTANCE instance);
  void Show(int showCommand);
  // The shortcut table in force (EnableListShortcuts / DisableListShortcuts).
  HACCEL Shortcuts() const { return shortcuts_; }
  // A shortcut of the movie window the message is meant for; true when run.
  bool TranslateMovieShortcut(MSG& message) const;

  // MainWindowFront
  void BringMainWindowToFront() override;
  // Selects, focuses and reveals the current entry's row while the list view
  // is shown.
  void RevealCurrentRow();

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
  void HideMovieWindows() override;
  bool MovieWindowVisible(MovieWindow window) override;
  DisplayWindow MoviePanel(MovieWindow window) override;
  void FitAndShowMovieWindow(MovieWindow window, const DisplayRect& picture) override;
  void ShowOrder(const PlayOrder& order) override;
  void RefreshListRows(bool full) override;
  void SelectCurrentRow() override;
  void ShowDocument(bool load) override;
  void ShowMediaInfoPanel() override;
  void ApplySettings() override;
  bool ApplicationActive() override;
  void SetHourglass(bool on) override;

  // ListSelectionView
  bool ListShown() override { return viewMode_ == ViewMode::List; }
  std::vector<int> SelectedRows() override { return lsvList_.SelectedRows(); }
  void SelectRows(const std::vector<int>& rows) override { lsvList_.SelectRows(rows, true); }
  void AutoSizeColumns(bool byText) override;
  void CommitTitleEdit() override;

  ViewMode CurrentViewMode() const { return viewMode_; }
  bool TitleEditModeOn() const { return titleEdit_.On(); }

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // --- window events (main_window.cpp) ---
  void FormCreate(HWND hwnd);
  void FormActivate();
  void RestoreFocus(HWND hwnd);
  void FormCanResize(WINDOWPOS& proposed);
  void FormResize(HWND hwnd, int clientWidth, int clientHeight);
  void FormDestroy(HWND hwnd);
  void timPlayTimer();
  void RunCommand(HWND hwnd, int command);
  void IconNotify(HWND hwnd, LPARAM event);
  void mnuTrayRestoreClick(HWND hwnd);
  void Screen0DblClick();
  void lblTitleDblClick();
  void ShowPopup(HMENU popup, LPARAM screenPoint, HWND from);
  void FormDropFiles(HDROP drop);

  // --- reached from outside the controls (main_window_outside.cpp) ---
  bool HandleOutsideMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool RunListCommand(int command);
  void FormMinimize(HWND hwnd);
  void FormRestore();
  void FormEndSession(HWND hwnd);
  bool ControlBarContextMenu(HWND from, LPARAM screenPoint);
  void Screen0MouseDown(POINT at);
  void TitleMouseDown(POINT at);
  void RebuildTitleMenuAndOpen(POINT at);
  void CreateViews(HWND hwnd);
  void CaptureHideableMenuItems();
  void RebuildRecentMenu();
  void RestoreWindowBounds();
  void StoreWindowBounds();
  void StoreColumnWidths();

  // --- views, sizing and settings (main_window_views.cpp) ---
  void UpdateViewMode();
  void mnuWindowClick(ViewMode mode);
  void sbtWindowClick();
  void mnuWindowSizeClick();
  void mnuApplyClick();
  void mnuFormClick(HWND hwnd);
  void mnuTitleClick();
  void mnuDataClick();
  void mnuImageClick();
  void mnuSelectPlayClick();
  void mnuWindowMovieClick();
  void mnuAboutClick(HWND hwnd);
  void CreateMovieWindows(HWND hwnd);
  MovieWindowContext MovieContext();
  void lsvListDblClick();
  void lsvListSelectItem();
  void edtStat2Enter();
  void edtStat2Exit();
  void EnableListShortcuts();
  void DisableListShortcuts();
  void RebuildColumnsIfChanged();
  void ApplyImage();
  void FitWindowToImage();
  void ApplyMenuStates();
  void LayoutViews();
  void ShowMediaInfo();
  void PlaySelectedRow();
  int ShownEntryIndex() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);
  bool Maximised() const;
  int Px(int designPixels) const;

  Context context_;
  HINSTANCE instance_ = nullptr;
  int dpi_ = kDesignDpi;
  UniqueMenu pumTray_;
  UniqueMenu pumScreen_;
  UniqueMenu pumList_;
  UniqueMenu pumData_;
  HACCEL listShortcuts_ = nullptr;   // resources of the module: never destroyed
  HACCEL titleShortcuts_ = nullptr;
  HACCEL shortcuts_ = nullptr;
  UINT iconNotify_ = 0;
  UINT taskbarCreated_ = 0;
  bool minimised_ = false;
  TitleMenu pumMain_;

  // Window state.
  int minClientWidth_ = 0;          // at the screen's DPI
  int expandedClientHeight_ = 0;    // at the screen's DPI
  int pendingViewMode_ = -1;        // [FORM] extend until the first activation
  ViewMode viewMode_ = ViewMode::None;
  bool firstActivationDone_ = false;
  bool firstLayoutDone_ = false;
  bool messageDialogHasFont_ = false;
  bool inTimerTick_ = false;
  bool titleBoxFocused_ = false;
  std::optional<std::string> columnsBuiltFor_;  // [LIST] check of the last column rebuild
  TitleEditMode titleEdit_;
  FirstStartQuestion firstStart_;
  HCURSOR cursorBeforeHourglass_ = nullptr;
  HWND focusBeforeDeactivation_ = nullptr;

  // Menu items Win32 cannot hide: taken out and put back.
  RemovableMenuItem mnuFileLast_;
  RemovableMenuItem mnuConfigImage_;
  RemovableMenuItem mnuDataImage_;

  ControlBar controlBar_;
  ListView lsvList_;
  Control mmoDoc_;
  InfoPanel pnlData_;
  UniqueFont listFont_;
  UniqueFont documentFont_;
  TrayIcon tray_;

  // frmMovWn and frmMovFl, owned by this window.
  TfrmMovWn frmMovWn_;
  TfrmMovFl frmMovFl_;
};

}  // namespace koru
