#include "ui/task_windows.h"

namespace koru {

namespace {

struct Collection {
  HWND dialog;
  std::vector<HWND>* windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* collection = reinterpret_cast<Collection*>(param);
  if (window != collection->dialog && IsWindowVisible(window) && IsWindowEnabled(window)) {
    collection->windows->push_back(window);
  }
  return TRUE;
}

}  // namespace

DisabledTaskWindows::DisabledTaskWindows(HWND dialog) {
  Collection collection{dialog, &windows_};
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&collection));
  for (HWND window : windows_) EnableWindow(window, FALSE);
}

DisabledTaskWindows::~DisabledTaskWindows() {
  for (HWND window : windows_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

}  // namespace koru
