// The hourglass through the system cursor of the GUI thread.
#pragma once

#include "platform/cursor_control.h"

namespace koru {

class Win32CursorControl : public CursorControl {
 public:
  CursorToken ShowHourglass() override;
  void RestoreCursor(CursorToken previous) override;
};

}  // namespace koru
