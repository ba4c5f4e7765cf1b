// The window and dialog base: a child's notification reaches the child's
// wrapper, what it leaves reaches the window, handlers get the procedure's
// own hwnd to the end, and an exception becomes a report in the program's
// code page.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "ui/bring_to_front.h"
#include "ui/controls.h"
#include "ui/message_dialog_ids.h"
#include "ui/window.h"
#include "windows/support/modal_ticker.h"

namespace koru {
namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr int kButtonId = 300;
constexpr int kScrollId = 301;
constexpr int kLabelId = 302;

struct Seen {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
};

// Records what reaches it; handles what it is told to.
class RecordingControl : public Control {
 public:
  bool handles = true;
  LRESULT answer = 0;
  std::vector<UINT> reflected;
  bool Reflected(UINT message, WPARAM, LPARAM, LRESULT& result) override {
    reflected.push_back(message);
    result = answer;
    return handles;
  }
};

class TestWindow : public Window {
 public:
  std::vector<Seen> seen;
  std::string throwText;
  bool Create() { return Window::Create({.className = L"KoruTestWindow", .style = WS_OVERLAPPEDWINDOW}); }

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back({hwnd, message, wParam});
    if (message == kThrow) throw std::runtime_error(throwText);
    return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
};

bool Saw(const std::vector<Seen>& seen, UINT message, WPARAM wParam) {
  for (const Seen& s : seen) {
    if (s.message == message && s.wParam == wParam) return true;
  }
  return false;
}

TEST(WindowBase, AChildsCommandReachesItsControlAndWhatItLeavesReachesTheWindow) {
  TestWindow window;
  ASSERT_TRUE(window.Create());
  RecordingControl button;
  ASSERT_TRUE(button.Create(window.Handle(), L"BUTTON", L"b", WS_VISIBLE | BS_PUSHBUTTON, kButtonId));
  button.Move(0, 0, 40, 20);  // a click lands inside the button
  const WPARAM clicked = MAKEWPARAM(kButtonId, BN_CLICKED);

  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(button.reflected, std::vector<UINT>{WM_COMMAND});
  EXPECT_FALSE(Saw(window.seen, WM_COMMAND, clicked)) << "the button handled its own click";

  button.handles = false;
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(Saw(window.seen, WM_COMMAND, clicked)) << "a click the button leaves is the window's command";

  // A menu command names no control and goes to the window.
  SendMessageW(window.Handle(), WM_COMMAND, 1234, 0);
  EXPECT_TRUE(Saw(window.seen, WM_COMMAND, 1234));
  EXPECT_EQ(button.reflected.size(), 2u);
}

TEST(WindowBase, NotificationsAndColourRequestsReachTheSendersWrapper) {
  TestWindow window;
  ASSERT_TRUE(window.Create());
  RecordingControl child;
  ASSERT_TRUE(child.Create(window.Handle(), L"STATIC", L"", WS_VISIBLE, kButtonId));
  child.answer = 42;
  NMHDR header = {child.Handle(), kButtonId, NM_CLICK};
  EXPECT_EQ(SendMessageW(window.Handle(), WM_NOTIFY, kButtonId, reinterpret_cast<LPARAM>(&header)), 42);

  Label label;
  ASSERT_TRUE(label.Create(window.Handle(), L"STATIC", L"text", WS_VISIBLE | SS_NOTIFY, kLabelId));
  label.SetColours(RGB(0, 255, 0), RGB(0, 0, 0));
  HDC dc = GetDC(label.Handle());
  const LRESULT brush = SendMessageW(window.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(label.Handle()));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 255, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
  ReleaseDC(label.Handle(), dc);
  EXPECT_EQ(child.reflected, std::vector<UINT>{WM_NOTIFY});
  EXPECT_FALSE(Saw(window.seen, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc)));
}

