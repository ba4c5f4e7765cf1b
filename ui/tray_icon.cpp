#include "ui/tray_icon.h"

#include <cwchar>

#include "platform/program_title.h"
#include "platform/wide_text_win32.h"

namespace koru {

void TrayIcon::Add(HWND owner, UINT callbackMessage, HICON icon) {
  if (present_) return;
  data_ = {};
  data_.cbSize = NOTIFYICONDATAW_V2_SIZE;  // the form with the 128-character tip
  data_.hWnd = owner;
  data_.uID = 0;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  wcsncpy(data_.szTip, Widen(kProgramTitle).c_str(), 127);
  wanted_ = true;
  // A failed add leaves the player without tray icon but otherwise unchanged.
  present_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void TrayIcon::AddAgain() {
  if (!wanted_) return;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  present_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

bool TrayIcon::StillShown() {
  if (!present_) return false;
  data_.uFlags = NIF_TIP;
  present_ = Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
  return present_;
}

void TrayIcon::SetTip(const std::wstring& tip) {
  // Kept while the icon is away too: it comes back with the newest tip.
  const std::size_t length = tip.size() < 127 ? tip.size() : 127;
  wmemcpy(data_.szTip, tip.data(), length);
  data_.szTip[length] = L'\0';
  if (!present_) return;
  data_.uFlags = NIF_TIP;
  Shell_NotifyIconW(NIM_MODIFY, &data_);
}

void TrayIcon::Remove() {
  wanted_ = false;
  if (!present_) return;
  Shell_NotifyIconW(NIM_DELETE, &data_);
  present_ = false;
}

}  // namespace koru
