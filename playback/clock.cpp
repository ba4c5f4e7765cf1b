#include "playback/clock.h"

namespace koru {

int ClockDraw(Clock& clock) {
  const TimeOfDay now = clock.LocalTime();
  return (now.second % 10) * 1000 + now.millisecond;
}

int RandomIn(Clock& clock, int low, int high) {
  if (high < low) return low;
  const TimeOfDay now = clock.LocalTime();
  const long long sinceMidnight = now.hour * 3600LL + now.minute * 60LL + now.second;
  const long long span = static_cast<long long>(high) - low + 1;
  return static_cast<int>(low + sinceMidnight % span);
}

}  // namespace koru