TEST(WindowBase, ScrollBarMovesItsOwnThumbWithinItsRange) {
  TestWindow window;
  ASSERT_TRUE(window.Create());
  ScrollBar slider;
  ASSERT_TRUE(slider.Create(window.Handle(), L"SCROLLBAR", L"", WS_VISIBLE | SBS_HORZ, kScrollId));
  std::vector<int> positions;
  slider.onScroll = [&](int, int position) { positions.push_back(position); };
  // Positions beyond 16 bits: a piece of more than eleven minutes in 10 ms units.
  slider.SetRange(100000, 2500, 25000);
  slider.SetPosition(70000);
  const LPARAM from = reinterpret_cast<LPARAM>(slider.Handle());
  for (WPARAM code : {SB_LINERIGHT, SB_PAGERIGHT, SB_PAGERIGHT, SB_LINELEFT, SB_LEFT}) {
    SendMessageW(window.Handle(), WM_HSCROLL, code, from);
  }
  EXPECT_EQ(positions, (std::vector<int>{72500, 97500, 100000, 97500, 0}));
  EXPECT_EQ(GetScrollPos(slider.Handle(), SB_CTL), 0);
}

TEST(WindowBase, HandlersGetTheProceduresOwnWindowUpToItsLastMessage) {
  TestWindow window;
  ASSERT_TRUE(window.Create());
  HWND hwnd = window.Handle();
  RecordingControl button;
  ASSERT_TRUE(button.Create(hwnd, L"BUTTON", L"b", WS_VISIBLE, kButtonId));
  DestroyWindow(hwnd);
  ASSERT_FALSE(window.seen.empty());
  EXPECT_EQ(window.seen.back().message, static_cast<UINT>(WM_NCDESTROY));
  for (const Seen& s : window.seen) EXPECT_EQ(s.hwnd, hwnd) << "message " << s.message;
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(button.Handle(), nullptr) << "the control let go of its child before the child went";
}

class TestDialog : public Dialog {
 public:
  RecordingControl ok;
  bool Open() { return CreateModeless(GetModuleHandleW(nullptr), L"TFRMMSG", nullptr); }

 protected:
  INT_PTR HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_INITDIALOG) ok.Attach(GetDlgItem(hwnd, IDC_MSG_OK));
    return Dialog::HandleMessage(hwnd, message, wParam, lParam);
  }
};

TEST(DialogBase, AReflectedNotificationsResultIsTheDialogsAnswer) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Open());
  ASSERT_NE(dialog.ok.Handle(), nullptr);
  dialog.ok.answer = 7;
  NMHDR header = {dialog.ok.Handle(), IDC_MSG_OK, NM_CLICK};
  EXPECT_EQ(SendMessageW(dialog.Handle(), WM_NOTIFY, IDC_MSG_OK, reinterpret_cast<LPARAM>(&header)), 7);
  EXPECT_EQ(dialog.ok.reflected, std::vector<UINT>{WM_NOTIFY});
}

TEST(WindowBase, AnExceptionInAHandlerIsReportedInTheProgramsCodePage) {
  TestWindow window;
  ASSERT_TRUE(window.Create());
  window.throwText = cp932::FromUtf8(u8"ﾒﾃﾞｨｱﾌｧｲﾙの演奏に失敗しました");
  std::wstring reported, caption;
  testing::ModalTicker ticker([&] {
    for (HWND box : testing::ShownDialogs()) {
      reported = testing::ItemText(box, 0xFFFF);  // the message box's text
      wchar_t title[64] = {};
      GetWindowTextW(box, title, 64);
      caption = title;
      testing::ClickButton(box, IDOK);
      return true;
    }
    return false;
  });
  SendMessageW(window.Handle(), kThrow, 0, 0);
  EXPECT_FALSE(ticker.TimedOut());
  EXPECT_EQ(reported, L"ﾒﾃﾞｨｱﾌｧｲﾙの演奏に失敗しました");
  EXPECT_EQ(caption, L"MEDIA-PLAYER - KORU");
  EXPECT_TRUE(IsWindow(window.Handle())) << "the program goes on";
}

TEST(ProgramWindows, AnyWindowOfThisProcessCountsAndNoOtherDoes) {
  TestWindow main, other;
  ASSERT_TRUE(main.Create());
  ASSERT_TRUE(other.Create());
  EXPECT_TRUE(IsProgramWindow(main.Handle()));
  EXPECT_TRUE(IsProgramWindow(other.Handle()));
  EXPECT_FALSE(IsProgramWindow(GetDesktopWindow())) << "the desktop is another process's";
  EXPECT_FALSE(IsProgramWindow(nullptr));
}

}  // namespace
}  // namespace koru
