#include "ui/movie_windows.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/cp932.h"
#include "platform/program_title.h"
#include "platform/wide_text_win32.h"
#include "playback/playback_displays.h"
#include "ui/commands.h"
#include "ui/dpi.h"
#include "ui/layout/movie_layout.h"
#include "ui/movie_window_ids.h"

namespace koru {
namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192);
// The windowed window's client area before its first movie.
constexpr int kFirstClientWidth = 320;
constexpr int kFirstClientHeight = 240;

bool Within(HWND window, HWND ancestor) { return window == ancestor || IsChild(ancestor, window); }

void EnableItem(HMENU menu, int command, bool enabled) {
  EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

// --- MoviePanel ----------------------------------------------------------------

bool MoviePanel::Create(HWND parent) {
  return Window::Create({.className = kClassName,
                         .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                         .left = 0,
                         .top = 0,
                         .width = 0,
                         .height = 0,
                         .parent = parent,
                         .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                         .classStyle = CS_DBLCLKS});
}

void MoviePanel::Place(const Bounds& bounds) const {
  MoveWindow(Handle(), bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

LRESULT MoviePanel::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (onPaint) onPaint(dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (onMouseMove) onMouseMove(GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (onDoubleClick) onDoubleClick();
      return 0;
    default:
      return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
}

// --- MovieWindowBase -----------------------------------------------------------

bool MovieWindowBase::CreateParts(HINSTANCE instance, HWND mainWindow, int menuId, int shortcutsId) {
  mainWindow_ = mainWindow;
  pumMovie_.Reset(LoadMenuW(instance, MAKEINTRESOURCEW(menuId)));
  shortcuts_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(shortcutsId));
  if (!pnlMovie_.Create(Handle())) return false;
  // The picture is drawn again whenever the panel paints: a paused one
  // would stay black after a resize otherwise.
  pnlMovie_.onPaint = [this](HDC dc) {
    if (context_.device.GetDisplayWindow() == reinterpret_cast<DisplayWindow>(Panel())) {
      context_.device.RepaintDisplay(reinterpret_cast<std::uintptr_t>(dc));
    }
  };
  pnlMovie_.onDoubleClick = [this] { FormDblClick(); };
  return true;
}

void MovieWindowBase::Hide() const {
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

void MovieWindowBase::SetTransport(const TransportState& state) {
  HMENU menu = GetSubMenu(pumMovie_.Get(), 0);
  EnableItem(menu, IDM_FUNC_PLAY, state.play);
  EnableItem(menu, IDM_FUNC_SPOT, state.pause);
  EnableItem(menu, IDM_FUNC_STOP, state.stop);
  CheckMenuItem(menu, IDM_FUNC_SPOT, MF_BYCOMMAND | (state.paused ? MF_CHECKED : MF_UNCHECKED));
}

bool MovieWindowBase::TranslateShortcut(MSG& message) const {
  if (!Handle() || !shortcuts_ || !message.hwnd || !Within(message.hwnd, Handle())) return false;
  return TranslateAcceleratorW(Handle(), shortcuts_, &message) != 0;
}

LRESULT MovieWindowBase::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) FormResize();
      return 0;
    case WM_LBUTTONDBLCLK:
      FormDblClick();
      return 0;
    case WM_CONTEXTMENU: {
      POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (at.x == -1 && at.y == -1) {
        at = {0, 0};
        ClientToScreen(hwnd, &at);
      }
      TrackPopupMenu(GetSubMenu(pumMovie_.Get(), 0), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
      return 0;
    }
    case WM_COMMAND:
      RunCommand(LOWORD(wParam));
      return 0;
    case WM_CLOSE:  // the close box and Alt+F4 hide it too
      CloseClick();
      return 0;
    case WM_DESTROY:
      FormDestroy();
      return 0;
    default:
      return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
}

void MovieWindowBase::RunCommand(int command) {
  switch (command) {
    case IDM_FUNC_PLAY:
    case IDM_FUNC_SPOT:
    case IDM_FUNC_STOP:
      SendMessageW(mainWindow_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
      break;
    case IDM_MOVIE_CLOSE: CloseClick(); break;
    default: break;
  }
}

// The device must not go on drawing into a window that is going: at the end
// it is closed before its panel goes.
void MovieWindowBase::FormDestroy() {
  if (context_.device.IsOpen() && context_.device.GetDisplayWindow() == reinterpret_cast<DisplayWindow>(Panel())) {
    context_.device.Close();
  }
}

void MovieWindowBase::PlacePanel(const Bounds& bounds) {
  pnlMovie_.Place(bounds);
  HandDisplayRect(bounds.width, bounds.height);
}

void MovieWindowBase::HandDisplayRect(int width, int height) const {
  if (context_.device.GetDisplayWindow() == reinterpret_cast<DisplayWindow>(Panel())) {
    context_.device.SetDisplayRectangle({0, 0, width, height});
  }
}

int MovieWindowBase::ClientWidth() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.right;
}

int MovieWindowBase::ClientHeight() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.bottom;
}

// --- TfrmMovWn -----------------------------------------------------------------

bool TfrmMovWn::Create(HINSTANCE instance, HWND mainWindow) {
  dpi_ = ScreenDpi();
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT bounds = {0, 0, kFirstClientWidth, kFirstClientHeight};
  AdjustWindowRectEx(&bounds, style, FALSE, WS_EX_ACCEPTFILES);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  // Centred on the screen at first.
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const std::wstring caption = Widen(kProgramTitle);
  if (!Window::Create({.className = kClassName,
                       .caption = caption.c_str(),
                       .style = style,
                       .exStyle = WS_EX_ACCEPTFILES,
                       .left = work.left + (work.right - work.left - width) / 2,
                       .top = work.top + (work.bottom - work.top - height) / 2,
                       .width = width,
                       .height = height,
                       .parent = mainWindow,
                       .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                       .classStyle = CS_DBLCLKS})) {
    return false;
  }
  return CreateParts(instance, mainWindow, IDR_MOVWN_MENU, IDR_MOVWN_ACCELERATORS);
}

LRESULT TfrmMovWn::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCLBUTTONDBLCLK:
      // A double click on the caption bar goes full screen instead.
      if (wParam == HTCAPTION && !IsIconic(hwnd) && !IsZoomed(hwnd)) {
        SwitchToFullScreen();
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MAXIMIZE) {
        SwitchToFullScreen();
        return 0;
      }
      break;
    case WM_DROPFILES:
      // The main window takes them as its own drop (and finishes it).
      SendMessageW(mainWindow_, WM_DROPFILES, wParam, 0);
      return 0;
    default:
      break;
  }
  return MovieWindowBase::HandleMessage(hwnd, message, wParam, lParam);
}

