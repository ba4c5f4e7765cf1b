// TfrmMsg, the player's own message box: an icon, a wrapped message and OK or
// Yes/No, drawn in the font the user chose for the player (the system message
// box would ignore it). One instance lives as long as the main window; it is
// hidden between messages and reused for every one.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/message_dialog_layout.h"
#include "platform/unique_handle_win32.h"

namespace koru {

class TfrmMsg {
 public:
  // Creates the hidden dialog, owned by the main window. Throws
  // std::runtime_error when Windows refuses.
  TfrmMsg(HINSTANCE instance, HWND mainWindow);
  ~TfrmMsg();
  TfrmMsg(const TfrmMsg&) = delete;
  TfrmMsg& operator=(const TfrmMsg&) = delete;

  // False once the dialog's window is gone (its owner was destroyed).
  bool Exists() const { return hwnd_ != nullptr; }
  HWND Handle() const { return hwnd_; }

  // Shows `text` modally, centred on `owner` (the screen when there is none),
  // and returns the pressed button's result: 1 OK, 6 Yes, 7 No, or 2 when the
  // close box closed it. flags as for the system message box (0x00 OK, 0x04
  // Yes/No, 0x01 OK/Cancel; icons 0x10 to 0x40). defaultButtonChoice 1 gives
  // No the focus. Texts are code page 932. Throws std::logic_error when called
  // while a message is already showing.
  int ShowMessageDialog(HWND owner, std::string_view text, int defaultButtonChoice, int flags,
                        std::string_view caption);
  int ShowMessageDialog(HWND owner, std::string_view text, int flags, std::string_view caption);

  // The face name (code page 932) of the label's and the buttons' font from
  // the next message on.
  void SetFontName(std::string_view name) { fontName_ = name; }

 private:
  struct FontTraits {
    using Handle = HFONT;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle font) { DeleteObject(font); }
  };
  using UniqueFont = UniqueHandle<FontTraits>;

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void FormClose();
  void FormDestroy();
  void FormCommand(int id);
  void FormDefaultKey();
  void FormCancelKey();
  void btnOkClick();
  void btnYesClick();
  void btnNoClick();

  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  void PlaceControl(int id, const message_dialog::Bounds& design);
  void PlaceOnOwner(HWND owner);
  void ShowImage(int flags);
  void ShowButtons();
  void ApplyFont();
  void ShowText(std::string_view text);
  void FocusFirstButton();
  int RunModal();

  HWND hwnd_ = nullptr;
  int dpi_ = message_dialog::kDesignDpi;
  message_dialog::Bounds labelDesign_;  // at the screen's DPI, captured at creation
  std::string fontName_;
  std::string appliedFontName_;
  UniqueFont font_;
  message_dialog::ButtonSetup buttons_;
  int modalResult_ = 0;
  bool showing_ = false;
};

}  // namespace koru
