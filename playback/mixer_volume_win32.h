// The master volume: the speakers' volume control of mixer device 0.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <optional>

#include "platform/unique_handle_win32.h"
#include "playback/volume_mixer.h"
#include "playback/volume_percent.h"

namespace koru {

struct MixerTraits {
  using Handle = HMIXER;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::mixerClose(handle); }
};

// Every failure makes a read or write return nothing or false; a system
// without a mixer simply has a volume that does nothing.
class MixerVolume : public VolumeMixer {
 public:
  MixerVolume() = default;
  MixerVolume(const MixerVolume&) = delete;
  MixerVolume& operator=(const MixerVolume&) = delete;

  // Opens mixer device 0 unless a handle is held; true when one is held.
  bool Open() override;
  // Lets go of the handle and of the control found through it.
  void Close() override;
  std::optional<int> ReadPercent() override;
  bool WritePercent(int percent) override;

  // The control's bounds, once it was found.
  std::optional<VolumeRange> ControlRange() const;
  // The open mixer, null while none is held.
  HMIXER Handle() const { return mixer_.Get(); }

 private:
  // Looks the control up on first use and remembers it.
  bool FindVolumeControl();
  MMRESULT ControlDetails(DWORD* value, bool write);

  UniqueHandle<MixerTraits> mixer_;
  std::optional<DWORD> controlId_;
  VolumeRange range_;
};

}  // namespace koru
