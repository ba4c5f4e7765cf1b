#include "ui/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <initializer_list>
#include <utility>

#include "desktop/sstp_scripts.h"
#include "desktop/winsock_sstp_transport_win32.h"
#include "platform/program_folder_win32.h"
#include "platform/program_title.h"
#include "platform/wide_text_win32.h"
#include "ui/bring_to_front.h"
#include "ui/dpi.h"
#include "ui/dropped_files.h"
#include "ui/layout/main_window_layout.h"
#include "ui/main_window_ids.h"

namespace koru {
namespace {

// Posted at the first activation: the first start's question waits until
// the activation is through, so it does not open in the middle of the focus
// change.
constexpr UINT kFirstActivationMessage = WM_APP + 1;
// Posted when a hidden column was touched: it closes again once the header
// has finished with it.
constexpr UINT kZeroHiddenColumnsMessage = WM_APP + 2;

// The File menu and its items that are submenus, by position.
constexpr int kFileMenu = 0;
constexpr int kConfigMenu = 3;
constexpr UINT kFileLastPosition = 1;  // mnuFileLast

bool IsWithin(HWND window, HWND container) { return window == container || IsChild(container, window); }

}  // namespace

TfrmMain::TfrmMain(Context context)
    : context_(std::move(context)),
      lsvList_(context_.list, context_.settings),
      frmMovWn_(MovieContext(), frmMovFl_),
      frmMovFl_(MovieContext(), frmMovWn_) {}

MovieWindowContext TfrmMain::MovieContext() {
  return {context_.device, [this] { return context_.player.Controller().MovieRect(); },
          [this](int code, int position) { context_.player.Displays().scbTitleScroll(code, position); }};
}

// Destroyed here, while FormDestroy can still run on this object.
TfrmMain::~TfrmMain() { Destroy(); }

int TfrmMain::Px(int designPixels) const { return Scaled(designPixels, dpi_); }

bool TfrmMain::Create(HINSTANCE instance) {
  instance_ = instance;
  dpi_ = ScreenDpi();
  pumTray_.Reset(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAY_MENU)));
  pumScreen_.Reset(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_SCREEN_MENU)));
  pumList_.Reset(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_LIST_MENU)));
  pumData_.Reset(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_DATA_MENU)));
  listShortcuts_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAIN_ACCELERATORS));
  titleShortcuts_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_TITLE_EDIT_ACCELERATORS));
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  // The window owns its menu bar and destroys it.
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
  RECT bounds = {0, 0, Px(main_window::kDesignClientWidth), Px(main_window::kDesignClientHeight)};
  AdjustWindowRectEx(&bounds, style, menu != nullptr, 0);
  const std::wstring caption = Widen(kProgramTitle);
  return Window::Create({.className = kClassName,
                         .caption = caption.c_str(),
                         .style = style,
                         .width = bounds.right - bounds.left,
                         .height = bounds.bottom - bounds.top,
                         .menu = menu,
                         .icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KORU))});
}

void TfrmMain::Show(int showCommand) {
  ShowWindow(Handle(), showCommand);
  UpdateWindow(Handle());
}

LRESULT TfrmMain::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (iconNotify_ != 0 && message == iconNotify_) {
    IconNotify(hwnd, lParam);
    return 0;
  }
  if (LRESULT result = 0; HandleOutsideMessage(hwnd, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      FormCreate(hwnd);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        // The control that had the focus gets it back at the next activation.
        HWND focus = GetFocus();
        focusBeforeDeactivation_ = focus && IsChild(hwnd, focus) ? focus : nullptr;
      } else {
        FormActivate();
        if (!HIWORD(wParam)) RestoreFocus(hwnd);
      }
      return 0;
    case kFirstActivationMessage:
      firstStart_.FormActivate(context_.settings, context_.dialogs, context_.associator, ProgramPath());
      return 0;
    case kZeroHiddenColumnsMessage:
      lsvList_.ZeroHiddenColumns();
      return 0;
    case WM_WINDOWPOSCHANGING:
      FormCanResize(*reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kPlayTimerId) timPlayTimer();
      return 0;
    case WM_COMMAND:
      RunCommand(hwnd, LOWORD(wParam));
      return 0;
    case WM_CONTEXTMENU: {
      const auto from = reinterpret_cast<HWND>(wParam);
      if (IsWithin(from, lsvList_.Handle())) {
        ShowPopup(GetSubMenu(pumList_.Get(), 0), lParam, from);
      } else if (IsWithin(from, pnlData_.Handle())) {
        // The title box shows its own menu and never asks here.
        ShowPopup(GetSubMenu(pumData_.Get(), 0), lParam, from);
      }
      return 0;
    }
    case WM_DROPFILES:
      FormDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) FormResize(hwnd, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_DESTROY:
      FormDestroy(hwnd);
      return 0;
    default:
      return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
}