void TfrmMovWn::RunCommand(int command) {
  switch (command) {
    case IDM_MOVIE_050: Movie050Click(); break;
    case IDM_MOVIE_100: Movie100Click(); break;
    case IDM_MOVIE_200: Movie200Click(); break;
    case IDM_MOVIE_CHANGE: SwitchToFullScreen(); break;
    default: MovieWindowBase::RunCommand(command); break;
  }
}

void TfrmMovWn::SetTransport(const TransportState& state) {
  MovieWindowBase::SetTransport(state);
  paused_ = state.paused;
  UpdateCaption();
}

void TfrmMovWn::UpdateCaption() const {
  const std::string caption = MovieWindowCaption(movie_layout::MovieCaption(ClientWidth(), ClientHeight()), paused_);
  SetWindowTextW(Handle(), Widen(caption).c_str());
}

void TfrmMovWn::SetClientSize(int width, int height) {
  RECT bounds = {0, 0, width, height};
  AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
  resizing_ = true;
  SetWindowPos(Handle(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  resizing_ = false;
}

void TfrmMovWn::FitToMovieSize() {
  const std::optional<Bounds> size = movie_layout::ZoomedClientSize(context_.picture(), 100);
  if (!size) return;
  SetClientSize(size->width, size->height);
}

void TfrmMovWn::LayoutMoviePanel() {
  if (resizing_) return;
  PlacePanel(movie_layout::PanelBounds(ClientWidth(), ClientHeight(), context_.picture()));
  UpdateCaption();
}

void TfrmMovWn::Zoom(int percent) {
  if (IsIconic(Handle()) || IsZoomed(Handle())) return;
  const std::optional<Bounds> size = movie_layout::ZoomedClientSize(context_.picture(), percent);
  if (!size) return;
  SetClientSize(size->width, size->height);
  LayoutMoviePanel();
}

void TfrmMovWn::FormResize() { LayoutMoviePanel(); }

void TfrmMovWn::ShowNormal() const { ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOWNORMAL); }

void TfrmMovWn::SwitchToFullScreen() {
  const HMONITOR monitor = MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST);
  Hide();
  context_.device.SetDisplayWindow(reinterpret_cast<DisplayWindow>(frmMovFl_.Panel()));
  frmMovFl_.ShowOn(monitor);
  frmMovFl_.ResetDisplayRect();
  frmMovFl_.LayoutFullScreen();
}

