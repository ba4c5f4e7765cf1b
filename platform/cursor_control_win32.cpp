#include "platform/cursor_control_win32.h"

#include <windows.h>

namespace koru {

CursorToken Win32CursorControl::ShowHourglass() {
  // Shared system cursors are never destroyed, so the handle needs no owner.
  HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  return reinterpret_cast<CursorToken>(previous);
}

void Win32CursorControl::RestoreCursor(CursorToken previous) {
  ::SetCursor(reinterpret_cast<HCURSOR>(previous));
}

}  // namespace koru
