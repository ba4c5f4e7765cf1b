// The volume bar speaks in whole percent; the mixer's volume control has its
// own unsigned range. These conversions sit between the two.
#pragma once

#include <cstdint>
#include <optional>

namespace koru {

// The bounds of a mixer volume control as the system reports them.
struct VolumeRange {
  std::uint32_t minimum = 0;
  std::uint32_t maximum = 0;
};

// A range the conversions can work with: one that holds more than one value.
// A control whose minimum is not below its maximum is refused, which keeps
// both conversions away from a division by zero.
bool IsUsableVolumeRange(const VolumeRange& range);

// The nearest whole percent of `value` within the range (half rounds up).
// A value outside the range counts as the nearer bound. Nothing for a refused
// range.
std::optional<int> PercentOfVolume(std::uint32_t value, const VolumeRange& range);

// The control value for `percent` (taken as 0 when below, 100 when above),
// rounded down. Nothing for a refused range.
std::optional<std::uint32_t> VolumeOfPercent(int percent, const VolumeRange& range);

}  // namespace koru
