// Driving a modal loop the test itself is inside: a thread timer calls a step
// every 20 ms from whatever loop dispatches the thread's messages, so the
// step can look at the dialog that is showing and answer it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace koru::testing {

class ModalTicker {
 public:
  // `step` returns true when it has nothing more to do. A step may start a
  // modal loop of its own: the ticks go on inside it (the step is called
  // again there, so it keeps its own state). After `timeoutMs` every shown
  // dialog of the thread is sent WM_CLOSE and TimedOut() becomes true, so a
  // test that waits for a window that never comes fails instead of hanging.
  explicit ModalTicker(std::function<bool()> step, DWORD timeoutMs = 10000);
  ~ModalTicker();
  ModalTicker(const ModalTicker&) = delete;
  ModalTicker& operator=(const ModalTicker&) = delete;

  bool TimedOut() const { return timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  std::function<bool()> step_;
  DWORD deadline_;
  UINT_PTR timer_ = 0;
  bool done_ = false;
  bool timedOut_ = false;
};

// The visible dialogs ("#32770": message boxes and dialog templates) of the
// calling thread, the topmost first.
std::vector<HWND> ShownDialogs();
// The visible dialog showing `text` in its control `id`, or null.
HWND ShownDialogWithText(int id, const std::wstring& text);
std::wstring ItemText(HWND dialog, int id);
// Clicks a dialog's button the way the button itself reports a click.
void ClickButton(HWND dialog, int id);
// A key press reaching the control that has the focus.
void PressKey(UINT virtualKey);

}  // namespace koru::testing
