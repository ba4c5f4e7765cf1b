// The player's message dialog as a user answers it: keys, the close box, a
// minimised owner, and messages that come while one is showing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "ui/layout/message_dialog_layout.h"
#include "ui/message_dialog.h"
#include "ui/message_dialog_ids.h"
#include "ui/player_dialogs.h"
#include "windows/support/modal_ticker.h"

namespace koru {
namespace {

using testing::ClickButton;
using testing::ModalTicker;
using testing::PressKey;
using testing::ShownDialogWithText;

constexpr RECT kOwnerBounds = {100, 100, 500, 400};

class MessageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kOwnerBounds.left,
                             kOwnerBounds.top, kOwnerBounds.right - kOwnerBounds.left,
                             kOwnerBounds.bottom - kOwnerBounds.top, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  static HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

  HWND owner_ = nullptr;
};

enum class Answer { kEnter, kEscape, kCloseBox };

struct KeyCase {
  int flags;
  int defaultButtonChoice;
  Answer answer;
  int expected;
};

TEST_F(MessageDialogTest, KeysAndTheCloseBoxAnswerAsTheButtonsSay) {
  const KeyCase cases[] = {
      {68, 0, Answer::kEnter, 6},     // Yes is the default button
      {68, 1, Answer::kEnter, 7},     // No first: Enter right away answers No
      {68, 0, Answer::kEscape, 7},    // No is the cancel button
      {48, 0, Answer::kEnter, 1},     // OK is default and cancel button at once
      {48, 0, Answer::kEscape, 1},
      {68, 0, Answer::kCloseBox, 2},  // the close box is not Esc
      {48, 1, Answer::kCloseBox, 2},
  };
  TfrmMsg frmMsg(Instance(), owner_);
  for (const KeyCase& c : cases) {
    ModalTicker ticker([&] {
      if (!IsWindowVisible(frmMsg.Handle())) return false;
      switch (c.answer) {
        case Answer::kEnter: PressKey(VK_RETURN); break;
        case Answer::kEscape: PressKey(VK_ESCAPE); break;
        case Answer::kCloseBox: PostMessageW(frmMsg.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
      }
      return true;
    });
    const int result = frmMsg.ShowMessageDialog(owner_, "?", c.defaultButtonChoice, c.flags, "caption");
    EXPECT_FALSE(ticker.TimedOut());
    EXPECT_EQ(result, c.expected) << "flags " << c.flags << ", choice " << c.defaultButtonChoice << ", answer "
                                  << static_cast<int>(c.answer);
  }
}

TEST_F(MessageDialogTest, AMinimisedOwnerCentresTheDialogOnItsRestoredPlace) {
  ShowWindow(owner_, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(owner_));
  TfrmMsg frmMsg(Instance(), owner_);
  RECT shown{};
  ModalTicker ticker([&] {
    if (!IsWindowVisible(frmMsg.Handle())) return false;
    GetWindowRect(frmMsg.Handle(), &shown);
    ClickButton(frmMsg.Handle(), IDC_MSG_OK);
    return true;
  });
  EXPECT_EQ(frmMsg.ShowMessageDialog(owner_, "minimised", 48, "caption"), 1);
  ASSERT_FALSE(ticker.TimedOut());
  const int width = shown.right - shown.left;
  const int height = shown.bottom - shown.top;
  const message_dialog::Point expected = message_dialog::PlaceOnOwner(
      {kOwnerBounds.left, kOwnerBounds.top, kOwnerBounds.right - kOwnerBounds.left,
       kOwnerBounds.bottom - kOwnerBounds.top},
      width, height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(shown.left, expected.x);
  EXPECT_EQ(shown.top, expected.y);
}

// While a question shows, a handler its loop dispatches asks more: an
// OK-only message waits for the question to close; another question gets a
// dialog of its own at once.
TEST_F(MessageDialogTest, MessagesAskedWhileOneShowsWaitOrGetTheirOwnDialog) {
  PlayerDialogs dialogs;
  dialogs.CreateMessageDialog(Instance(), owner_);
  const std::wstring first = L"first question", notice = L"a notice", second = L"second question";
  enum { kWaitFirst, kWaitSecond, kSecondAnswered, kAnswerFirst, kWaitNotice, kDone } state = kWaitFirst;
  int noticeResult = 0, secondResult = 0;
  bool noticeShownEarly = false;
  ModalTicker ticker([&] {
    switch (state) {
      case kWaitFirst:
        if (!ShownDialogWithText(IDC_MSG_LABEL, first)) return false;
        noticeResult = dialogs.ShowMessageDialog("a notice", 48, false);
        noticeShownEarly = ShownDialogWithText(IDC_MSG_LABEL, notice) != nullptr;
        state = kWaitSecond;
        secondResult = dialogs.ShowMessageDialog("second question", 68, false);  // runs its own loop
        state = kAnswerFirst;
        return false;
      case kWaitSecond:
        if (HWND dialog = ShownDialogWithText(IDC_MSG_LABEL, second)) {
          ClickButton(dialog, IDC_MSG_NO);
          state = kSecondAnswered;
        }
        return false;
      case kSecondAnswered:
        return false;
      case kAnswerFirst:
        ClickButton(ShownDialogWithText(IDC_MSG_LABEL, first), IDC_MSG_YES);
        state = kWaitNotice;
        return false;
      case kWaitNotice:
        if (HWND dialog = ShownDialogWithText(IDC_MSG_LABEL, notice)) {
          ClickButton(dialog, IDC_MSG_OK);
          state = kDone;
        }
        return state == kDone;
      case kDone:
        return true;
    }
    return true;
  });
  EXPECT_EQ(dialogs.ShowMessageDialog("first question", 68, false), 6);
  EXPECT_FALSE(ticker.TimedOut());
  EXPECT_EQ(noticeResult, 1) << "the notice's caller goes on at once";
  EXPECT_FALSE(noticeShownEarly) << "the notice waits for the question to close";
  EXPECT_EQ(secondResult, 7) << "the second question got its own answer";
  EXPECT_EQ(state, kDone) << "the notice showed once the first question closed";
}

}  // namespace
}  // namespace koru
