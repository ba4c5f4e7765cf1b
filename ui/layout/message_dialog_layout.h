// The arithmetic of the player's message dialog (TfrmMsg), kept apart from
// the window so that it can be checked without Windows: where the dialog
// goes, where the message label goes once it has measured its text, and which
// icon and buttons a message-box flag value asks for.
#pragma once

#include <string>

#include "ui/layout/design_scale.h"

namespace koru::message_dialog {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Design pixels. ui/message_dialog.rc repeats them for the resource editor;
// the dialog lays itself out from these.
inline constexpr int kClientWidth = 301;
inline constexpr int kClientHeight = 88;
inline constexpr Bounds kImageBounds{8, 16, 32, 32};  // imgMsg01 .. imgMsg04
inline constexpr Bounds kLabelBounds{52, 24, 241, 12};  // lblMsg
inline constexpr Bounds kOkBounds{104, 56, 89, 21};  // btnOk
inline constexpr Bounds kYesBounds{56, 56, 89, 21};  // btnYes
inline constexpr Bounds kNoBounds{152, 56, 89, 21};  // btnNo
inline constexpr int kImageCount = 4;

// The dialog's top-left corner: centred on the owner (integer halves,
// truncated towards zero), then pulled back onto a screen of the given size:
// a negative coordinate becomes 0 first, then an edge beyond the screen moves
// the dialog back to end at that edge.
Point PlaceOnOwner(const Bounds& owner, int dialogWidth, int dialogHeight, int screenWidth, int screenHeight);

// The label's top once it has sized itself to its text: the text block stays
// centred on the label's design line.
int CenteredLabelTop(int designTop, int designHeight, int textHeight);

// Which of imgMsg01 .. imgMsg04 the icon bits (flags & 0xF0) show: 0 .. 3,
// or -1 for none.
int ImageIndexFor(int flags);

enum class Button { kNone, kOk, kYes, kNo };

// The buttons for one message. Captions are code page 932 text.
struct ButtonSetup {
  bool okShown = false;
  bool yesShown = false;
  bool noShown = false;
  std::string yesCaption;
  std::string noCaption;
  int yesResult = 0;
  int noResult = 0;
  bool noFirst = false;          // btnNo ahead of btnYes in the tab order
  Button focused = Button::kNone;  // the first shown button in the tab order
  int enterResult = 0;           // the default button's result; 0 when none is shown
  int escapeResult = 0;          // the cancel button's result; 0 when none is shown
};

// The buttons by the low four bits of flags: 0 OK; 4 Yes and No; 1 "OK"
// (result 1) and "ｷｬﾝｾﾙ" (result 7) on the Yes and No buttons; any other
// value none. A default-button choice of 1 puts btnNo first.
ButtonSetup ButtonsFor(int flags, int defaultButtonChoice);

// The result of a button of the dialog.
int ResultOf(const ButtonSetup& setup, Button button);

}  // namespace koru::message_dialog
