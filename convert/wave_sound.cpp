#include "convert/wave_sound.h"

#include <cstdint>
#include <cstring>

namespace koru {
namespace {

constexpr std::uint32_t kMinFormatBytes = 16;  // PCMWAVEFORMAT

std::uint32_t LittleEndian32(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

}  // namespace

bool HoldsWaveSound(InputFile& file) {
  unsigned char header[12];
  if (file.ReadAt(0, header, sizeof header) != sizeof header) return false;
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) return false;

  const std::uint64_t size = file.Size();
  bool hasFormat = false;
  // Every step moves on by at least a chunk header, so the walk ends within
  // the file whatever lengths the chunks claim.
  for (std::uint64_t offset = sizeof header; offset + 8 <= size;) {
    unsigned char chunk[8];
    if (file.ReadAt(offset, chunk, sizeof chunk) != sizeof chunk) return false;
    const std::uint32_t length = LittleEndian32(chunk + 4);
    offset += sizeof chunk;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      hasFormat = length >= kMinFormatBytes;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      return hasFormat && length > 0 && offset < size;
    }
    offset += length + (length & 1);
  }
  return false;
}

}  // namespace koru
