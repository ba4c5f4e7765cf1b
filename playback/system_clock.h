// The local time of the machine, for the running player.
#pragma once

#include "playback/clock.h"

namespace koru {

class SystemClock : public Clock {
 public:
  TimeOfDay LocalTime() override;
};

}  // namespace koru
