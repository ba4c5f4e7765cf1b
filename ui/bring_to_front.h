#pragma once
#include <windows.h>

namespace koru {
// Brings a window to the foreground even when another program has it.
void BringToFront(HWND window);
// `window` is one of this program's windows (the main window, a dialog, a
// movie window...); "the application is active" when the foreground is one.
bool IsProgramWindow(HWND window);
}  // namespace koru
