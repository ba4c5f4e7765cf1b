#pragma once
#include <windows.h>

namespace koru {
// Brings a window to the foreground even when another program has it.
void BringToFront(HWND window);
}  // namespace koru
