// The master volume: mixer device 0's speakers volume, in percent. The Win32
// layer binds it to the mixer API (MixerVolume); tests use a fake.
#pragma once

#include <optional>

namespace koru {

class VolumeMixer {
 public:
  virtual ~VolumeMixer() = default;
  virtual bool Open() = 0;
  virtual void Close() = 0;
  // Open mixer device 0 by themselves when needed. Nothing / false when the
  // mixer, its speakers' volume control or a usable control range is missing.
  virtual std::optional<int> ReadPercent() = 0;
  virtual bool WritePercent(int percent) = 0;
};

}  // namespace koru
