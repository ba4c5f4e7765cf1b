#include "archive/archiver_window_win32.h"

namespace koru {

ArchiverMessageWindow::ArchiverMessageWindow(HINSTANCE instance)
    : extractMessage_(RegisterWindowMessageW(L"wm_arcextract")) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when a second manager registers it again
  // A message-only window: never shown, never enumerated among the
  // program's windows, yet it receives what is sent to it.
  hwnd_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
}

ArchiverMessageWindow::~ArchiverMessageWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK ArchiverMessageWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<ArchiverMessageWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ArchiverMessageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && message == self->extractMessage_) {
    if (!self->archiver_) return 0;
    // The handler is ours; an exception must not unwind into the library.
    try {
      return self->archiver_->AnswerArcExtract(wParam, lParam);
    } catch (...) {
      return 1;
    }
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace koru
