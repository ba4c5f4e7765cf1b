// The main window reached from outside its own controls: the list commands
// of the menus and shortcut keys, the tray icon
// across shell restarts and minimising, the mouse on the counter and the
// title line, the title menu, and the end of the Windows session.
#include <windowsx.h>

#include <utility>

#include "platform/wide_text_win32.h"
#include "playback/menu_captions.h"
#include "ui/commands.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"

namespace koru {
namespace {

POINT ScreenPoint(HWND from, LPARAM screenPoint) {
  POINT at = {GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the control's corner
    RECT bounds;
    GetWindowRect(from, &bounds);
    at = {bounds.left, bounds.top};
  }
  return at;
}

bool IsWithin(HWND window, HWND container) { return window == container || IsChild(container, window); }

BOOL CALLBACK MatchId(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<std::pair<int, HWND>*>(search);
  if (GetDlgCtrlID(window) != wanted->first) return TRUE;
  wanted->second = window;
  return FALSE;
}

HWND FindDescendant(HWND parent, int id) {
  std::pair<int, HWND> search{id, nullptr};
  EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

}  // namespace

bool TfrmMain::HandleOutsideMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    tray_.AddAgain();
    return true;
  }
  switch (message) {
    case WM_CREATE:
      taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
      return false;  // FormCreate follows
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        FormMinimize(hwnd);
      } else if (minimised_) {
        FormRestore();
      }
      return false;  // the layout follows
    case WM_CONTEXTMENU:
      return ControlBarContextMenu(reinterpret_cast<HWND>(wParam), lParam);
    case WM_INITMENUPOPUP:
      return pumMain_.FillGroup(reinterpret_cast<HMENU>(wParam));
    case WM_ENDSESSION:
      if (wParam) FormEndSession(hwnd);
      return true;
    default:
      return false;
  }
}

bool TfrmMain::RunListCommand(int command) {
  if (!context_.listCommands) return false;
  ListCommands& commands = *context_.listCommands;
  if (command >= IDM_FILE_LAST0 && command <= IDM_FILE_LAST9) {
    commands.mnuFileLastClick(command - IDM_FILE_LAST0);
    return true;
  }
  if (command >= IDM_SELECT_RATE0 && command <= IDM_SELECT_RATE3) {
    commands.mnuSelectRateClick(command - IDM_SELECT_RATE0);
    return true;
  }
  if (command >= IDM_SORT_TITLE_ASC && command <= IDM_SORT_LEVEL_DESC) {
    commands.mnuSortClick(command - IDM_SORT_TITLE_ASC);
    return true;
  }
  switch (command) {
    case IDM_FILE_OPEN: commands.FileOpenClick(); return true;
    case IDM_FILE_NEW: commands.mnuFileNewClick(); return true;
    case IDM_FILE_UPDATE: commands.mnuFileUpdateClick(); return true;
    case IDM_FILE_SAVE: commands.mnuFileSaveClick(); return true;
    case IDM_FILE_MEDIA: commands.mnuFileMediaClick(); return true;
    case IDM_FILE_SEARCH: commands.mnuFileSearchClick(); return true;
    case IDM_FILE_DELETE: commands.mnuFileDeleteClick(); return true;
    case IDM_FILE_CLEAR: commands.mnuClearClick(); return true;
    case IDM_SELECT_DELETE: commands.mnuDeleteClick(); return true;
    case IDM_SELECT_PREV: commands.mnuPrevClick(); return true;
    case IDM_SELECT_NEXT: commands.mnuNextClick(); return true;
    case IDM_SELECT_RATE_UP: commands.mnuFileSelectRateUpDlClick(+1); return true;
    case IDM_SELECT_RATE_DOWN: commands.mnuFileSelectRateUpDlClick(-1); return true;
    case IDM_SELECT_FOLDER: commands.mnuFolderClick(); return true;
    case IDM_HELP_README: commands.mnuReadmeClick(); return true;
    case IDM_HELP_WWW: commands.mnuWWWClick(); return true;
    default: return false;
  }
}

// [OPT] tray = 1 takes the task-bar button away while minimised, but only
// while the tray icon is there to bring the window back.
void TfrmMain::FormMinimize(HWND hwnd) {
  minimised_ = true;
  EnableMenuItem(pumTray_.Get(), IDM_TRAY_RESTORE, MF_BYCOMMAND | MF_ENABLED);
  if (context_.settings.opt.tray == 1 && tray_.StillShown()) ShowWindow(hwnd, SW_HIDE);
}

