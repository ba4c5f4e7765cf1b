#include "ui/player_dialogs.h"

#include "platform/wide_text_win32.h"

namespace koru {

namespace {

constexpr char kCaption[] = "MEDIA-PLAYER - KORU";
constexpr wchar_t kWideCaption[] = L"MEDIA-PLAYER - KORU";

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
