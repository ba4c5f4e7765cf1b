// Questions about a dropped or handed-over file must not open behind another
// program: the main window is brought to the front before each one.
#pragma once

namespace koru {

class MainWindowFront {
 public:
  virtual ~MainWindowFront() = default;
  // BringToFront of the main window, even when another program is active.
  virtual void BringMainWindowToFront() = 0;
};

}  // namespace koru
