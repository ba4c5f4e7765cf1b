#include "ui/system_user_dialogs.h"

#include "platform/wide_text_win32.h"

namespace koru {

int SystemUserDialogs::ShowMessageDialog(std::string_view text, int flags, bool noAsDefault) {
  UINT style = static_cast<UINT>(flags);
  if (noAsDefault) style |= MB_DEFBUTTON2;
  return MessageBoxW(owner_, Widen(text).c_str(), kMessageCaption, style);
}

int SystemUserDialogs::SystemMessageBox(std::string_view text, int flags) {
  return MessageBoxW(owner_, Widen(text).c_str(), kMessageCaption, static_cast<UINT>(flags));
}

}  // namespace koru