void TfrmMain::ShowPopup(HMENU popup, LPARAM screenPoint, HWND from) {
  POINT at = {GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the control's corner
    RECT bounds;
    GetWindowRect(from, &bounds);
    at = {bounds.left, bounds.top};
  }
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

// The player's data is loaded before the window (the application's duty);
// the window takes what it shows from it.
void TfrmMain::FormCreate(HWND hwnd) {
  Settings& settings = context_.settings;
  EnableListShortcuts();
  minClientWidth_ = Px(main_window::kViewListLeft);
  expandedClientHeight_ = Px(main_window::kDesignClientHeight);

  iconNotify_ = RegisterWindowMessageW(L"IconNotify");
  tray_.Add(hwnd, iconNotify_, LoadIconW(instance_, MAKEINTRESOURCEW(IDI_KORU)));
  PlaybackDisplays& displays = context_.player.Displays();
  controlBar_.Create(hwnd, Widen(settings.font.name),
                     {.screen0DblClick = [this] { Screen0DblClick(); },
                      .lblTitleDblClick = [this] { lblTitleDblClick(); },
                      .scbTitleScroll = [&displays](int code, int position) { displays.scbTitleScroll(code, position); },
                      .trbTitleChange = [&displays](int position) { displays.trbTitleChange(position); }});
  CreateViews(hwnd);
  CaptureHideableMenuItems();
  settings.SetRecentMenuRebuilder([this] { RebuildRecentMenu(); });
  RebuildRecentMenu();

  ShowOrder(context_.order);
  pendingViewMode_ = settings.form.extend;
  RestoreWindowBounds();

  ApplySettings();
  displays.RefreshList(true);
  const int current = context_.list.CurrentIndex();
  if (current >= 0 && current < context_.list.Count()) lsvList_.SelectRows({current}, false);

  if (context_.mixer.Open()) {
    if (std::optional<int> percent = context_.mixer.ReadPercent()) displays.ShowVolume(*percent);
  }
  if (context_.dropFiles) DragAcceptFiles(hwnd, TRUE);
  // Before the stop below, so that their items start in its state.
  CreateMovieWindows(hwnd);
  context_.player.Controller().FuncStopClick();
  SstpStartup();  // nothing depends on it: without sockets the notices fail quietly
  if (context_.settings.opt.sstp == 1) {
    context_.sstp.SstpSend(kProgramTitle, sstp_script::StartupGreeting(context_.clock), "");
  }
}

void TfrmMain::FormDropFiles(HDROP drop) {
  std::vector<std::wstring> paths = DroppedPaths(drop);
  DragFinish(drop);
  if (context_.dropFiles) context_.dropFiles(std::move(paths));
}

void TfrmMain::CreateViews(HWND hwnd) {
  lsvList_.Create(hwnd, IDC_LSV_LIST, dpi_,
                  {.selectItem = [this] { lsvListSelectItem(); },
                   .doubleClick = [this] { lsvListDblClick(); },
                   .hiddenColumnTouched = [this] { PostMessageW(Handle(), kZeroHiddenColumnsMessage, 0, 0); }});
  mmoDoc_.Create(hwnd, L"EDIT", L"",
                 ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                 IDC_MMO_DOC, WS_EX_CLIENTEDGE);
  // The document view shows up to a mebibyte: far beyond an edit's default.
  SendMessageW(mmoDoc_.Handle(), EM_SETLIMITTEXT, 0, 0);
  documentFont_ = MakeFont(L"ＭＳ ゴシック", 12, dpi_, SHIFTJIS_CHARSET);
  mmoDoc_.SetFont(documentFont_.Get());
  pnlData_.Create(hwnd, dpi_,
                  {.doubleClick = [this] { mnuImageClick(); },
                   .titleEnter = [this] { edtStat2Enter(); },
                   .titleExit = [this] { edtStat2Exit(); }});
  SetWindowLongPtrW(pnlData_.Handle(), GWLP_ID, IDC_PNL_DATA);
  const Bounds& view = main_window::kViewBounds;
  for (HWND child : {lsvList_.Handle(), mmoDoc_.Handle(), pnlData_.Handle()}) {
    MoveWindow(child, Px(view.left), Px(view.top), Px(view.width), Px(view.height), FALSE);
  }
}

void TfrmMain::CaptureHideableMenuItems() {
  HMENU fileMenu = GetSubMenu(GetMenu(Handle()), kFileMenu);
  mnuFileLast_.Capture(fileMenu, kFileLastPosition);
  HMENU configMenu = GetSubMenu(GetMenu(Handle()), kConfigMenu);
  mnuConfigImage_.Capture(configMenu, static_cast<UINT>(PositionOf(configMenu, IDM_CONFIG_IMAGE)));
  HMENU dataMenu = GetSubMenu(pumData_.Get(), 0);
  mnuDataImage_.Capture(dataMenu, static_cast<UINT>(PositionOf(dataMenu, IDM_CONFIG_IMAGE)));
}

void TfrmMain::FormActivate() {
  if (pendingViewMode_ == -1) return;
  switch (pendingViewMode_) {
    case 1: viewMode_ = ViewMode::List; break;
    case 2: viewMode_ = ViewMode::Document; break;
    case 3: viewMode_ = ViewMode::Data; break;
    default: viewMode_ = ViewMode::None; break;
  }
  if (viewMode_ == ViewMode::Data && context_.settings.image.list == 1) viewMode_ = ViewMode::List;
  PlaybackDisplays& displays = context_.player.Displays();
  switch (context_.settings.form.title) {
    case 1: displays.mnuPositionClick(); break;
    case 2: displays.mnuVolumeClick(); break;
    default: break;
  }
  pendingViewMode_ = -1;
  UpdateViewMode();
  if (!firstActivationDone_) {
    firstActivationDone_ = true;
    PostMessageW(Handle(), kFirstActivationMessage, 0, 0);
  }
}

void TfrmMain::RestoreFocus(HWND hwnd) {
  const HWND focus = GetFocus();
  if (focus && IsChild(hwnd, focus)) return;  // the activation gave it already
  if (focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_) && IsWindowVisible(focusBeforeDeactivation_)) {
    SetFocus(focusBeforeDeactivation_);
  } else if (viewMode_ == ViewMode::List) {
    SetFocus(lsvList_.Handle());
  } else if (viewMode_ == ViewMode::Document) {
    SetFocus(mmoDoc_.Handle());
  } else {
    SetFocus(hwnd);
  }
}

