#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "playback/delete_matching.h"
#include "startup/player_data.h"
#include "ui/bring_to_front.h"
#include "ui/exception_report.h"
#include "ui/main_window_ids.h"
#include "ui/program_title.h"

namespace koru {
namespace {

// TEMP, else TMP, else the program's folder, then "KORUTEMP\".
std::string TemporaryFolderPath(const std::string& programFolder) {
  std::string base;
  for (const wchar_t* variable : {L"TEMP", L"TMP"}) {
    wchar_t value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(variable, value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) continue;
    if (std::optional<std::string> narrow = Narrow(std::wstring(value, length))) {
      base = *narrow;
      break;
    }
  }
  if (base.empty()) base = programFolder;
  if (base.empty() || base.back() != '\\') base += '\\';
  return base + "KORUTEMP\\";
}

COLORREF PanelTextColour(int colour) {
  switch (colour) {
    case 1: return RGB(0xFF, 0xA0, 0x20);
    case 2: return RGB(0x60, 0xE0, 0xFF);
    default: return RGB(0x00, 0xFF, 0x00);
  }
}

}  // namespace

TfrmMain::TfrmMain(Context context)
    : context_(context),
      tempFolder_(TemporaryFolderPath(context.list.ProgramFolder())),
      player_({context.list, context.settings, context.files, playbackFiles_, context.dialogs, *this, device_, mixer_,
               clock_, EntryConverters{extractor_, rcpConverter_, oggDecoder_}, sstp_, context.infoReader, order_,
               context.noRepeat, tempFolder_}),
      adder_({context.list, context.settings, context.files, archiver_, shortcuts_, player_.Controller(),
              context.dialogs, *this, cursor_}),
      consumer_(context.list, adder_, context.dialogs, *this) {}

TfrmMain::~TfrmMain() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (pumTray_) DestroyMenu(pumTray_);
  if (pumScreen_) DestroyMenu(pumScreen_);
}

bool TfrmMain::Create(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KORU));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  pumTray_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAY_MENU));
  pumScreen_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_SCREEN_MENU));
  const DWORD style = WS_OVERLAPPEDWINDOW;
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
  RECT bounds = {0, 0, kDesignClientWidth, ControlBar::kHeight};
  AdjustWindowRectEx(&bounds, style, menu != nullptr, 0);
  hwnd_ = CreateWindowExW(0, kClassName, kProgramTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, menu, instance, this);
  return hwnd_ != nullptr;
}

void TfrmMain::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
}

