#include "startup/application_win32.h"

#include "platform/delete_matching.h"
#include "platform/program_folder_win32.h"
#include "platform/system_version.h"
#include "platform/wide_text_win32.h"
#include "startup/player_data.h"
#include "ui/dropped_files.h"

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
      frmMain_({.settings = settings_,
                .list = list_,
                .dialogs = dialogs_,
                .player = player_,
                .device = device_,
                .mixer = mixer_,
                .order = order_,
                .sstp = sstp_,
                .clock = clock_,
                .associator = associator_,
                .shortcutFiles = shortcutFiles_,
                .files = files_,
                .takeHandedOverPath = [this] { TakeHandedOverPath(); },
                .archiver = archiver_.Archiver(),
                .dropFiles = [this](std::vector<std::wstring> paths) {
                  listCommands_.DropFiles(PathsInCodePage932(paths));
                },
                .listCommands = &listCommands_,
                .sessionEnding =
                    [this] {
                      StoreAndClearUp();
                      // The run may be killed before Run's end restores it.
                      zipResultWindow_.Restore();
                    },
                .libraries = &archiver_.Libraries(),
                .rcpVersion = [this] { return rcpcv_.GetVersionMajor() * 100LL + rcpcv_.GetVersionMinor(); }}),
      player_({list_, settings_, files_, playbackFiles_, dialogs_, frmMain_, device_, mixer_, clock_,
               EntryConverters{archiver_.Extractor(), rcpConverter_, oggDecoder_}, sstp_, &infoReader_, order_,
               noRepeat_, tempFolder_}),
      adder_({list_, settings_, files_, archiver_.Archiver(), shortcuts_, player_.Controller(), dialogs_, frmMain_,
              cursor_}),
      consumer_(list_, adder_, dialogs_, *this),
      fileDialogs_([this] { return frmMain_.Handle(); }),
      listCommands_({list_, settings_, files_, player_, frmMain_, adder_, addGate_, frmMain_, fileDialogs_, dialogs_,
                     sstp_, cursor_, shellOpener_, &infoReader_}) {
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
  StoreAndClearUp();
  return 0;
}

// Once the window has gone (it has left its own state, bounds and title
// panel, in the settings), at the end of the run or of the Windows session.
void Application::StoreAndClearUp() {
  if (stored_) return;
  stored_ = true;
  StorePlayerData(settings_, list_, files_, order_, unreadableListPath_);
  DeleteMatching(playbackFiles_, tempFolder_ + "*.*", true);
}

// A path handed over while an add is underway (its question's message loop
// runs the timer) stays in the record until the add has ended.
void Application::TakeHandedOverPath() {
  if (addGate_.Running()) return;
  addGate_.Run([this] { consumer_.TakeHandedOverPath(handOver_); });
}

void Application::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // A movie window's own keys first: the main table takes any window's.
    if (frmMain_.TranslateMovieShortcut(message)) continue;
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
