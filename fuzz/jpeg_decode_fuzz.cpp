// Arbitrary bytes as the image panel's picture: the JPEG decoder must come
// back with a picture of the size it claims, or with nothing, whatever the
// file holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<koru::Picture> picture = koru::DecodeJpeg({data, size});
  if (picture) {
    const bool consistent = picture->width >= 1 && picture->height >= 1 && picture->width <= koru::kMaxPictureSide &&
                            picture->height <= koru::kMaxPictureSide &&
                            picture->bgra.size() == static_cast<std::size_t>(picture->width) * picture->height * 4;
    if (!consistent) std::abort();
  }
  koru::PictureFormatOf({data, size});
  return 0;
}