void TfrmMain::FormRestore() {
  minimised_ = false;
  if (context_.settings.opt.tray == 1) EnableMenuItem(pumTray_.Get(), IDM_TRAY_RESTORE, MF_BYCOMMAND | MF_GRAYED);
}

// The session ends when this message returns, without WM_DESTROY: the
// closing sequence runs now.
void TfrmMain::FormEndSession(HWND hwnd) {
  DestroyWindow(hwnd);
  if (context_.sessionEnding) context_.sessionEnding();
}

// The request comes from the label itself or, passed on by the default
// handling, from a window holding it: the point tells which label it is.
bool TfrmMain::ControlBarContextMenu(HWND from, LPARAM screenPoint) {
  if (!from || !IsWithin(from, controlBar_.Handle())) return false;
  const POINT at = ScreenPoint(from, screenPoint);
  const auto over = [&](int id) {
    if (GetDlgCtrlID(from) == id) return true;
    HWND label = FindDescendant(controlBar_.Handle(), id);
    RECT bounds;
    return label && IsWindowVisible(label) && GetWindowRect(label, &bounds) && PtInRect(&bounds, at);
  };
  if (over(IDC_LBL_SCREEN0)) {
    Screen0MouseDown(at);
    return true;
  }
  if (over(IDC_LBL_TITLE)) {
    TitleMouseDown(at);
    return true;
  }
  return false;
}

void TfrmMain::Screen0MouseDown(POINT at) {
  switch (context_.settings.mouse.trackr) {
    case 1:
      // The list menu's commands then act on the current row.
      RevealCurrentRow();
      TrackPopupMenu(GetSubMenu(pumList_.Get(), 0), TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
      break;
    case 2:
      TrackPopupMenu(GetSubMenu(pumScreen_.Get(), 0), TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
      break;
    default:
      break;
  }
}

void TfrmMain::TitleMouseDown(POINT at) {
  switch (context_.settings.mouse.titler) {
    case 1:
      RebuildTitleMenuAndOpen(at);
      break;
    case 2:
      TrackPopupMenu(GetSubMenu(pumScreen_.Get(), 0), TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
      break;
    default:
      break;
  }
}

void TfrmMain::RebuildTitleMenuAndOpen(POINT at) {
  PlaybackDisplays& displays = context_.player.Displays();
  const TitlePanel panel = displays.CurrentTitlePanel();
  const TitleMenu::Choice choice =
      pumMain_.Open(Handle(), at, context_.list, context_.settings.opt.blank == 1,
                    {.position = panel == TitlePanel::Slider, .volume = panel == TitlePanel::Volume});
  switch (choice.kind) {
    case TitleMenu::Choice::Kind::Entry: context_.player.Selection().TitleMenuChoice(choice.index); break;
    case TitleMenu::Choice::Kind::Position: displays.mnuPositionClick(); break;
    case TitleMenu::Choice::Kind::Volume: displays.mnuVolumeClick(); break;
    case TitleMenu::Choice::Kind::None: break;
  }
}

// mnuFileLast0 .. 9 show the recent paths that are stored, each captioned
// with its digit; the others are taken out, and mnuFileLast itself while none
// is stored.
void TfrmMain::RebuildRecentMenu() {
  if (!Handle()) return;
  HMENU fileMenu = GetSubMenu(GetMenu(Handle()), 0);
  mnuFileLast_.Show(true);
  HMENU recent = GetSubMenu(fileMenu, 1);
  if (!recent) return;
  while (GetMenuItemCount(recent) > 0) DeleteMenu(recent, 0, MF_BYPOSITION);
  for (std::size_t slot = 0; slot < Settings::kRecentFileCount; ++slot) {
    const std::string& path = context_.settings.RecentFile(slot);
    if (path.empty()) continue;
    const std::wstring caption = Widen(RecentMenuCaption(static_cast<int>(slot), path));
    AppendMenuW(recent, MF_STRING, IDM_FILE_LAST0 + slot, caption.c_str());
  }
  if (GetMenuItemCount(recent) == 0) mnuFileLast_.Show(false);
}

}  // namespace koru
