#include "ui/main_window.h"

#include <commctrl.h>

#include <initializer_list>
#include <utility>

#include "desktop/sstp_scripts.h"
#include "desktop/winsock_sstp_transport_win32.h"
#include "platform/program_folder_win32.h"
#include "platform/program_title.h"
#include "platform/wide_text_win32.h"
#include "playback/list_settings.h"
#include "ui/bring_to_front.h"
#include "ui/dpi.h"
#include "ui/main_window_ids.h"

namespace koru {
namespace {

// A command's item in each of `menus` (found in their submenus too). Twins
// that the windows enable or check differently are named menu by menu.
void CheckMenuItems(std::initializer_list<HMENU> menus, int command, bool checked) {
  for (HMENU menu : menus) {
    if (menu) CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void EnableMenuItems(std::initializer_list<HMENU> menus, int command, bool enabled) {
  for (HMENU menu : menus) {
    if (menu) EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

COLORREF PanelTextColour(int colour) {
  switch (colour) {
    case 1: return RGB(0xFF, 0xA0, 0x20);
    case 2: return RGB(0x60, 0xE0, 0xFF);
    default: return RGB(0x00, 0xFF, 0x00);
  }
}

}  // namespace

TfrmMain::TfrmMain(Context context) : context_(std::move(context)) {}

// Destroyed here, while FormDestroy can still run on this object.
TfrmMain::~TfrmMain() { Destroy(); }

int TfrmMain::Px(int designPixels) const { return Scaled(designPixels, dpi_); }

bool TfrmMain::Create(HINSTANCE instance) {
  instance_ = instance;
  dpi_ = ScreenDpi();
  expandedClientHeight_ = Px(kDesignClientHeight);
  pumTray_.Reset(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAY_MENU)));
  pumScreen_.Reset(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_SCREEN_MENU)));
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  // The window owns its menu bar and destroys it.
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
  RECT bounds = {0, 0, Px(kDesignClientWidth), Px(ControlBar::kDesignHeight)};
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
  switch (message) {
    case WM_CREATE:
      FormCreate(hwnd);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(hwnd, kFormActivateMessage, 0, 0);
      return Window::HandleMessage(hwnd, message, wParam, lParam);
    case kFormActivateMessage:
      FormActivate(hwnd);
      return 0;
    case WM_TIMER:
      if (wParam == kPlayTimerId) timPlayTimer();
      return 0;
    case WM_COMMAND:
      RunCommand(hwnd, LOWORD(wParam));
      return 0;
    case WM_SIZE:
      FormResize(hwnd, LOWORD(lParam));
      return 0;
    case WM_DESTROY:
      FormDestroy(hwnd);
      return 0;
    default:
      return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
}

void TfrmMain::FormCreate(HWND hwnd) {
  iconNotify_ = RegisterWindowMessageW(L"IconNotify");
  tray_.Add(hwnd, iconNotify_, LoadIconW(instance_, MAKEINTRESOURCEW(IDI_KORU)));
  PlaybackDisplays& displays = context_.player.Displays();
  controlBar_.Create(hwnd, Widen(context_.settings.font.name),
                     {.screen0DblClick = [this] { Screen0DblClick(); },
                      .lblTitleDblClick = [this] { lblTitleDblClick(); },
                      .scbTitleScroll = [&displays](int code, int position) { displays.scbTitleScroll(code, position); },
                      .trbTitleChange = [&displays](int position) { displays.trbTitleChange(position); }});

  ShowOrder(context_.order);
  RestoreWindowBounds();
  ApplySettings();
  displays.RefreshList(true);

  if (context_.mixer.Open()) {
    if (std::optional<int> percent = context_.mixer.ReadPercent()) displays.ShowVolume(*percent);
  }
  context_.player.Controller().FuncStopClick();
  switch (context_.settings.form.title) {
    case 1: displays.mnuPositionClick(); break;
    case 2: displays.mnuVolumeClick(); break;
    default: break;
  }
  SstpStartup();  // nothing depends on it: without sockets the notices fail quietly
  if (context_.settings.opt.sstp == 1) {
    context_.sstp.SstpSend(kProgramTitle, sstp_script::StartupGreeting(context_.clock), "");
  }
}

void TfrmMain::FormActivate(HWND) {
  firstStart_.FormActivate(context_.settings, context_.dialogs, context_.associator, ProgramPath());
}

void TfrmMain::FormResize(HWND, int clientWidth) {
  MoveWindow(controlBar_.Handle(), 0, 0, clientWidth, controlBar_.Height(), TRUE);
  // The message dialog takes [FONT] name at the first resize it is there for.
  if (!messageDialogHasFont_) {
    if (TfrmMsg* frmMsg = context_.dialogs.MessageDialog()) {
      frmMsg->SetFontName(context_.settings.font.name);
      messageDialogHasFont_ = true;
    }
  }
}

// The list and the settings are stored by the application once the window has
// gone; the window leaves its own state in the settings.
void TfrmMain::FormDestroy(HWND hwnd) {
  KillTimer(hwnd, kPlayTimerId);
  if (context_.player.State() != PlayState::Closed) context_.device.Close();
  if (context_.settings.opt.sstp == 1) context_.sstp.SstpSend(kProgramTitle, sstp_script::ExitNotice(), "");
  context_.mixer.Close();
  context_.settings.form.title = static_cast<int>(context_.player.Displays().CurrentTitlePanel());
  StoreWindowBounds();
  tray_.Remove();
  PostQuitMessage(0);
}

void TfrmMain::ApplySettings() {
  Settings& settings = context_.settings;
  const int interval = ApplyListSettings(settings, context_.list, context_.dialogs, [this] { BringToFront(Handle()); });
  controlBar_.SetTextColour(PanelTextColour(settings.panel.color));
  controlBar_.Layout(settings.button.order, settings.button.check);
  SetTimer(Handle(), kPlayTimerId, static_cast<UINT>(interval), nullptr);
  context_.player.Displays().UpdateSliderRange(false);
  if (TfrmMsg* frmMsg = context_.dialogs.MessageDialog()) frmMsg->SetFontName(settings.font.name);
  context_.player.Displays().ShowStatus("");
}

void TfrmMain::RestoreWindowBounds() {
  const FormSettings& form = context_.settings.form;
  RECT window;
  GetWindowRect(Handle(), &window);
  const int left = form.left == -1 ? window.left : form.left;
  const int top = form.top == -1 ? window.top : form.top;
  const int width = form.width == -1 ? window.right - window.left : form.width;
  SetWindowPos(Handle(), nullptr, left, top, width, window.bottom - window.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (form.height > 0) {
    RECT client;
    GetClientRect(Handle(), &client);
    const int frame = (window.bottom - window.top) - client.bottom;
    if (form.height - frame > controlBar_.Height()) expandedClientHeight_ = form.height - frame;
  }
  // Without a view shown the window holds the control bar alone.
  RECT client;
  GetClientRect(Handle(), &client);
  SetClientSize(client.right, controlBar_.Height());
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
  form.extend = 0;
}

void TfrmMain::SetClientSize(int width, int height) {
  RECT bounds = {0, 0, width, height};
  AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), GetMenu(Handle()) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
  SetWindowPos(Handle(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    case IDM_WINDOW_POSITION: displays.mnuPositionClick(); break;
    case IDM_WINDOW_VOLUME: displays.mnuVolumeClick(); break;
    case IDM_TRAY_RESTORE: mnuTrayRestoreClick(hwnd); break;
    case IDM_EXIT: PostMessageW(hwnd, WM_CLOSE, 0, 0); break;
    default: break;
  }
}

void TfrmMain::Screen0DblClick() {
  if (context_.settings.mouse.trackl == 2) context_.player.Displays().StepTitlePanel();
}

void TfrmMain::lblTitleDblClick() {
  if (context_.settings.mouse.titlel == 2 && context_.player.State() == PlayState::Playing) {
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
}

void TfrmMain::EnableTimeSliders(bool enabled) { controlBar_.EnableSlider(enabled); }

void TfrmMain::SetTimeSliderRange(const SliderRange& range) { controlBar_.SetSliderRange(range); }

void TfrmMain::SetTimeSliderPosition(int position) { controlBar_.SetSliderPosition(position); }

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
