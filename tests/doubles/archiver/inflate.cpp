// The inflate of stb_image (Debian's libstb-dev) is small and needs nothing
// else; only its zlib part is used.
#include "inflate.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace koru::doubles {

std::optional<std::string> InflateRaw(std::string_view packed, std::uint32_t size) {
  std::string out(size, '\0');
  if (size == 0) return out;
  // This stb_image stops with an error when fewer than 16 bits are left for
  // the last codes, which tightly packed ZIP data often has; zero bytes after
  // the final block are never read as data.
  std::string padded(packed);
  padded.append(4, '\0');
  const int written = stbi_zlib_decode_noheader_buffer(out.data(), static_cast<int>(size), padded.data(),
                                                       static_cast<int>(padded.size()));
  if (written != static_cast<int>(size)) return std::nullopt;
  return out;
}

}  // namespace koru::doubles
