#include "startup/application_win32.h"

#include "platform/delete_matching.h"
#include "platform/program_folder_win32.h"
#include "platform/system_version.h"
#include "platform/wide_text_win32.h"
#include "startup/player_data.h"

namespace koru {

Application::Application(HINSTANCE instance, CommandHandOver* handOver, std::atomic<std::uint8_t>& noRepeat)
    : instance_(instance),
      handOver_(handOver),
      noRepeat_(noRepeat),
      list_(ProgramFolder()),
      settings_(files_, list_.ProgramFolder(), QuerySystemVersion()),
      infoReader_(files_),
      tempFolder_(TemporaryFolderPath(list_.ProgramFolder())),
      archiver_(instance, nullptr),
      frmMain_({settings_, list_, dialogs_, player_, device_, mixer_, order_, sstp_, clock_, associator_, files_,
                [this] { consumer_.TakeHandedOverPath(handOver_); }, archiver_.Archiver()}),
      player_({list_, settings_, files_, playbackFiles_, dialogs_, frmMain_, device_, mixer_, clock_,
               EntryConverters{archiver_.Extractor(), rcpConverter_, oggDecoder_}, sstp_, &infoReader_, order_,
               noRepeat_, tempFolder_}),
      adder_({list_, settings_, files_, archiver_.Archiver(), shortcuts_, player_.Controller(), dialogs_, frmMain_,
              cursor_}),
      consumer_(list_, adder_, dialogs_, *this) {
  list_.SetInfoReader(&infoReader_);
}

// The main window goes first, while everything its destroy handler calls
// still exists.
Application::~Application() { frmMain_.Destroy(); }

int Application::Run() {
  CreateDirectoryW(Widen(tempFolder_).c_str(), nullptr);  // an existing folder is reused
  // The ZIP library shows no result window of its own while the player
  // runs; the user's setting comes back however the run ends.
  zipResultWindow_.SwitchOff();
  struct RestoreAtEnd {
    ZipResultWindow& window;
    ~RestoreAtEnd() { window.Restore(); }
  } restoreAtEnd{zipResultWindow_};
  unreadableListPath_ = LoadPlayerData(settings_, list_, files_, order_, dialogs_);
  if (!frmMain_.Create(instance_)) return 0;
  archiver_.Archiver().SetMainWindow(frmMain_.Handle());
  dialogs_.CreateMessageDialog(instance_, frmMain_.Handle());
  frmMain_.Show(SW_SHOWNORMAL);
  RunMessageLoop();
  // The window has left its own state (bounds, title panel) in the settings.
  StorePlayerData(settings_, list_, files_, order_, unreadableListPath_);
  DeleteMatching(playbackFiles_, tempFolder_ + "*.*", true);
  return 0;
}

void Application::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The table in force changes while the title box has the focus.
    HACCEL shortcuts = frmMain_.Shortcuts();
    if (shortcuts && TranslateAcceleratorW(frmMain_.Handle(), shortcuts, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool Application::FocusOnOpen() const { return settings_.opt.focus == 1; }

void Application::BringMainWindowToFront() { frmMain_.BringMainWindowToFront(); }

void Application::SyncAndRefreshList() { player_.Displays().RefreshList(true); }

void Application::RevealCurrentRow() { frmMain_.RevealCurrentRow(); }

void Application::PlayCurrentEntry(bool userInitiated) { player_.Controller().PlayCurrentEntry(userInitiated); }

}  // namespace koru
