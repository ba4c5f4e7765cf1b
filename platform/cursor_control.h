// The hourglass cursor long operations show while the user waits.
#pragma once

#include <cstdint>

namespace koru {

// An opaque cursor (an HCURSOR on Windows).
using CursorToken = std::uintptr_t;

class CursorControl {
 public:
  virtual ~CursorControl() = default;
  // Shows the hourglass; returns the cursor shown before.
  virtual CursorToken ShowHourglass() = 0;
  virtual void RestoreCursor(CursorToken previous) = 0;
};

// The hourglass for the lifetime of the scope; the previous cursor comes back
// however the scope is left.
class HourglassScope {
 public:
  explicit HourglassScope(CursorControl& cursor) : cursor_(cursor), previous_(cursor.ShowHourglass()) {}
  ~HourglassScope() { cursor_.RestoreCursor(previous_); }
  HourglassScope(const HourglassScope&) = delete;
  HourglassScope& operator=(const HourglassScope&) = delete;

 private:
  CursorControl& cursor_;
  CursorToken previous_;
};

}  // namespace koru
