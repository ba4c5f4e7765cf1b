#include "platform/picture.h"

#include <algorithm>
#include <array>

namespace koru {
namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> signature,
                std::size_t offset = 0) {
  return bytes.size() >= offset + signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

PictureFormat PictureFormatOf(std::span<const std::uint8_t> bytes) {
  if (StartsWith(bytes, {0xFF, 0xD8, 0xFF})) return PictureFormat::Jpeg;
  if (StartsWith(bytes, {'B', 'M'})) return PictureFormat::Bitmap;
  if (StartsWith(bytes, {0x00, 0x00, 0x01, 0x00})) return PictureFormat::Icon;
  if (StartsWith(bytes, {0x01, 0x00, 0x00, 0x00}) && StartsWith(bytes, {' ', 'E', 'M', 'F'}, 40)) {
    return PictureFormat::EnhancedMetafile;
  }
  // A placeable metafile's key, or a plain metafile's header: type 1 (memory)
  // or 2 (disk), header size 9 words.
  if (StartsWith(bytes, {0xD7, 0xCD, 0xC6, 0x9A})) return PictureFormat::Metafile;
  if (StartsWith(bytes, {0x01, 0x00, 0x09, 0x00}) || StartsWith(bytes, {0x02, 0x00, 0x09, 0x00})) {
    return PictureFormat::Metafile;
  }
  return PictureFormat::Unknown;
}

}  // namespace koru
