#include "playback/volume_percent.h"

#include <algorithm>

namespace koru {

bool IsUsableVolumeRange(const VolumeRange& range) { return range.minimum < range.maximum; }

// The arithmetic is done in 64 bits: a control may span the whole 32-bit
// range, and (value - minimum) * 100 must not wrap.
std::optional<int> PercentOfVolume(std::uint32_t value, const VolumeRange& range) {
  if (!IsUsableVolumeRange(range)) return std::nullopt;
  const std::uint64_t span = std::uint64_t{range.maximum} - range.minimum;
  const std::uint64_t offset = std::clamp(value, range.minimum, range.maximum) - std::uint64_t{range.minimum};
  return static_cast<int>((offset * 100 + span / 2) / span);
}

std::optional<std::uint32_t> VolumeOfPercent(int percent, const VolumeRange& range) {
  if (!IsUsableVolumeRange(range)) return std::nullopt;
  const std::uint64_t span = std::uint64_t{range.maximum} - range.minimum;
  const std::uint64_t share = static_cast<std::uint64_t>(std::clamp(percent, 0, 100));
  return static_cast<std::uint32_t>(range.minimum + span * share / 100);
}

}  // namespace koru
