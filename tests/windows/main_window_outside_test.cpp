// The main window from outside its controls, over stand-ins: the recent-paths
// menu as the recent paths stand, and minimising with [OPT] tray.
#include <gtest/gtest.h>

#include <string>

#include "platform/wide_text_win32.h"
#include "ui/commands.h"
#include "windows/support/main_window_rig.h"

namespace koru {
namespace {

using testing::MainWindowRig;
using testing::PumpUntil;

std::wstring CaptionAt(HMENU menu, int position) {
  wchar_t text[512] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 512, MF_BYPOSITION);
  return text;
}

HMENU FileMenu(const MainWindowRig& rig) { return GetSubMenu(GetMenu(rig.frmMain.Handle()), 0); }

TEST(MainWindowOutsideTest, TheRecentMenuShowsTheStoredPathsWithTheirDigitsAndIsLeftOutWithoutThem) {
  MainWindowRig rig;
  ASSERT_TRUE(rig.Open());
  EXPECT_NE(CaptionAt(FileMenu(rig), 1), L"\u958B\u304D\u76F4\u3059(&R)") << "no recent path: no 開き直す";

  rig.settings.AddRecentFile("C:\\a.mpl");
  rig.settings.AddRecentFile("C:\\R&B\\b.mpl");
  rig.settings.AddRecentFile("C:\\c.mpl");
  ASSERT_EQ(CaptionAt(FileMenu(rig), 1), L"\u958B\u304D\u76F4\u3059(&R)");
  HMENU recent = GetSubMenu(FileMenu(rig), 1);
  ASSERT_EQ(GetMenuItemCount(recent), 3);
  EXPECT_EQ(CaptionAt(recent, 0), L"&0 C:\\c.mpl");
  EXPECT_EQ(CaptionAt(recent, 1), L"&1 C:\\R&&B\\b.mpl");
  EXPECT_EQ(CaptionAt(recent, 2), L"&2 C:\\a.mpl");
  EXPECT_EQ(GetMenuItemID(recent, 2), static_cast<UINT>(IDM_FILE_LAST0 + 2));
}

TEST(MainWindowOutsideTest, MinimisedWithTrayOnTheWindowLeavesTheTaskBarAndTheTrayRestoresIt) {
  for (const int tray : {0, 1}) {
    MainWindowRig rig;
    rig.settings.opt.tray = tray;
    ASSERT_TRUE(rig.Open());
    HWND window = rig.frmMain.Handle();
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(window) != FALSE; }));
    EXPECT_EQ(IsWindowVisible(window) != FALSE, tray == 0) << "tray=" << tray;
    PostMessageW(window, WM_COMMAND, IDM_TRAY_RESTORE, 0);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) && !IsIconic(window); })) << "tray=" << tray;
  }
}

}  // namespace
}  // namespace koru
