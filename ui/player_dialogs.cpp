#include "ui/player_dialogs.h"

#include "platform/program_title.h"
#include "platform/wide_text_win32.h"

namespace koru {

void PlayerDialogs::CreateMessageDialog(HINSTANCE instance, HWND mainWindow) {
  instance_ = instance;
  owner_ = mainWindow;
  frmMsg_ = std::make_unique<TfrmMsg>(instance, mainWindow);
}

int PlayerDialogs::ShowMessageDialog(std::string_view text, int flags, bool noAsDefault) {
  if (!frmMsg_ || !frmMsg_->Exists()) {
    UINT style = static_cast<UINT>(flags);
    if (noAsDefault) style |= MB_DEFBUTTON2;
    return MessageBoxW(owner_, Widen(text).c_str(), Widen(kProgramTitle).c_str(), style);
  }
  if (frmMsg_->Showing()) {
    if ((flags & 0x0F) != mb::kOk) return AskInDialogOfItsOwn(text, flags, noAsDefault);
    waiting_.push_back({std::string(text), flags});
    return answer::kOk;
  }
  const int result = frmMsg_->ShowMessageDialog(owner_, text, noAsDefault ? 1 : 0, flags, kProgramTitle);
  ShowWaitingMessages();
  return result;
}

int PlayerDialogs::AskInDialogOfItsOwn(std::string_view text, int flags, bool noAsDefault) {
  TfrmMsg question(instance_, owner_);
  question.SetFontName(frmMsg_->FontName());
  return question.ShowMessageDialog(owner_, text, noAsDefault ? 1 : 0, flags, kProgramTitle);
}

void PlayerDialogs::ShowWaitingMessages() {
  // Messages that come while these show join the end of the queue.
  while (!waiting_.empty() && frmMsg_->Exists()) {
    const WaitingMessage next = std::move(waiting_.front());
    waiting_.pop_front();
    frmMsg_->ShowMessageDialog(owner_, next.text, 0, next.flags, kProgramTitle);
  }
  waiting_.clear();  // the main window has gone: nobody is left to read them
}

int PlayerDialogs::SystemMessageBox(std::string_view text, int flags) {
  return MessageBoxW(owner_, Widen(text).c_str(), Widen(kProgramTitle).c_str(), static_cast<UINT>(flags));
}

}  // namespace koru
