// The version dialog over the archiver library doubles: its texts, one line
// per library with the version each double gives (or its missing line), and
// OK and Esc closing it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archiver_platform_win32.h"
#include "convert/rcpcv_library_win32.h"
#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "ui/version_dialog.h"
#include "ui/version_dialog_ids.h"
#include "windows/support/modal_ticker.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::ClickButton;
using testing::ItemText;
using testing::ModalTicker;
using testing::PressKey;

std::wstring W(std::u8string_view text) { return Widen(cp932::FromUtf8(text)); }

struct Shown {
  std::wstring caption;
  std::vector<std::wstring> labels;
  std::vector<std::wstring> lines;
  RECT client = {};
};

// Opens the dialog, reads it while it shows, and closes it with `close`.
Shown OpenAndRead(const std::wstring& doublesFolder, RcpVersionReader rcp, void (*close)(HWND)) {
  SetDllDirectoryW(testing::DoublesFolder(doublesFolder).c_str());
  Win32ArchiverPlatform platform;
  Shown shown;
  ModalTicker ticker([&] {
    const std::vector<HWND> dialogs = testing::ShownDialogs();
    if (dialogs.empty()) return false;
    HWND dialog = dialogs.front();
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    shown.caption = caption;
    for (int id : {IDC_VER_TITLE, IDC_VER_NAME, IDC_VER_COPY}) shown.labels.push_back(ItemText(dialog, id));
    HWND list = GetDlgItem(dialog, IDC_VER_LIST);
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t line[128] = {};
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
      shown.lines.push_back(line);
    }
    GetClientRect(dialog, &shown.client);
    close(dialog);
    return true;
  });
  TfrmVer dialog(platform, std::move(rcp));
  dialog.ShowModal(GetModuleHandleW(nullptr), nullptr);
  SetDllDirectoryW(nullptr);
  EXPECT_FALSE(ticker.TimedOut());
  return shown;
}

TEST(VersionDialogTest, ShowsEachLibrarysVersionAndClosesWithOk) {
  Win32RcpcvLibrary rcpcv;
  const Shown shown =
      OpenAndRead(L"x86_64", [&] { return rcpcv.GetVersionMajor() * 100LL + rcpcv.GetVersionMinor(); },
                  [](HWND dialog) { ClickButton(dialog, IDOK); });
  EXPECT_EQ(shown.caption, W(u8"ﾊﾞｰｼﾞｮﾝ情報"));
  ASSERT_EQ(shown.labels.size(), 3u);
  EXPECT_EQ(shown.labels[0], L"MEDIA-PLAYER");
  EXPECT_EQ(shown.labels[1], L"KORU Version 2.32");
  EXPECT_FALSE(shown.labels[2].empty());
  // The doubles' versions: 268, 612, 16, 115 and 1.23.
  EXPECT_EQ(shown.lines, (std::vector<std::wstring>{W(u8"UNLHA32.DLL バージョン 2.68"), W(u8"UNZIP32.DLL バージョン 6.12"),
                                                    W(u8"UNRAR32.DLL バージョン 0.16"), W(u8"UNGCA32.DLL バージョン 1.15"),
                                                    W(u8"RCPCV.DLL バージョン 1.23")}));
  // 226 x 163 design pixels, as the template's dialog units give them.
  EXPECT_NEAR(shown.client.right, 226, 3);
  EXPECT_NEAR(shown.client.bottom, 163, 3);
}

TEST(VersionDialogTest, ALibraryWithoutItsVersionEntryShowsNoughtAndTheOthersAreMissing) {
  Win32RcpcvLibrary rcpcv;  // none in that folder
  const Shown shown =
      OpenAndRead(L"x86_64\\main-only", [&] { return rcpcv.GetVersionMajor() * 100LL + rcpcv.GetVersionMinor(); },
                  [](HWND) { PressKey(VK_ESCAPE); });
  EXPECT_EQ(shown.lines, (std::vector<std::wstring>{W(u8"UNLHA32.DLL バージョン 0.00"), W(u8"UNZIP32.DLL は確認できません"),
                                                    W(u8"UNRAR32.DLL は確認できません"), W(u8"UNGCA32.DLL は確認できません"),
                                                    W(u8"RCPCV.DLL は確認できません")}));
}

}  // namespace
}  // namespace koru