LRESULT CALLBACK TfrmMain::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TfrmMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TfrmMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  bool handled = false;
  ReportExceptions(hwnd, [&] {
    result = self->HandleMessage(message, wParam, lParam);
    handled = true;
  });
  return handled ? result : 0;
}

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (iconNotify_ != 0 && message == iconNotify_) {
    IconNotify(lParam);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_TIMER:
      if (wParam == kPlayTimerId) timPlayTimer();
      return 0;
    case WM_COMMAND:
      HandleCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_HSCROLL:
      HandleScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush = controlBar_.ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      RECT client;
      GetClientRect(hwnd_, &client);
      controlBar_.Paint(dc, client.right);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_SIZE:
      controlBar_.Resize(LOWORD(lParam));
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_DESTROY:
      FormDestroy();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void TfrmMain::FormCreate() {
  CreateDirectoryW(Widen(tempFolder_).c_str(), nullptr);  // an existing folder is reused
  iconNotify_ = RegisterWindowMessageW(L"IconNotify");
  tray_.Add(hwnd_, iconNotify_, LoadIconW(instance_, MAKEINTRESOURCEW(IDI_KORU)));
  controlBar_.Create(hwnd_, instance_, Widen(context_.settings.font.name));

  unreadableListPath_ = LoadPlayerData(context_.settings, context_.list, context_.files, order_, context_.dialogs);
  ShowOrder(order_);
  RestoreWindowBounds();
  ApplySettings();
  player_.Displays().RefreshList(true);

  if (mixer_.Open()) {
    if (std::optional<int> percent = mixer_.ReadPercent()) player_.Displays().ShowVolume(*percent);
  }
  player_.Controller().FuncStopClick();
  switch (context_.settings.form.title) {
    case 1: player_.Displays().mnuPositionClick(); break;
    case 2: player_.Displays().mnuVolumeClick(); break;
    default: break;
  }
}

void TfrmMain::FormDestroy() {
  KillTimer(hwnd_, kPlayTimerId);
  if (player_.State() != PlayState::Closed) device_.Close();
  mixer_.Close();
  context_.settings.form.title = static_cast<int>(player_.Displays().CurrentTitlePanel());
  StoreWindowBounds();
  StorePlayerData(context_.settings, context_.list, context_.files, order_, unreadableListPath_);
  DeleteMatching(playbackFiles_, tempFolder_ + "*.*", true);
  tray_.Remove();
  PostQuitMessage(0);
}

void TfrmMain::ApplySettings() {
  Settings& settings = context_.settings;
  const int interval = ApplyListSettings(settings, context_.list, context_.dialogs, [this] { BringToFront(hwnd_); });
  controlBar_.SetTextColour(PanelTextColour(settings.panel.color));
  controlBar_.Layout(settings.button.order, settings.button.check);
  SetTimer(hwnd_, kPlayTimerId, static_cast<UINT>(interval), nullptr);
  player_.Displays().UpdateSliderRange(false);
  if (TfrmMsg* frmMsg = context_.dialogs.MessageDialog()) frmMsg->SetFontName(settings.font.name);
  player_.Displays().ShowStatus("");
}

void TfrmMain::RestoreWindowBounds() {
  const FormSettings& form = context_.settings.form;
  RECT window;
  GetWindowRect(hwnd_, &window);
  const int left = form.left == -1 ? window.left : form.left;
  const int top = form.top == -1 ? window.top : form.top;
  const int width = form.width == -1 ? window.right - window.left : form.width;
  SetWindowPos(hwnd_, nullptr, left, top, width, window.bottom - window.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (form.height > 0) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int frame = (window.bottom - window.top) - client.bottom;
    if (form.height - frame > ControlBar::kHeight) expandedClientHeight_ = form.height - frame;
  }
  // Without a view shown the window holds the control bar alone.
  RECT client;
  GetClientRect(hwnd_, &client);
  SetClientSize(client.right, ControlBar::kHeight);
}

void TfrmMain::StoreWindowBounds() {
  if (IsIconic(hwnd_) || IsZoomed(hwnd_)) return;
  FormSettings& form = context_.settings.form;
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  form.left = window.left;
  form.top = window.top;
  form.width = window.right - window.left;
  // The height with a view shown, even while collapsed to the control bar.
  form.height = (window.bottom - window.top) - client.bottom + expandedClientHeight_;
  form.extend = 0;
}

void TfrmMain::SetClientSize(int width, int height) {
  RECT bounds = {0, 0, width, height};
  AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), GetMenu(hwnd_) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::timPlayTimer() {
  // A question asked inside the tick keeps dispatching WM_TIMER; the tick
  // that is already running must not run again underneath it.
  if (inTimerTick_) return;
  inTimerTick_ = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{inTimerTick_};
  consumer_.TakeHandedOverPath(context_.handOver);
  player_.Controller().timPlayTimer();
}

void TfrmMain::HandleCommand(int id, int notification, HWND control) {
  PlaybackController& controller = player_.Controller();
  TrackSelection& selection = player_.Selection();
  PlaybackDisplays& displays = player_.Displays();
  if (control) {
    if (controlBar_.IsButton(control, ControlBar::kPlay)) id = IDM_FUNC_PLAY;
    if (controlBar_.IsButton(control, ControlBar::kSpot)) id = IDM_FUNC_SPOT;
    if (controlBar_.IsButton(control, ControlBar::kStop)) id = IDM_FUNC_STOP;
    if (controlBar_.IsButton(control, ControlBar::kPrev)) id = IDM_FUNC_PREV;
    if (controlBar_.IsButton(control, ControlBar::kNext)) id = IDM_FUNC_NEXT;
    if (control == controlBar_.Counter() && notification == STN_DBLCLK) {
      if (context_.settings.mouse.trackl == 2) displays.StepTitlePanel();
      return;
    }
    if (control == controlBar_.TitleLabel() && notification == STN_DBLCLK) {
      if (context_.settings.mouse.titlel == 2 && player_.State() == PlayState::Playing) controller.FuncSpotClick();
      return;
    }
  }
  switch (id) {
    case IDM_FUNC_PLAY: case IDM_TRAY_PLAY: controller.FuncPlayClick(); break;
    case IDM_FUNC_SPOT: case IDM_TRAY_SPOT: controller.FuncSpotClick(); break;
    case IDM_FUNC_STOP: case IDM_TRAY_STOP: controller.FuncStopClick(); break;
    case IDM_FUNC_PREV: case IDM_TRAY_PREV: selection.FuncPrevClick(); break;
    case IDM_FUNC_NEXT: case IDM_TRAY_NEXT: selection.FuncNextClick(); break;
    case IDM_FUNC_REPEAT: selection.mnuFuncRepeatClick(); break;
    case IDM_FUNC_RAND_NONE: selection.mnuFuncRandNoneClick(); break;
    case IDM_FUNC_RAND_ONCE: selection.mnuFuncRandOnceClick(); break;
    case IDM_FUNC_RAND_RATE: selection.mnuFuncRandRateClick(); break;
    case IDM_WINDOW_POSITION: case IDM_SCREEN_POSITION: displays.mnuPositionClick(); break;
    case IDM_WINDOW_VOLUME: case IDM_SCREEN_VOLUME: displays.mnuVolumeClick(); break;
    case IDM_TRAY_RESTORE:
      ShowWindow(hwnd_, SW_RESTORE);
      BringToFront(hwnd_);
      break;
    case IDM_EXIT: case IDM_TRAY_EXIT: PostMessageW(hwnd_, WM_CLOSE, 0, 0); break;
    default: break;
  }
}

void TfrmMain::HandleScroll(HWND control, int code) {
  if (control == controlBar_.VolumeBar()) {
    player_.Displays().trbTitleChange(static_cast<int>(SendMessageW(control, TBM_GETPOS, 0, 0)));
    return;
  }
  if (control != controlBar_.Slider()) return;
  // Read the 32-bit positions: the 16 bits of the message overflow for
  // pieces longer than about eleven minutes.
  SCROLLINFO info = {sizeof info, SIF_ALL};
  GetScrollInfo(control, SB_CTL, &info);
  int position = info.nPos;
  switch (code) {
    case SB_LINELEFT: position -= sliderRange_.smallStep; break;
    case SB_LINERIGHT: position += sliderRange_.smallStep; break;
    case SB_PAGELEFT: position -= sliderRange_.largeStep; break;
    case SB_PAGERIGHT: position += sliderRange_.largeStep; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_LEFT: position = info.nMin; break;
    case SB_RIGHT: position = info.nMax; break;
    default: break;
  }
  position = std::max(info.nMin, std::min(position, info.nMax));
  SetScrollPos(control, SB_CTL, position, TRUE);
  player_.Displays().scbTitleScroll(code, position);
}

void TfrmMain::IconNotify(LPARAM event) {
  if (event == WM_LBUTTONDBLCLK) {
    ShowWindow(hwnd_, SW_RESTORE);
    BringToFront(hwnd_);
  } else if (event == WM_RBUTTONDOWN) {
    POINT cursor;
    GetCursorPos(&cursor);
    BringToFront(hwnd_);
    TrackPopupMenu(GetSubMenu(pumTray_, 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd_, nullptr);
  }
}

void TfrmMain::CheckMenu(int id, bool checked) {
  for (HMENU menu : {GetMenu(hwnd_), pumTray_, pumScreen_}) {
    if (menu) CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void TfrmMain::EnableMenu(int id, bool enabled) {
  for (HMENU menu : {GetMenu(hwnd_), pumTray_}) {
    if (menu) EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

// --- HandOverHost -------------------------------------------------------------

bool TfrmMain::FocusOnOpen() const { return context_.settings.opt.focus == 1; }

void TfrmMain::BringMainWindowToFront() { BringToFront(hwnd_); }

void TfrmMain::SyncAndRefreshList() { player_.Displays().RefreshList(true); }

void TfrmMain::RevealCurrentRow() {}

void TfrmMain::PlayCurrentEntry(bool userInitiated) { player_.Controller().PlayCurrentEntry(userInitiated); }

// --- PlayerView ---------------------------------------------------------------

void TfrmMain::SetTitleLine(const std::string& text) { controlBar_.SetTitle(Widen(text)); }

void TfrmMain::SetCaption(const std::string& caption, const std::string& trayTip) {
  SetWindowTextW(hwnd_, Widen(caption).c_str());
  tray_.SetTip(Widen(trayTip));
}

void TfrmMain::SetCounter(const std::string& text, int fontSize) { controlBar_.SetCounter(Widen(text), fontSize); }

void TfrmMain::SetTransport(const TransportState& state) {
  const struct {
    ControlBar::Button button;
    int menu;
    int tray;
    bool enabled;
  } items[] = {
      {ControlBar::kPlay, IDM_FUNC_PLAY, IDM_TRAY_PLAY, state.play},
      {ControlBar::kSpot, IDM_FUNC_SPOT, IDM_TRAY_SPOT, state.pause},
      {ControlBar::kStop, IDM_FUNC_STOP, IDM_TRAY_STOP, state.stop},
      {ControlBar::kPrev, IDM_FUNC_PREV, IDM_TRAY_PREV, state.prev},
      {ControlBar::kNext, IDM_FUNC_NEXT, IDM_TRAY_NEXT, state.next},
  };
  for (const auto& item : items) {
    controlBar_.SetButtonEnabled(item.button, item.enabled);
    EnableMenu(item.menu, item.enabled);
    EnableMenu(item.tray, item.enabled);
  }
  CheckMenu(IDM_FUNC_SPOT, state.paused);
  CheckMenu(IDM_TRAY_SPOT, state.paused);
  controlBar_.SetPausedMark(state.paused);
}

void TfrmMain::EnableTimeSliders(bool enabled) { EnableWindow(controlBar_.Slider(), enabled); }

void TfrmMain::SetTimeSliderRange(const SliderRange& range) {
  sliderRange_ = range;
  SCROLLINFO info = {sizeof info, SIF_RANGE};
  info.nMin = 0;
  info.nMax = range.maximum;
  SetScrollInfo(controlBar_.Slider(), SB_CTL, &info, TRUE);
}

void TfrmMain::SetTimeSliderPosition(int position) {
  SCROLLINFO info = {sizeof info, SIF_POS};
  info.nPos = position;
  SetScrollInfo(controlBar_.Slider(), SB_CTL, &info, TRUE);
}

void TfrmMain::ShowTitlePanel(TitlePanel panel) {
  controlBar_.Show(panel);
  CheckMenu(IDM_WINDOW_POSITION, panel == TitlePanel::Slider);
  CheckMenu(IDM_SCREEN_POSITION, panel == TitlePanel::Slider);
  CheckMenu(IDM_WINDOW_VOLUME, panel == TitlePanel::Volume);
  CheckMenu(IDM_SCREEN_VOLUME, panel == TitlePanel::Volume);
}

void TfrmMain::SetVolumeBar(int percent, const std::string& hint) {
  SendMessageW(controlBar_.VolumeBar(), TBM_SETPOS, TRUE, percent);
  controlBar_.SetVolumeHint(Widen(hint));
}

void TfrmMain::ShowOrder(const PlayOrder& order) {
  CheckMenu(IDM_FUNC_REPEAT, order.repeat);
  CheckMenu(IDM_FUNC_RAND_NONE, order.mode == OrderMode::ListOrder);
  CheckMenu(IDM_FUNC_RAND_ONCE, order.mode == OrderMode::UnplayedOnly);
  CheckMenu(IDM_FUNC_RAND_RATE, order.mode == OrderMode::ByRate);
  // mnuFuncSub, the submenu itself, is checked whenever the order is random.
  if (HMENU funcMenu = GetSubMenu(GetMenu(hwnd_), 1)) {
    const int count = GetMenuItemCount(funcMenu);
    CheckMenuItem(funcMenu, static_cast<UINT>(count - 1),
                  MF_BYPOSITION | (order.mode != OrderMode::ListOrder ? MF_CHECKED : MF_UNCHECKED));
  }
}

bool TfrmMain::ApplicationActive() { return GetForegroundWindow() == hwnd_; }

void TfrmMain::SetHourglass(bool on) {
  if (on) {
    cursorBeforeHourglass_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  } else {
    SetCursor(cursorBeforeHourglass_);
  }
}

}  // namespace koru
