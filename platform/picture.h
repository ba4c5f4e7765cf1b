// Pictures for the image panel: which format a file holds, from its first
// bytes, and the decoded pixels of a JPEG.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace koru {

enum class PictureFormat { Unknown, Jpeg, Bitmap, Icon, Metafile, EnhancedMetafile };

// How many first bytes PictureFormatOf looks at.
inline constexpr std::size_t kPictureSignatureBytes = 44;

// The format by the file's signature: JPEG (FF D8 FF), bitmap ("BM"), icon
// (00 00 01 00), placeable or plain Windows metafile, enhanced metafile
// (type 1 and " EMF" at offset 40).
PictureFormat PictureFormatOf(std::span<const std::uint8_t> firstBytes);

// Bounds of what the image panel takes on.
inline constexpr int kMaxPictureSide = 8192;
inline constexpr std::int64_t kMaxPicturePixels = 25'000'000;
inline constexpr int kMaxJpegScans = 256;
inline constexpr std::uint64_t kMaxPictureFileBytes = 64ull * 1024 * 1024;
// What the JPEG library may allocate for one picture, besides the pixels.
inline constexpr long kJpegWorkingMemory = 192L * 1024 * 1024;

// Decoded pixels, rows top-down, four bytes per pixel: blue, green, red and
// an opaque 0xFF (the layout of a 32-bit device-independent bitmap).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;
};

// Decodes a JPEG (baseline or progressive; grey, YCbCr, RGB, CMYK or YCCK).
// Nothing for a file the library refuses, one larger than kMaxPictureSide
// a side or kMaxPicturePixels in all (refused before anything is
// allocated for it), or one with more than kMaxJpegScans scans. A file cut
// short decodes as far as it goes, the rest grey. Errors come back here;
// the library never prints or ends the process.
std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace koru
