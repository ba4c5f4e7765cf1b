// Questions and messages to the user. The Win32 layer shows the player's own
// message dialog and the system message box; tests answer with a fake.
#pragma once

#include <string_view>

namespace koru {

// Message-box flags as the system defines them.
namespace mb {
inline constexpr int kOk = 0x00;
inline constexpr int kYesNo = 0x04;
inline constexpr int kIconStop = 0x10;
inline constexpr int kIconQuestion = 0x20;
inline constexpr int kIconExclamation = 0x30;
inline constexpr int kIconInformation = 0x40;
inline constexpr int kYesNoInformation = kYesNo | kIconInformation;  // 68
inline constexpr int kYesNoExclamation = kYesNo | kIconExclamation;  // 52
inline constexpr int kOkExclamation = kOk | kIconExclamation;        // 48
inline constexpr int kOkStop = kOk | kIconStop;                      // 16
}  // namespace mb

// Answers: 1 OK, 6 Yes, 7 No, 2 closed with the close box.
namespace answer {
inline constexpr int kOk = 1;
inline constexpr int kClosed = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace answer

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  // The player's own message dialog, caption "MEDIA-PLAYER - KORU". With
  // noAsDefault the No button has the focus when the dialog opens.
  virtual int ShowMessageDialog(std::string_view text, int flags, bool noAsDefault = false) = 0;
  // The system message box, caption "MEDIA-PLAYER - KORU".
  virtual int SystemMessageBox(std::string_view text, int flags) = 0;
};

}  // namespace koru
