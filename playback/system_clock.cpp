#include "playback/system_clock.h"

#include <chrono>
#include <ctime>

namespace koru {

TimeOfDay SystemClock::LocalTime() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  TimeOfDay time;
  // Only the GUI thread asks, so the shared buffer of localtime is safe here.
  if (const std::tm* local = std::localtime(&seconds)) {
    time.hour = local->tm_hour;
    time.minute = local->tm_min;
    time.second = local->tm_sec % 60;  // a leap second counts as 0
  }
  time.millisecond = static_cast<int>(((sinceEpoch % 1000) + 1000) % 1000);
  return time;
}

}  // namespace koru
