// The application object: builds the two process-wide objects (the media list
// and the settings), every binding of the core to Windows (or its stand-in
// while the outside library is missing), the playback core, the adding
// routine and the hand-over consumer, and the windows, which get references.
// It loads the player's data before the main window is created and stores
// it once the window has gone.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "archive/archiver_binding_win32.h"
#include "convert/ogog_decoder_win32.h"
#include "convert/rcp_smf_converter.h"
#include "convert/rcpcv_library_win32.h"
#include "desktop/file_type_registration_win32.h"
#include "desktop/lumetrix_shortcut_files_win32.h"
#include "desktop/shell_link_win32.h"
#include "desktop/sstp_notifier.h"
#include "desktop/winsock_sstp_transport_win32.h"
#include "desktop/zip_show_result.h"
#include "desktop/zip_show_result_win32.h"
#include "medialist/file_media_info_reader.h"
#include "medialist/media_list.h"
#include "platform/cursor_control_win32.h"
#include "platform/file_system_win32.h"
#include "platform/playback_files_win32.h"
#include "playback/add_path.h"
#include "playback/mci_media_device_win32.h"
#include "playback/mixer_volume_win32.h"
#include "playback/play_order.h"
#include "playback/player.h"
#include "playback/system_clock.h"
#include "settings/settings.h"
#include "startup/command_hand_over.h"
#include "startup/hand_over_consumer.h"
#include "playback/add_gate.h"
#include "playback/list_commands.h"
#include "ui/common_file_dialogs.h"
#include "ui/main_window.h"
#include "ui/shell_document_opener.h"
#include "ui/player_dialogs.h"

namespace koru {

class Application : public HandOverHost {
 public:
  // `handOver` is null when this instance runs without the shared record.
  Application(HINSTANCE instance, CommandHandOver* handOver, std::atomic<std::uint8_t>& noRepeat);
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Shows the player and runs it until its main window closes.
  int Run();

  // HandOverHost
  bool FocusOnOpen() const override;
  void BringMainWindowToFront() override;
  void SyncAndRefreshList() override;
  void RevealCurrentRow() override;
  void PlayCurrentEntry(bool userInitiated) override;

 private:
  void RunMessageLoop();
  void StoreAndClearUp();
  void TakeHandedOverPath();

  HINSTANCE instance_;
  CommandHandOver* handOver_;
  std::atomic<std::uint8_t>& noRepeat_;

  // The process-wide objects and what they read with.
  Win32FileSystem files_;
  MediaList list_;
  Settings settings_;
  FileMediaInfoReader infoReader_;
  PlayerDialogs dialogs_;
  PlayOrder order_;
  std::string tempFolder_;
  std::string unreadableListPath_;

  // The bindings, and the stand-ins of the outside libraries.
  MciMediaDevice device_;  // mplMain
  MixerVolume mixer_;
  Win32PlaybackFiles playbackFiles_;
  SystemClock clock_;
  Win32RcpcvLibrary rcpcv_;  // loaded at the first conversion, kept to the end
  RcpSmfConverter rcpConverter_{rcpcv_};
  OgogDecoder oggDecoder_;
  // TArchiver with its hidden window; it takes the main window as its
  // libraries' owner once that exists, and goes after the exit clean-up.
  ArchiverBinding archiver_;
  ShellLinkResolver shortcuts_;
  Win32CursorControl cursor_;
  RegistryFileAssociator associator_;
  LumetrixShortcutFiles shortcutFiles_{list_.ProgramFolder()};  // LUMETRIX.DLL beside KORU.exe
  RegistryShowResultStore showResultStore_;
  ZipResultWindow zipResultWindow_{showResultStore_};

  // The mascot's notices: queued by the GUI thread, sent by the notifier's
  // own thread. It outlives the window, whose destruction queues the exit
  // notice, and gives that notice a bounded time to go out.
  WinsockSstpTransport sstpTransport_;
  SteadyClock sstpClock_;
  SstpNotifier sstp_{sstpTransport_, sstpClock_};

  // The main window shows the player's core and runs its commands: built
  // before the core, which keeps it as its view, and destroyed before it.
  TfrmMain frmMain_;
  Player player_;
  ListPathAdder adder_;
  HandOverConsumer consumer_;
  AddGate addGate_;  // one add to the list at a time
  CommonFileDialogs fileDialogs_;
  ShellDocumentOpener shellOpener_;
  ListCommands listCommands_;
  bool stored_ = false;
};

}  // namespace koru
