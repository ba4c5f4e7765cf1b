#include "ui/player_dialogs.h"

#include "ui/program_title.h"

#include "platform/wide_text_win32.h"

namespace koru {

namespace {

constexpr const char* kCaption = kProgramTitleText;
constexpr const wchar_t* kWideCaption = kProgramTitle;

}  // namespace

void PlayerDialogs::CreateMessageDialog(HINSTANCE instance, HWND mainWindow) {
  owner_ = mainWindow;
  frmMsg_ = std::make_unique<TfrmMsg>(instance, mainWindow);
}

int PlayerDialogs::ShowMessageDialog(std::string_view text, int flags, bool noAsDefault) {
  if (frmMsg_ && frmMsg_->Exists()) return frmMsg_->ShowMessageDialog(owner_, text, noAsDefault ? 1 : 0, flags, kCaption);
  UINT style = static_cast<UINT>(flags);
  if (noAsDefault) style |= MB_DEFBUTTON2;
  return MessageBoxW(owner_, Widen(text).c_str(), kWideCaption, style);
}

int PlayerDialogs::SystemMessageBox(std::string_view text, int flags) {
  return MessageBoxW(owner_, Widen(text).c_str(), kWideCaption, static_cast<UINT>(flags));
}

}  // namespace koru
