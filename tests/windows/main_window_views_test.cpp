// The main window's view area over stand-ins: the saved view comes back at
// the first activation, the view commands switch and size the window, the
// information under the list takes the data view's place, title edit mode
// stores the edited title, the window size comes back to the design size,
// the document beside the current entry shows, and the window leaves its
// view, bounds and column widths in the settings.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "support/jpeg_encoder.h"
#include "ui/commands.h"
#include "ui/dpi.h"
#include "ui/main_window_ids.h"
#include "ui/message_dialog_ids.h"
#include "windows/support/main_window_rig.h"
#include "windows/support/modal_ticker.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::ClickButton;
using testing::MainWindowRig;
using testing::ModalTicker;
using testing::PumpUntil;
using testing::ShownDialogs;

SIZE ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

int Px(int designPixels) { return Scaled(designPixels, ScreenDpi()); }

void Command(MainWindowRig& rig, int command) { SendMessageW(rig.frmMain.Handle(), WM_COMMAND, command, 0); }

bool Shown(MainWindowRig& rig, int id) { return IsWindowVisible(GetDlgItem(rig.frmMain.Handle(), id)) != FALSE; }

HWND TitleBox(MainWindowRig& rig) { return FindWindowExW(GetDlgItem(rig.frmMain.Handle(), IDC_PNL_DATA), nullptr, L"Edit", nullptr); }

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring MenuText(HMENU menu, int command) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, static_cast<UINT>(command), text, 256, MF_BYCOMMAND);
  return text;
}

bool MenuGrey(HMENU menu, int command) {
  return (GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED) != 0;
}

