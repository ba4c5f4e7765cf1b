// Ogg Vorbis decoded to interleaved 16-bit samples.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace koru::doubles {

struct DecodedSound {
  int channels = 0;
  int sampleRate = 0;
  std::vector<short> samples;  // interleaved
};

std::optional<DecodedSound> DecodeVorbis(std::string_view ogg);

}  // namespace koru::doubles
