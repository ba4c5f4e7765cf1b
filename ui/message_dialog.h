// TfrmMsg, the player's own message box: an icon, a wrapped message and OK or
// Yes/No, drawn in the font the user chose for the player (the system message
// box would ignore it). One instance lives as long as the main window; it is
// hidden between messages and reused for every one.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/unique_handle_win32.h"
#include "ui/layout/message_dialog_layout.h"
#include "ui/window.h"

namespace koru {

class TfrmMsg : public Dialog {
 public:
  // Creates the hidden dialog, owned by the main window. Throws
  // std::runtime_error when Windows refuses.
  TfrmMsg(HINSTANCE instance, HWND mainWindow);
  // The font outlives the controls that draw in it.
  ~TfrmMsg() override { Destroy(); }

  // False once the dialog's window is gone (its owner was destroyed).
  bool Exists() const { return Handle() != nullptr; }
  // A message is showing: the dialog cannot take another until it closes.
  bool Showing() const { return showing_; }

  // Shows `text` modally, centred on `owner` (on its restored place when it
  // is minimised; on the screen when there is none), and returns the pressed
  // button's result: 1 OK, 6 Yes, 7 No, or 2 when the close box closed it.
  // flags as for the system message box (0x00 OK, 0x04 Yes/No, 0x01
  // OK/Cancel; icons 0x10 to 0x40). defaultButtonChoice 1 gives No the focus.
  // Texts are code page 932. Throws std::logic_error when called while a
  // message is already showing.
  int ShowMessageDialog(HWND owner, std::string_view text, int defaultButtonChoice, int flags,
                        std::string_view caption);
  int ShowMessageDialog(HWND owner, std::string_view text, int flags, std::string_view caption);

  // The face name (code page 932) of the label's and the buttons' font from
  // the next message on.
  void SetFontName(std::string_view name) { fontName_ = name; }
  const std::string& FontName() const { return fontName_; }

 protected:
  INT_PTR HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate();
  void FormClose();
  void FormDestroy();
  void FormCommand(int id);
  void FormDefaultKey();
  void FormCancelKey();
  void btnOkClick();
  void btnYesClick();
  void btnNoClick();

  void PlaceControl(int id, const Bounds& design);
  void PlaceOnOwner(HWND owner);
  void ShowImage(int flags);
  void ShowButtons();
  void ApplyFont();
  void ShowText(std::string_view text);
  void FocusFirstButton();
  int ShowModally();

  int dpi_ = kDesignDpi;
  Bounds labelDesign_;  // at the screen's DPI, captured at creation
  std::string fontName_;
  std::string appliedFontName_;
  UniqueFont font_;
  message_dialog::ButtonSetup buttons_;
  int modalResult_ = 0;
  bool showing_ = false;
};

}  // namespace koru
