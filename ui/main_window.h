// TfrmMain, the player's main window.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "medialist/media_list.h"
#include "platform/file_system.h"
#include "platform/user_dialogs.h"
#include "playback/path_adder.h"
#include "playback/play_order.h"
#include "settings/settings.h"
#include "startup/hand_over_consumer.h"

namespace koru {

class TfrmMain : public HandOverHost {
 public:
  struct Context {
    MediaList& list;
    Settings& settings;
    FileSystem& files;
    UserDialogs& dialogs;
    PathAdder& adder;
    CommandHandOver* handOver;  // null when this instance runs without hand-over
    std::atomic<std::uint8_t>& noRepeat;
  };

  static constexpr wchar_t kClassName[] = L"TfrmMain";
  static constexpr int kDesignClientWidth = 400;
  static constexpr int kDesignClientHeight = 256;
  static constexpr UINT_PTR kPlayTimerId = 1;

  explicit TfrmMain(Context context);
  ~TfrmMain() override;
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;

  // Registers the class and creates the window (FormCreate runs inside).
  bool Create(HINSTANCE instance);
  HWND Handle() const { return hwnd_; }
  void Show(int showCommand);

  // HandOverHost
  bool FocusOnOpen() const override;
  void BringMainWindowToFront() override;
  void SyncAndRefreshList() override;
  void RevealCurrentRow() override;
  void PlayCurrentEntry(bool userInitiated) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void FormDestroy();
  void timPlayTimer();

  Context context_;
  HWND hwnd_ = nullptr;
  HandOverConsumer consumer_;
  PlayOrder order_;
  bool inTimerTick_ = false;
};

}  // namespace koru
