// The player's questions and messages: the own message dialog (TfrmMsg) for
// ShowMessageDialog, the system message box for SystemMessageBox, both with
// the caption "MEDIA-PLAYER - KORU" and owned by the main window.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <string>

#include "platform/user_dialogs.h"
#include "ui/message_dialog.h"

namespace koru {

class PlayerDialogs : public UserDialogs {
 public:
  // Creates frmMsg, owned by the main window; called right after the main
  // window exists. Until then, and after the main window has gone (taking
  // the dialog with it), messages fall back to the system message box.
  void CreateMessageDialog(HINSTANCE instance, HWND mainWindow);
  // The message dialog, for its font name; null before CreateMessageDialog.
  TfrmMsg* MessageDialog() { return frmMsg_.get(); }

  // Asked while frmMsg shows another message (from a handler its modal loop
  // dispatched): an OK-only message waits until that one closes and is
  // answered 1 now; a question, whose caller needs the answer, gets a dialog
  // of its own.
  int ShowMessageDialog(std::string_view text, int flags, bool noAsDefault) override;
  int SystemMessageBox(std::string_view text, int flags) override;

 private:
  struct WaitingMessage {
    std::string text;
    int flags;
  };
  int AskInDialogOfItsOwn(std::string_view text, int flags, bool noAsDefault);
  void ShowWaitingMessages();

  HINSTANCE instance_ = nullptr;
  HWND owner_ = nullptr;
  std::unique_ptr<TfrmMsg> frmMsg_;
  std::deque<WaitingMessage> waiting_;
};

}  // namespace koru
