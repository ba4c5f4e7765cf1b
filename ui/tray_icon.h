// The notification-area icon of the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace koru {

class TrayIcon {
 public:
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Remove(); }

  // Adds the icon with the tip "MEDIA-PLAYER - KORU"; `callbackMessage` is
  // the registered "IconNotify" message.
  void Add(HWND owner, UINT callbackMessage, HICON icon);
  // The tip holds at most 127 characters; the caller cuts the text.
  void SetTip(const std::wstring& tip);
  void Remove();
  bool Present() const { return present_; }
  // The shell restarted ("TaskbarCreated") and forgot its icons: the icon
  // comes back with the current tip, unless it was removed.
  void AddAgain();
  // Whether the shell still shows the icon; one it lost is no longer present.
  bool StillShown();

 private:
  NOTIFYICONDATAW data_ = {};
  bool present_ = false;
  bool wanted_ = false;  // added and not removed: re-added after a shell restart
};

}  // namespace koru
