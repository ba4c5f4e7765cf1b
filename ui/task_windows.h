// While a modal dialog of our own runs its loop, the thread's other windows
// take no input, as they do under a system modal dialog.
#pragma once

#include <windows.h>

#include <vector>

namespace koru {

class DisabledTaskWindows {
 public:
  // Disables every visible, enabled top-level window of the calling thread
  // except `dialog`.
  explicit DisabledTaskWindows(HWND dialog);
  // Enables them again, those that still exist.
  ~DisabledTaskWindows();
  DisabledTaskWindows(const DisabledTaskWindows&) = delete;
  DisabledTaskWindows& operator=(const DisabledTaskWindows&) = delete;

 private:
  std::vector<HWND> windows_;
};

}  // namespace koru
