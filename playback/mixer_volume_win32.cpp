#include "playback/mixer_volume_win32.h"

namespace koru {

bool MixerVolume::Open() {
  if (mixer_) return true;
  HMIXER handle = nullptr;
  if (::mixerOpen(&handle, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) return false;
  mixer_.Reset(handle);
  // Asking for the capabilities proves the device answers before anything
  // relies on it.
  MIXERCAPSW capabilities{};
  if (::mixerGetDevCapsW(reinterpret_cast<UINT_PTR>(handle), &capabilities, sizeof capabilities) != MMSYSERR_NOERROR) {
    Close();
    return false;
  }
  return true;
}

void MixerVolume::Close() {
  mixer_.Reset();
  controlId_.reset();
}

std::optional<VolumeRange> MixerVolume::ControlRange() const {
  if (!controlId_) return std::nullopt;
  return range_;
}

bool MixerVolume::FindVolumeControl() {
  if (controlId_) return true;
  if (!Open()) return false;
  const auto mixer = reinterpret_cast<HMIXEROBJ>(mixer_.Get());

  MIXERLINEW line{};
  line.cbStruct = sizeof line;
  line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
  if (::mixerGetLineInfoW(mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) {
    return false;
  }

  MIXERCONTROLW control{};
  control.cbStruct = sizeof control;
  MIXERLINECONTROLSW controls{};
  controls.cbStruct = sizeof controls;
  controls.dwLineID = line.dwLineID;
  controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof control;
  controls.pamxctrl = &control;
  if (::mixerGetLineControlsW(mixer, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
      MMSYSERR_NOERROR) {
    return false;
  }
  controlId_ = control.dwControlID;
  range_ = VolumeRange{control.Bounds.dwMinimum, control.Bounds.dwMaximum};
  return true;
}

// One channel stands for all of them: the value is read and set uniformly.
MMRESULT MixerVolume::ControlDetails(DWORD* value, bool write) {
  MIXERCONTROLDETAILS_UNSIGNED detail{};
  detail.dwValue = *value;
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = *controlId_;
  details.cChannels = 1;
  details.cMultipleItems = 0;
  details.cbDetails = sizeof detail;
  details.paDetails = &detail;
  const auto mixer = reinterpret_cast<HMIXEROBJ>(mixer_.Get());
  const DWORD flags = MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE;
  const MMRESULT result = write ? ::mixerSetControlDetails(mixer, &details, flags | MIXER_SETCONTROLDETAILSF_VALUE)
                                : ::mixerGetControlDetailsW(mixer, &details, flags);
  *value = detail.dwValue;
  return result;
}

std::optional<int> MixerVolume::ReadPercent() {
  if (!FindVolumeControl()) return std::nullopt;
  DWORD value = 0;
  if (ControlDetails(&value, false) != MMSYSERR_NOERROR) return std::nullopt;
  return PercentOfVolume(value, range_);
}

bool MixerVolume::WritePercent(int percent) {
  if (!FindVolumeControl()) return false;
  const std::optional<std::uint32_t> value = VolumeOfPercent(percent, range_);
  if (!value) return false;
  DWORD detail = *value;
  return ControlDetails(&detail, true) == MMSYSERR_NOERROR;
}

}  // namespace koru
