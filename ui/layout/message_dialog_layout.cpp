#include "ui/layout/message_dialog_layout.h"

#include "platform/cp932.h"

namespace koru::message_dialog {

Point PlaceOnOwner(const Bounds& owner, int dialogWidth, int dialogHeight, int screenWidth, int screenHeight) {
  Point place{owner.left + (owner.width - dialogWidth) / 2, owner.top + (owner.height - dialogHeight) / 2};
  if (place.x < 0) place.x = 0;
  if (place.y < 0) place.y = 0;
  if (place.x + dialogWidth > screenWidth) place.x = screenWidth - dialogWidth;
  if (place.y + dialogHeight > screenHeight) place.y = screenHeight - dialogHeight;
  return place;
}

int CenteredLabelTop(int designTop, int designHeight, int textHeight) {
  return designTop - (textHeight - designHeight) / 2;
}

int ImageIndexFor(int flags) {
  switch (flags & 0xF0) {
    case 0x10: return 0;
    case 0x20: return 1;
    case 0x30: return 2;
    case 0x40: return 3;
    default: return -1;
  }
}

namespace {

constexpr int kResultOk = 1;
constexpr int kResultYes = 6;
constexpr int kResultNo = 7;

}  // namespace

ButtonSetup ButtonsFor(int flags, int defaultButtonChoice) {
  ButtonSetup setup;
  // The Yes and No buttons get their own captions back for every message:
  // the OK/Cancel pair borrows them.
  setup.yesCaption = cp932::FromUtf8(u8"はい(&Y)");
  setup.noCaption = cp932::FromUtf8(u8"いいえ(&N)");
  setup.yesResult = kResultYes;
  setup.noResult = kResultNo;
  setup.noFirst = defaultButtonChoice == 1;
  switch (flags & 0x0F) {
    case 0x00:
      setup.okShown = true;
      break;
    case 0x04:
      setup.yesShown = setup.noShown = true;
      break;
    case 0x01:
      setup.yesShown = setup.noShown = true;
      setup.yesCaption = "OK";
      setup.yesResult = kResultOk;
      setup.noCaption = cp932::FromUtf8(u8"ｷｬﾝｾﾙ");
      setup.noResult = kResultNo;
      break;
    default:
      break;
  }
  // btnOk is the default and the cancel button at once; of the pair, btnYes
  // is the default and btnNo the cancel button.
  if (setup.okShown) {
    setup.focused = Button::kOk;
    setup.enterResult = setup.escapeResult = kResultOk;
  } else if (setup.yesShown) {
    setup.focused = setup.noFirst ? Button::kNo : Button::kYes;
    setup.enterResult = setup.yesResult;
    setup.escapeResult = setup.noResult;
  }
  return setup;
}

int ResultOf(const ButtonSetup& setup, Button button) {
  switch (button) {
    case Button::kOk: return setup.okShown ? kResultOk : 0;
    case Button::kYes: return setup.yesShown ? setup.yesResult : 0;
    case Button::kNo: return setup.noShown ? setup.noResult : 0;
    case Button::kNone: break;
  }
  return 0;
}

}  // namespace koru::message_dialog
