// The decoder of stb_vorbis (Debian's libstb-dev): one file, nothing else
// needed.
#include "vorbis.h"

#include <cstdlib>

#define STB_VORBIS_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-value"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <stb_vorbis.h>
#pragma GCC diagnostic pop

namespace koru::doubles {

std::optional<DecodedSound> DecodeVorbis(std::string_view ogg) {
  DecodedSound sound;
  short* samples = nullptr;
  const int frames = stb_vorbis_decode_memory(reinterpret_cast<const unsigned char*>(ogg.data()),
                                              static_cast<int>(ogg.size()), &sound.channels, &sound.sampleRate,
                                              &samples);
  if (frames < 0 || samples == nullptr) return std::nullopt;
  sound.samples.assign(samples, samples + static_cast<std::size_t>(frames) * sound.channels);
  std::free(samples);
  return sound;
}

}  // namespace koru::doubles