TEST(MainWindowViews, TheFirstActivationShowsTheSavedView) {
  struct Case {
    int extend;
    ViewMode mode;
    int shownView;  // 0: none
    int clientHeight;
  };
  for (const Case& c : {Case{0, ViewMode::None, 0, 64}, Case{1, ViewMode::List, IDC_LSV_LIST, 256},
                        Case{2, ViewMode::Document, IDC_MMO_DOC, 256}, Case{3, ViewMode::Data, IDC_PNL_DATA, 256},
                        Case{7, ViewMode::None, 0, 64}}) {
    SCOPED_TRACE(c.extend);
    MainWindowRig rig;
    rig.settings.form.extend = c.extend;
    ASSERT_TRUE(rig.Open());
    EXPECT_EQ(rig.frmMain.CurrentViewMode(), c.mode);
    EXPECT_EQ(ClientSize(rig.frmMain.Handle()).cy, Px(c.clientHeight));
    for (int view : {IDC_LSV_LIST, IDC_MMO_DOC, IDC_PNL_DATA}) EXPECT_EQ(Shown(rig, view), view == c.shownView) << view;

    // Later activations (after a dialog, say) leave the view as it is.
    Command(rig, IDM_WINDOW_DOC);
    SendMessageW(rig.frmMain.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_EQ(rig.frmMain.CurrentViewMode(), c.mode == ViewMode::Document ? ViewMode::None : ViewMode::Document);
  }
}

TEST(MainWindowViews, ViewCommandsToggleAndTheSizingRulesHold) {
  MainWindowRig rig;
  ASSERT_TRUE(rig.Open());
  HWND window = rig.frmMain.Handle();
  HMENU menu = GetMenu(window);
  Command(rig, IDM_WINDOW_LIST);
  EXPECT_EQ(rig.frmMain.CurrentViewMode(), ViewMode::List);
  EXPECT_EQ(ClientSize(window).cy, Px(256));
  EXPECT_TRUE(Shown(rig, IDC_LSV_LIST));
  EXPECT_EQ(GetMenuState(menu, IDM_WINDOW_LIST, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
  EXPECT_FALSE(MenuGrey(menu, IDM_FILE_WIDTH));

  Command(rig, IDM_WINDOW_LIST);  // the same view again: none
  EXPECT_EQ(rig.frmMain.CurrentViewMode(), ViewMode::None);
  EXPECT_EQ(ClientSize(window).cy, Px(64));
  EXPECT_TRUE(MenuGrey(menu, IDM_FILE_WIDTH));
  RECT bounds;
  GetWindowRect(window, &bounds);
  SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top + 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ClientSize(window).cy, Px(64)) << "without a view the window holds the control bar alone";

  Command(rig, IDM_WINDOW_DOC);
  EXPECT_EQ(ClientSize(window).cy, Px(256)) << "the height with a view comes back";
  SetWindowPos(window, nullptr, 0, 0, 60, 40, SWP_NOMOVE | SWP_NOZORDER);
  // No narrower than the counter's group, no lower than the bar.
  EXPECT_EQ(ClientSize(window).cx, Px(4 + 140 + 5));
  EXPECT_EQ(ClientSize(window).cy, Px(64));
}

TEST(MainWindowViews, TheInformationUnderTheListTakesTheDataViewsPlace) {
  MainWindowRig rig;
  rig.settings.image.list = 1;
  rig.settings.form.extend = 3;
  ASSERT_TRUE(rig.Open());
  EXPECT_EQ(rig.frmMain.CurrentViewMode(), ViewMode::List);
  EXPECT_TRUE(Shown(rig, IDC_LSV_LIST));
  EXPECT_TRUE(Shown(rig, IDC_PNL_DATA));
  EXPECT_TRUE(MenuGrey(GetMenu(rig.frmMain.Handle()), IDM_WINDOW_DATA));
  Command(rig, IDM_WINDOW_DATA);
  EXPECT_EQ(rig.frmMain.CurrentViewMode(), ViewMode::List);
  RECT list, data;
  GetWindowRect(GetDlgItem(rig.frmMain.Handle(), IDC_LSV_LIST), &list);
  GetWindowRect(GetDlgItem(rig.frmMain.Handle(), IDC_PNL_DATA), &data);
  EXPECT_EQ(data.top, list.bottom) << "the panel in the lower half";
}

TEST(MainWindowViews, TitleEditModeStoresTheBoxsTextAndExitKeepsTheListSettingOfBefore) {
  MainWindowRig rig;
  rig.list.AddEntry("C:\\Music\\a.wav", "");
  rig.list.AddEntry("C:\\Music\\b.wav", "");
  rig.list.Entry(0).title = "Song";
  rig.list.SetCurrentIndex(0);
  rig.settings.form.extend = 1;
  ASSERT_TRUE(rig.Open());
  HMENU menu = GetMenu(rig.frmMain.Handle());
  ASSERT_EQ(MenuText(menu, IDM_SELECT_DELETE), L"ﾘｽﾄから削除(&D)\tDel");

  Command(rig, IDM_CONFIG_TITLE);
  EXPECT_TRUE(rig.frmMain.TitleEditModeOn());
  EXPECT_EQ(rig.settings.image.list, 1);
  EXPECT_TRUE(Shown(rig, IDC_PNL_DATA));
  HWND box = TitleBox(rig);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(GetFocus(), box);
  EXPECT_EQ(WindowText(box), L"Song");
  // While the box has the focus, its keys are its own.
  EXPECT_EQ(MenuText(menu, IDM_SELECT_DELETE), L"ﾘｽﾄから削除(&D)");

  SetWindowTextW(box, L"Tune\tX");
  Command(rig, IDM_SELECT_PLAY);  // Enter
  EXPECT_EQ(rig.list.Entry(0).title, "Tune X") << "a control character becomes a space";
  EXPECT_EQ(rig.list.Entry(0).savedTitle, "Song");
  EXPECT_EQ(rig.player.State(), PlayState::Closed) << "Enter in the box does not play";

  SetFocus(GetDlgItem(rig.frmMain.Handle(), IDC_LSV_LIST));
  EXPECT_EQ(MenuText(menu, IDM_SELECT_DELETE), L"ﾘｽﾄから削除(&D)\tDel");
  rig.frmMain.Destroy();
  EXPECT_EQ(rig.settings.image.list, 0) << "[IMAGE] list as it was before the mode";
  EXPECT_EQ(rig.settings.form.extend, 1);
}

TEST(MainWindowViews, TheWindowSizeComesBackToTheDesignSizeOnYes) {
  MainWindowRig rig;
  rig.settings.form.extend = 1;
  ASSERT_TRUE(rig.Open());
  HWND window = rig.frmMain.Handle();
  SetWindowPos(window, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_NE(ClientSize(window).cx, Px(400));
  std::wstring question;
  ModalTicker ticker([&] {
    const auto dialogs = ShownDialogs();
    if (dialogs.empty()) return false;
    question = testing::ItemText(dialogs.front(), IDC_MSG_LABEL);
    ClickButton(dialogs.front(), IDC_MSG_YES);
    return true;
  });
  Command(rig, IDM_WINDOW_SIZE);
  EXPECT_FALSE(ticker.TimedOut());
  EXPECT_NE(question.find(L"ｳｨﾝﾄﾞｳｻｲｽﾞを初期ｻｲｽﾞに戻します。"), std::wstring::npos);
  EXPECT_EQ(ClientSize(window).cx, Px(400));
  EXPECT_EQ(ClientSize(window).cy, Px(256));
}

TEST(MainWindowViews, BoundsSavedOnAMonitorThatIsGoneComeOntoTheNearest) {
  MainWindowRig rig;
  rig.settings.form = {.left = -30000, .top = -30000, .width = 500, .height = 300};
  ASSERT_TRUE(rig.Open());
  EXPECT_NE(MonitorFromWindow(rig.frmMain.Handle(), MONITOR_DEFAULTTONULL), nullptr);
  RECT bounds;
  GetWindowRect(rig.frmMain.Handle(), &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 500);
}

TEST(MainWindowViews, TheDocumentBesideTheCurrentEntryShows) {
  struct Case {
    const char* entry;
    const char* document;
  };
  for (const Case& c : {Case{"C:\\Music\\a.wav", "C:\\Music\\a.txt"},
                        // A relative entry lies below the list's folder, as playback finds it.
                        Case{"sub\\b.wav", "C:\\Lists\\sub\\b.txt"}}) {
    SCOPED_TRACE(c.entry);
    MainWindowRig rig;
    rig.list.SetListPath("C:\\Lists\\x.mpl");
    rig.list.AddEntry(c.entry, "");
    rig.files.AddFile(c.document, cp932::FromUtf8(u8"一行目\nsecond"));
    rig.settings.form.extend = 2;
    ASSERT_TRUE(rig.Open());
    EXPECT_EQ(WindowText(GetDlgItem(rig.frmMain.Handle(), IDC_MMO_DOC)), L"一行目\r\nsecond");
  }
}

TEST(MainWindowViews, ExitLeavesTheViewTheBoundsAndTheShownColumnsWidths) {
  MainWindowRig rig;
  rig.list.AddEntry("C:\\Music\\a.wav", "");
  ASSERT_TRUE(rig.Open());
  Command(rig, IDM_WINDOW_DATA);
  Command(rig, IDM_WINDOW_LIST);
  RECT window, client;
  GetWindowRect(rig.frmMain.Handle(), &window);
  GetClientRect(rig.frmMain.Handle(), &client);
  rig.frmMain.Destroy();
  const Settings& settings = rig.settings;
  EXPECT_EQ(settings.form.extend, 1);
  EXPECT_EQ(settings.form.left, window.left);
  EXPECT_EQ(settings.form.height, window.bottom - window.top);
  for (int column : {list_column::kTrack, list_column::kTitle, list_column::kTime}) {
    EXPECT_GT(settings.list.width[column], 0) << column;
  }
  EXPECT_EQ(settings.list.width[list_column::kParentFolder], -1) << "a hidden column keeps its key";
}

TEST(MainWindowViews, AWindowNeverActivatedKeepsTheViewAndTitlePanelItWasToShow) {
  MainWindowRig rig;
  rig.settings.form.extend = 2;
  rig.settings.form.title = 1;
  ASSERT_TRUE(rig.frmMain.Create(GetModuleHandleW(nullptr)));  // never shown
  rig.frmMain.Destroy();
  EXPECT_EQ(rig.settings.form.extend, 2);
  EXPECT_EQ(rig.settings.form.title, 1);
}

TEST(MainWindowViews, TheWindowFitsThePictureAndAPictureThatCannotBeReadStaysHidden) {
  testing::ScratchFolder folder;
  const testing::Bytes jpeg = testing::EncodeJpeg({.width = 300, .height = 100, .sample = [](int, int, int) {
                                                     return std::uint8_t{255};
                                                   }});
  folder.WriteFile(L"a.jpg", std::string(jpeg.begin(), jpeg.end()));
  folder.WriteFile(L"bad.jpg", "not a picture");
  struct Case {
    const wchar_t* file;
    bool shown;
  };
  for (const Case& c : {Case{L"a.jpg", true}, Case{L"bad.jpg", false}}) {
    SCOPED_TRACE(c.shown);
    MainWindowRig rig;
    rig.settings.form.extend = 3;
    rig.settings.image = {.image = 1, .file = *Narrow(folder / c.file), .panel = 1};
    ASSERT_TRUE(rig.Open());
    Command(rig, IDM_CONFIG_APPLY);
    HWND picture = FindWindowExW(GetDlgItem(rig.frmMain.Handle(), IDC_PNL_DATA), nullptr, L"TimgPanel", nullptr);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(IsWindowVisible(picture) != FALSE, c.shown);
    if (c.shown) {
      // The picture at its natural size, the panel's margins around it.
      EXPECT_EQ(ClientSize(rig.frmMain.Handle()).cx, 300 + Px(12));
      EXPECT_EQ(ClientSize(rig.frmMain.Handle()).cy, 100 + Px(72));
    }
    EXPECT_EQ(rig.settings.image.image, 1) << "[IMAGE] is kept";
  }
}

// A drop as the shell makes it: DROPFILES, then the wide paths, each ending
// in a NUL, and one NUL more.
HGLOBAL DropOf(const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

TEST(MainWindowViews, FilesDroppedOnTheWindowOrItsMovieWindowReachTheOwnerInTheirOrder) {
  MainWindowRig rig;
  ASSERT_TRUE(rig.Open());
  EXPECT_NE(GetWindowLongPtrW(rig.frmMain.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  const std::vector<std::wstring> paths = {L"C:\\Music\\b.mid", L"C:\\Music\\한국.mid", L"D:\\a.mpl"};
  SendMessageW(rig.frmMain.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(paths)), 0);
  ASSERT_EQ(rig.dropped.size(), 1u);
  EXPECT_EQ(rig.dropped[0], paths);

  // The windowed movie window hands its drops to the main window.
  HWND movieWindow = FindWindowW(L"TfrmMovWn", nullptr);
  ASSERT_NE(movieWindow, nullptr);
  EXPECT_EQ(GetWindow(movieWindow, GW_OWNER), rig.frmMain.Handle());
  SendMessageW(movieWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({paths[1]})), 0);
  ASSERT_EQ(rig.dropped.size(), 2u);
  EXPECT_EQ(rig.dropped[1], std::vector<std::wstring>{paths[1]});
}

}  // namespace
}  // namespace koru
