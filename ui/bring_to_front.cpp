#include "ui/bring_to_front.h"

namespace koru {

void BringToFront(HWND window) {
  HWND foreground = GetForegroundWindow();
  if (foreground == window) return;
  // Windows lets only the thread that owns the foreground change it: join its
  // input queue for the moment of the switch, then leave it again.
  const DWORD ours = GetCurrentThreadId();
  const DWORD theirs = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  const bool attached = theirs != 0 && theirs != ours && AttachThreadInput(ours, theirs, TRUE);
  SetForegroundWindow(window);
  if (attached) AttachThreadInput(ours, theirs, FALSE);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace koru

namespace koru {

bool IsProgramWindow(HWND window) {
  DWORD process = 0;
  return window && GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

}  // namespace koru
