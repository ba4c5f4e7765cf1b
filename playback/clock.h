// The player's only source of chance and of the time of day. The Win32 layer
// (or SystemClock) reads the local time; the tests set it.
#pragma once

namespace koru {

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimeOfDay LocalTime() = 0;
};

// (second of the minute mod 10) * 1000 + milliseconds: 0 to 9999. Two draws
// within the same millisecond give the same value.
int ClockDraw(Clock& clock);

// low + (whole seconds since local midnight) mod (high - low + 1); low when
// the range is empty.
int RandomIn(Clock& clock, int low, int high);

}  // namespace koru