void TfrmMain::FormCanResize(WINDOWPOS& proposed) {
  if (pendingViewMode_ != -1 || (proposed.flags & SWP_NOSIZE) || IsIconic(Handle()) || IsZoomed(Handle())) return;
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int frameWidth = (window.right - window.left) - client.right;
  const int frameHeight = (window.bottom - window.top) - client.bottom;
  const std::optional<main_window::Size> corrected = main_window::CorrectedClientSize(
      {proposed.cx - frameWidth, proposed.cy - frameHeight}, minClientWidth_, viewMode_ != ViewMode::None, dpi_);
  if (!corrected) return;
  proposed.cx = corrected->width + frameWidth;
  proposed.cy = corrected->height + frameHeight;
}

void TfrmMain::FormResize(HWND, int clientWidth, int clientHeight) {
  MoveWindow(controlBar_.Handle(), 0, 0, clientWidth, controlBar_.Height(), TRUE);
  // The message dialog takes [FONT] name at the first resize it is there for.
  if (!messageDialogHasFont_) {
    if (TfrmMsg* frmMsg = context_.dialogs.MessageDialog()) {
      frmMsg->SetFontName(context_.settings.font.name);
      messageDialogHasFont_ = true;
    }
  }
  if (pendingViewMode_ != -1) return;
  // A menu bar that wrapped into more lines took its room from the client
  // area after the sizing rules were applied: the window grows by it.
  if (!IsZoomed(Handle())) {
    const std::optional<main_window::Size> corrected = main_window::CorrectedClientSize(
        {clientWidth, clientHeight}, minClientWidth_, viewMode_ != ViewMode::None, dpi_);
    if (corrected) {
      RECT window;
      GetWindowRect(Handle(), &window);
      SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + corrected->width - clientWidth,
                   window.bottom - window.top + corrected->height - clientHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
  }
  LayoutViews();
  if (!firstLayoutDone_) {
    firstLayoutDone_ = true;
    const int selected = lsvList_.FirstSelectedRow();
    if (selected >= 0) lsvList_.ScrollIntoView(selected);
  }
}

// The list and the settings are stored by the application once the window has
// gone; the window leaves its own state in the settings.
void TfrmMain::FormDestroy(HWND hwnd) {
  Settings& settings = context_.settings;
  KillTimer(hwnd, kPlayTimerId);
  if (context_.player.State() != PlayState::Closed) context_.device.Close();
  if (settings.opt.sstp == 1) context_.sstp.SstpSend(kProgramTitle, sstp_script::ExitNotice(), "");
  context_.mixer.Close();
  // A window never activated keeps the view and title panel it was to show.
  if (pendingViewMode_ == -1) {
    settings.form.title = static_cast<int>(context_.player.Displays().CurrentTitlePanel());
    settings.form.extend = static_cast<int>(viewMode_);
  }
  StoreWindowBounds();
  StoreColumnWidths();
  // Title edit mode is a state of this run: [IMAGE] list as before it.
  settings.image.list = titleEdit_.ListToStore(settings.image);
  settings.SetRecentMenuRebuilder({});
  tray_.Remove();
  PostQuitMessage(0);
}

void TfrmMain::StoreColumnWidths() {
  Settings& settings = context_.settings;
  for (int column = 0; column < list_column::kCount; ++column) {
    if (settings.ColumnShown(column)) settings.SetColumnWidth(column, lsvList_.ColumnWidth(column));
  }
}

void TfrmMain::RestoreWindowBounds() {
  const FormSettings& form = context_.settings.form;
  RECT window;
  GetWindowRect(Handle(), &window);
  Bounds bounds{form.left == -1 ? window.left : form.left, form.top == -1 ? window.top : form.top,
                             form.width == -1 ? window.right - window.left : form.width,
                             form.height == -1 ? window.bottom - window.top : form.height};
  // Bounds saved on a monitor that is gone come onto the nearest one.
  const RECT wanted = {bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
  if (!MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) {
    MONITORINFO monitor = {sizeof monitor};
    if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
      const RECT& work = monitor.rcWork;
      bounds = main_window::MovedOnto(bounds, {work.left, work.top, work.right - work.left, work.bottom - work.top});
    }
  }
  SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
  // The height with a view shown; until the first activation the window
  // keeps the bounds as they were saved.
  expandedClientHeight_ = ClientHeight();
}

void TfrmMain::StoreWindowBounds() {
  if (IsIconic(Handle()) || IsZoomed(Handle())) return;
  FormSettings& form = context_.settings.form;
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  form.left = window.left;
  form.top = window.top;
  form.width = window.right - window.left;
  // The height with a view shown, even while collapsed to the control bar.
  form.height = (window.bottom - window.top) - client.bottom + expandedClientHeight_;
}

void TfrmMain::timPlayTimer() {
  // A question asked inside the tick keeps dispatching WM_TIMER; the tick
  // that is already running must not run again underneath it.
  if (inTimerTick_) return;
  // An archiver library may dispatch messages while it extracts or lists: a
  // tick beneath it must not take a hand-over (which may list another
  // archive) nor move to another track (which empties the temporary folder
  // the library is writing into).
  if (context_.archiver.Working()) return;
  inTimerTick_ = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{inTimerTick_};
  // A height the user gave the window with a view shown is kept.
  if (viewMode_ != ViewMode::None && pendingViewMode_ == -1 && !IsIconic(Handle()) && !IsZoomed(Handle())) {
    expandedClientHeight_ = ClientHeight();
  }
  if (context_.takeHandedOverPath) context_.takeHandedOverPath();
  context_.player.Controller().timPlayTimer();
}

void TfrmMain::RunCommand(HWND hwnd, int command) {
  PlaybackController& controller = context_.player.Controller();
  TrackSelection& selection = context_.player.Selection();
  PlaybackDisplays& displays = context_.player.Displays();
  switch (command) {
    case IDM_FUNC_PLAY: controller.FuncPlayClick(); break;
    case IDM_FUNC_SPOT: controller.FuncSpotClick(); break;
    case IDM_FUNC_STOP: controller.FuncStopClick(); break;
    case IDM_FUNC_PREV: selection.FuncPrevClick(); break;
    case IDM_FUNC_NEXT: selection.FuncNextClick(); break;
    case IDM_FUNC_REPEAT: selection.mnuFuncRepeatClick(); break;
    case IDM_FUNC_RAND_NONE: selection.mnuFuncRandNoneClick(); break;
    case IDM_FUNC_RAND_ONCE: selection.mnuFuncRandOnceClick(); break;
    case IDM_FUNC_RAND_RATE: selection.mnuFuncRandRateClick(); break;
    case IDM_WINDOW_LIST: mnuWindowClick(ViewMode::List); break;
    case IDM_WINDOW_DOC: mnuWindowClick(ViewMode::Document); break;
    case IDM_WINDOW_DATA: mnuWindowClick(ViewMode::Data); break;
    case IDM_WINDOW_POSITION: displays.mnuPositionClick(); break;
    case IDM_WINDOW_VOLUME: displays.mnuVolumeClick(); break;
    case IDM_WINDOW_SIZE: mnuWindowSizeClick(); break;
    case IDM_CONFIG_FORM: mnuFormClick(hwnd); break;
    case IDM_CONFIG_APPLY: mnuApplyClick(); break;
    case IDM_CONFIG_TITLE: mnuTitleClick(); break;
    case IDM_CONFIG_IMAGE: mnuImageClick(); break;
    case IDM_CONFIG_DATA: mnuDataClick(); break;
    case IDM_FILE_WIDTH: AutoSizeColumns(false); break;   // mnuWidthClick
    case IDM_FILE_WIDTH2: AutoSizeColumns(true); break;   // mnuWidth2Click
    case IDM_SELECT_PLAY: mnuSelectPlayClick(); break;
    case IDM_WINDOW_MOVIE: mnuWindowMovieClick(); break;
    case IDM_HELP_ABOUT: mnuAboutClick(hwnd); break;
    case IDM_TRAY_RESTORE: mnuTrayRestoreClick(hwnd); break;
    case IDM_EXIT: PostMessageW(hwnd, WM_CLOSE, 0, 0); break;
    default: RunListCommand(command); break;
  }
}

void TfrmMain::Screen0DblClick() {
  switch (context_.settings.mouse.trackl) {
    case 1: RevealCurrentRow(); break;
    case 2: context_.player.Displays().StepTitlePanel(); break;
    default: break;
  }
}

void TfrmMain::lblTitleDblClick() {
  if (context_.settings.mouse.titlel == 1) {
    RevealCurrentRow();
  } else if (context_.settings.mouse.titlel == 2 && context_.player.State() == PlayState::Playing) {
    context_.player.Controller().FuncSpotClick();
  }
}

void TfrmMain::mnuTrayRestoreClick(HWND hwnd) {
  ShowWindow(hwnd, SW_RESTORE);
  BringToFront(hwnd);
}

void TfrmMain::IconNotify(HWND hwnd, LPARAM event) {
  if (event == WM_LBUTTONDBLCLK) {
    ShowWindow(hwnd, SW_RESTORE);
    BringToFront(hwnd);
  } else if (event == WM_RBUTTONDOWN) {
    POINT cursor;
    GetCursorPos(&cursor);
    BringToFront(hwnd);
    TrackPopupMenu(GetSubMenu(pumTray_.Get(), 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd, nullptr);
  }
}

// --- MainWindowFront ----------------------------------------------------------

void TfrmMain::BringMainWindowToFront() { BringToFront(Handle()); }

// --- PlayerView ---------------------------------------------------------------

void TfrmMain::SetTitleLine(const std::string& text) { controlBar_.SetTitle(Widen(text)); }

void TfrmMain::SetCaption(const std::string& caption, const std::string& trayTip) {
  SetWindowTextW(Handle(), Widen(caption).c_str());
  tray_.SetTip(Widen(trayTip));
}

void TfrmMain::SetCounter(const std::string& text, int fontSize) { controlBar_.SetCounter(Widen(text), fontSize); }

void TfrmMain::SetTransport(const TransportState& state) {
  // mnuFunc* and their mnuTray* twins follow alike.
  const std::initializer_list<HMENU> menus = {GetMenu(Handle()), pumTray_.Get()};
  const std::pair<int, bool> commands[] = {{IDM_FUNC_PLAY, state.play},
                                           {IDM_FUNC_SPOT, state.pause},
                                           {IDM_FUNC_STOP, state.stop},
                                           {IDM_FUNC_PREV, state.prev},
                                           {IDM_FUNC_NEXT, state.next}};
  for (const auto& [command, enabled] : commands) {
    controlBar_.EnableCommand(command, enabled);
    EnableMenuItems(menus, command, enabled);
  }
  controlBar_.SetPausedMark(state.paused);
  CheckMenuItems(menus, IDM_FUNC_SPOT, state.paused);
  if (frmMovWn_.Exists()) frmMovWn_.SetTransport(state);
  if (frmMovFl_.Exists()) frmMovFl_.SetTransport(state);
  EnableMenuItems({GetMenu(Handle())}, IDM_WINDOW_MOVIE, state.pause && (frmMovWn_.Exists() || frmMovFl_.Exists()));
}

void TfrmMain::EnableTimeSliders(bool enabled) {
  controlBar_.EnableSlider(enabled);
  if (frmMovFl_.Exists()) frmMovFl_.EnableSlider(enabled);
}

void TfrmMain::SetTimeSliderRange(const SliderRange& range) {
  controlBar_.SetSliderRange(range);
  if (frmMovFl_.Exists()) frmMovFl_.SetSliderRange(range.maximum, range.smallStep, range.largeStep);
}

void TfrmMain::SetTimeSliderPosition(int position) {
  controlBar_.SetSliderPosition(position);
  if (frmMovFl_.Exists()) frmMovFl_.SetSliderPosition(position);
}

void TfrmMain::ShowTitlePanel(TitlePanel panel) {
  controlBar_.Show(panel);
  // mnuWindowPosition and mnuScreenPosition, mnuWindowVolume and mnuScreenVolume.
  const std::initializer_list<HMENU> menus = {GetMenu(Handle()), pumScreen_.Get()};
  CheckMenuItems(menus, IDM_WINDOW_POSITION, panel == TitlePanel::Slider);
  CheckMenuItems(menus, IDM_WINDOW_VOLUME, panel == TitlePanel::Volume);
}

void TfrmMain::SetVolumeBar(int percent, const std::string& hint) { controlBar_.SetVolume(percent, Widen(hint)); }

void TfrmMain::ShowOrder(const PlayOrder& order) {
  const std::initializer_list<HMENU> menus = {GetMenu(Handle())};
  CheckMenuItems(menus, IDM_FUNC_REPEAT, order.repeat);
  CheckMenuItems(menus, IDM_FUNC_RAND_NONE, order.mode == OrderMode::ListOrder);
  CheckMenuItems(menus, IDM_FUNC_RAND_ONCE, order.mode == OrderMode::UnplayedOnly);
  CheckMenuItems(menus, IDM_FUNC_RAND_RATE, order.mode == OrderMode::ByRate);
  // mnuFuncSub, the submenu itself, is checked whenever the order is random.
  if (HMENU funcMenu = GetSubMenu(GetMenu(Handle()), 1)) {
    const int count = GetMenuItemCount(funcMenu);
    CheckMenuItem(funcMenu, static_cast<UINT>(count - 1),
                  MF_BYPOSITION | (order.mode != OrderMode::ListOrder ? MF_CHECKED : MF_UNCHECKED));
  }
}

bool TfrmMain::ApplicationActive() { return IsProgramWindow(GetForegroundWindow()); }

void TfrmMain::SetHourglass(bool on) {
  if (on) {
    cursorBeforeHourglass_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  } else {
    SetCursor(cursorBeforeHourglass_);
  }
}

}  // namespace koru
