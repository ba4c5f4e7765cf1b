// Questions and messages in the system message box. It stands in for the
// player's own message dialog until that dialog exists.
#pragma once

#include <windows.h>

#include "platform/user_dialogs.h"

namespace koru {

class SystemUserDialogs : public UserDialogs {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  int ShowMessageDialog(std::string_view text, int flags, bool noAsDefault) override;
  int SystemMessageBox(std::string_view text, int flags) override;

 private:
  HWND owner_ = nullptr;
};

// The caption of every message box of the program.
inline constexpr wchar_t kMessageCaption[] = L"MEDIA-PLAYER - KORU";

}  // namespace koru
