// What adding paths needs of the playback controller.
#pragma once

#include <string>

#include "playback/play_state.h"

namespace koru {

class PlaybackCommands {
 public:
  virtual ~PlaybackCommands() = default;
  // The stop command (FuncStopClick).
  virtual void FuncStopClick() = 0;
  // Closes what plays (sliders disabled, device closed, state Closed), then
  // opens `path` on the device. True: the device is open on it and the state
  // is Opened. False: the open failed, the stop command has run; the device's
  // error text is not shown.
  virtual bool OpenForPlayabilityCheck(const std::string& path) = 0;
};

}  // namespace koru
