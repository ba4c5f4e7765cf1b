#include "ui/main_window.h"

#include "startup/player_data.h"
#include "ui/bring_to_front.h"
#include "ui/exception_report.h"
#include "ui/program_title.h"

namespace koru {

TfrmMain::TfrmMain(Context context)
    : context_(context), consumer_(context.list, context.adder, context.dialogs, *this) {}

TfrmMain::~TfrmMain() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool TfrmMain::Create(HINSTANCE instance) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT bounds = {0, 0, kDesignClientWidth, kDesignClientHeight};
  AdjustWindowRectEx(&bounds, style, FALSE, 0);
  hwnd_ = CreateWindowExW(0, kClassName, kProgramTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr, instance, this);
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
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_TIMER:
      if (wParam == kPlayTimerId) timPlayTimer();
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
  LoadPlayerData(context_.settings, context_.list, context_.files, order_);
  const int interval = ApplyListSettings(context_.settings, context_.list, context_.dialogs,
                                         [this] { BringToFront(hwnd_); });
  SetTimer(hwnd_, kPlayTimerId, static_cast<UINT>(interval), nullptr);
}

void TfrmMain::FormDestroy() {
  KillTimer(hwnd_, kPlayTimerId);
  StorePlayerData(context_.settings, context_.list, context_.files, order_);
  PostQuitMessage(0);
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
}

bool TfrmMain::FocusOnOpen() const { return context_.settings.opt.focus == 1; }

void TfrmMain::BringMainWindowToFront() { BringToFront(hwnd_); }

void TfrmMain::SyncAndRefreshList() {}

void TfrmMain::RevealCurrentRow() {}

void TfrmMain::PlayCurrentEntry(bool) {}

}  // namespace koru
