// The tray icon across a restart of the shell: lost behind the player's back,
// it is no longer taken as shown, and it comes back when asked.
#include "ui/tray_icon.h"

#include <gtest/gtest.h>

namespace koru {
namespace {

class TrayIconTest : public ::testing::Test {
 protected:
  TrayIconTest() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TrayIconTestOwner";
    RegisterClassW(&windowClass);
    owner_ = CreateWindowW(L"TrayIconTestOwner", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  ~TrayIconTest() override { DestroyWindow(owner_); }

  // What the shell knows of the icon, asked from outside the TrayIcon.
  bool ShellHasIcon() {
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = owner_;
    data.uID = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  }
  void DeleteBehindItsBack() {
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = owner_;
    data.uID = 0;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
  }

  HWND owner_ = nullptr;
};

TEST_F(TrayIconTest, AnIconTheShellLostIsNotShownAndComesBackWhenAddedAgain) {
  ASSERT_NE(owner_, nullptr);
  TrayIcon tray;
  tray.Add(owner_, WM_APP + 7, LoadIconW(nullptr, IDI_APPLICATION));
  ASSERT_TRUE(tray.Present()) << "the harness has a notification area";
  EXPECT_TRUE(tray.StillShown());

  DeleteBehindItsBack();
  EXPECT_FALSE(ShellHasIcon());
  EXPECT_FALSE(tray.StillShown());
  EXPECT_FALSE(tray.Present());
  tray.SetTip(L"a tip kept while the icon is away");

  tray.AddAgain();
  EXPECT_TRUE(tray.Present());
  EXPECT_TRUE(ShellHasIcon());

  tray.Remove();
  EXPECT_FALSE(ShellHasIcon());
  tray.AddAgain();  // a removed icon stays away
  EXPECT_FALSE(ShellHasIcon());
}

}  // namespace
}  // namespace koru