// --- TfrmMovFl -----------------------------------------------------------------

bool TfrmMovFl::Create(HINSTANCE instance, HWND mainWindow) {
  dpi_ = ScreenDpi();
  if (!Window::Create({.className = kClassName,
                       .caption = Widen(kProgramTitle).c_str(),
                       .style = WS_POPUP | WS_CLIPCHILDREN,
                       .left = 0,
                       .top = 0,
                       .width = GetSystemMetrics(SM_CXSCREEN),
                       .height = GetSystemMetrics(SM_CYSCREEN),
                       .parent = mainWindow,
                       .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                       .classStyle = CS_DBLCLKS})) {
    return false;
  }
  if (!CreateParts(instance, mainWindow, IDR_MOVFL_MENU, IDR_MOVFL_ACCELERATORS)) return false;
  pnlMovie_.onMouseMove = [this](int y) { pnlMovieMouseMove(y); };
  CreateStrip();
  return true;
}

void TfrmMovFl::CreateStrip() {
  pnlPlay_.Create(Handle());
  HWND strip = pnlPlay_.Handle();
  const struct {
    Control& button;
    Bounds bounds;
    const wchar_t* glyph;
    int command;
    const char8_t* hint;
  } buttons[] = {
      {sbtMovieChange_, movie_layout::kChangeButton, L"\u25A1", IDM_MOVIE_CHANGE, u8"ｳｨﾝﾄﾞｳ"},
      {sbtFuncPlay_, movie_layout::kPlayButton, L"\u25B6", IDM_FUNC_PLAY, u8"演奏開始"},
      {sbtFuncSpot_, movie_layout::kSpotButton, L"\u2016", IDM_FUNC_SPOT, u8"一時停止"},
      {sbtFuncStop_, movie_layout::kStopButton, L"\u25A0", IDM_FUNC_STOP, u8"演奏停止"},
  };
  hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);
  for (const auto& b : buttons) {
    b.button.Create(strip, L"BUTTON", b.glyph, WS_VISIBLE | BS_PUSHBUTTON, b.command);
    const Bounds place = Scaled(b.bounds, dpi_);
    b.button.Move(place.left, place.top, place.width, place.height);
    if (hints_) {
      const std::wstring hint = Widen(cp932::FromUtf8(b.hint));
      TOOLINFOW tool = {sizeof tool};
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = strip;
      tool.uId = reinterpret_cast<UINT_PTR>(b.button.Handle());
      tool.lpszText = const_cast<wchar_t*>(hint.c_str());
      SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  scbTitle_.Create(strip, L"SCROLLBAR", L"", WS_VISIBLE | SBS_HORZ | WS_DISABLED, 0);
  scbTitle_.onScroll = [this](int code, int position) {
    if (context_.sliderScroll) context_.sliderScroll(code, position);
  };
  if (hints_) {
    const std::wstring hint = Widen(cp932::FromUtf8(u8"ﾀｲﾑｽﾗｲﾀﾞｰ"));
    TOOLINFOW tool = {sizeof tool};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = strip;
    tool.uId = reinterpret_cast<UINT_PTR>(scbTitle_.Handle());
    tool.lpszText = const_cast<wchar_t*>(hint.c_str());
    SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

bool TfrmMovFl::StripPanel::Create(HWND parent) {
  return Window::Create({.className = kStripClassName,
                         .style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                         .left = 0,
                         .top = 0,
                         .width = 0,
                         .height = 0,
                         .parent = parent,
                         .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
}

LRESULT TfrmMovFl::StripPanel::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      owner_.RunCommand(LOWORD(wParam));
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      UniqueBrush silver(CreateSolidBrush(kSilver));
      FillRect(reinterpret_cast<HDC>(wParam), &client, silver.Get());
      return 1;
    }
    default:
      return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
}

LRESULT TfrmMovFl::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      FormPaint(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      FormMouseMove(GET_Y_LPARAM(lParam));
      return 0;
    case WM_GETMINMAXINFO: {
      // Maximised, it covers the monitor, not only its work area.
      auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
      if (monitor_.right > monitor_.left) {
        MONITORINFO info = {sizeof info};
        GetMonitorInfoW(MonitorFromRect(&monitor_, MONITOR_DEFAULTTOPRIMARY), &info);
        limits.ptMaxPosition = {monitor_.left - info.rcMonitor.left, monitor_.top - info.rcMonitor.top};
        limits.ptMaxSize = {monitor_.right - monitor_.left, monitor_.bottom - monitor_.top};
      }
      return 0;
    }
    default:
      return MovieWindowBase::HandleMessage(hwnd, message, wParam, lParam);
  }
}

void TfrmMovFl::RunCommand(int command) {
  if (command == IDM_MOVIE_CHANGE) {
    SwitchToWindow();
  } else {
    MovieWindowBase::RunCommand(command);
  }
}

void TfrmMovFl::SetTransport(const TransportState& state) {
  MovieWindowBase::SetTransport(state);
  sbtFuncPlay_.Enable(state.play);
  sbtFuncSpot_.Enable(state.pause);
  sbtFuncStop_.Enable(state.stop);
}

void TfrmMovFl::ShowOn(HMONITOR monitor) {
  MONITORINFO info = {sizeof info};
  if (!GetMonitorInfoW(monitor, &info)) GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &info);
  monitor_ = info.rcMonitor;
  ShowWindow(Handle(), SW_SHOWMAXIMIZED);
  // Without a window manager a maximised pop-up keeps its size: placed on
  // the monitor here as well.
  SetWindowPos(Handle(), HWND_TOP, monitor_.left, monitor_.top, monitor_.right - monitor_.left,
               monitor_.bottom - monitor_.top, SWP_SHOWWINDOW);
  SetForegroundWindow(Handle());
}

void TfrmMovFl::ResetDisplayRect() {
  resizing_ = true;
  HandDisplayRect(ClientWidth(), ClientHeight());
  resizing_ = false;
}

void TfrmMovFl::LayoutFullScreen() {
  if (resizing_) return;
  const int width = ClientWidth();
  const int height = ClientHeight();
  const Bounds panel = movie_layout::PanelBounds(width, height, context_.picture());
  pnlMovie_.Place(panel);
  if (const std::optional<Bounds> strip = movie_layout::StripBounds(width, height, Px(movie_layout::kStripHeight))) {
    MoveWindow(pnlPlay_.Handle(), strip->left, strip->top, strip->width, strip->height, TRUE);
    const int titleLeft = Px(movie_layout::kTitleLeft);
    const Bounds button = Scaled(movie_layout::kPlayButton, dpi_);
    scbTitle_.Move(titleLeft, button.top, std::max(0, strip->width - titleLeft - Px(4)), button.height);
  }
  HandDisplayRect(panel.width, panel.height);
}

void TfrmMovFl::SwitchToWindow() {
  resizing_ = true;
  Hide();
  context_.device.SetDisplayWindow(reinterpret_cast<DisplayWindow>(frmMovWn_.Panel()));
  frmMovWn_.ShowNormal();
  frmMovWn_.LayoutMoviePanel();
  resizing_ = false;
}

void TfrmMovFl::FormPaint(HWND hwnd) {
  PAINTSTRUCT paint;
  BeginPaint(hwnd, &paint);
  EndPaint(hwnd, &paint);
  // Found in the normal state (restored by the system): back to the window.
  if (!resizing_ && IsWindowVisible(hwnd) && !IsZoomed(hwnd) && !IsIconic(hwnd)) SwitchToWindow();
}

int TfrmMovFl::ScreenHeight() const {
  return monitor_.bottom > monitor_.top ? monitor_.bottom - monitor_.top : GetSystemMetrics(SM_CYSCREEN);
}

void TfrmMovFl::FormMouseMove(int y) { StripFollowsPointer(y, false); }

void TfrmMovFl::pnlMovieMouseMove(int y) { StripFollowsPointer(y, true); }

void TfrmMovFl::StripFollowsPointer(int y, bool overPanel) {
  const bool shown = StripShown();
  const bool after = movie_layout::StripVisibleAfterMove(shown, y, ScreenHeight(), Px(movie_layout::kStripHeight));
  if (after && !shown) {
    // Over the picture it is raised above the panel; over the window it is
    // painted at once.
    if (overPanel) {
      SetWindowPos(pnlPlay_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    } else {
      ShowWindow(pnlPlay_.Handle(), SW_SHOWNA);
      RedrawWindow(pnlPlay_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
  } else if (!after && shown) {
    ShowWindow(pnlPlay_.Handle(), SW_HIDE);
  }
}

}  // namespace koru
