#include "windows/support/modal_ticker.h"

namespace koru::testing {
namespace {

ModalTicker* activeTicker = nullptr;

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (IsWindowVisible(window) && std::wstring(className) == L"#32770") {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  }
  return TRUE;
}

}  // namespace

ModalTicker::ModalTicker(std::function<bool()> step, DWORD timeoutMs)
    : step_(std::move(step)), deadline_(GetTickCount() + timeoutMs) {
  activeTicker = this;
  timer_ = SetTimer(nullptr, 0, 20, Tick);
}

ModalTicker::~ModalTicker() {
  KillTimer(nullptr, timer_);
  activeTicker = nullptr;
}

void CALLBACK ModalTicker::Tick(HWND, UINT, UINT_PTR, DWORD) {
  ModalTicker* self = activeTicker;
  if (!self || self->done_) return;
  if (static_cast<LONG>(GetTickCount() - self->deadline_) > 0) {
    self->timedOut_ = self->done_ = true;
    for (HWND dialog : ShownDialogs()) PostMessageW(dialog, WM_CLOSE, 0, 0);
    return;
  }
  if (self->step_()) self->done_ = true;
}

std::vector<HWND> ShownDialogs() {
  std::vector<HWND> dialogs;
  EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

HWND ShownDialogWithText(int id, const std::wstring& text) {
  for (HWND dialog : ShownDialogs()) {
    if (ItemText(dialog, id) == text) return dialog;
  }
  return nullptr;
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[512] = {};
  GetDlgItemTextW(dialog, id, text, 512);
  return text;
}

void ClickButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressKey(UINT virtualKey) {
  const LPARAM repeatOnce = 1;
  PostMessageW(GetFocus(), WM_KEYDOWN, virtualKey, repeatOnce);
}

}  // namespace koru::testing
