// The image panel's picture from a file: JPEG through the portable decoder,
// bitmaps, icons and metafiles through the system's loaders, the format told
// by the file's first bytes. Every picture becomes a 32-bit DIB section of
// its natural size, so the panel draws them all alike.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/unique_handle_win32.h"

namespace koru {

struct PictureBitmap {
  UniqueBitmap bitmap;
  int width = 0;
  int height = 0;
};

// Nothing for a file that is missing, larger than 64 MiB, of no known
// format, or that its loader refuses.
std::optional<PictureBitmap> LoadPictureFile(const std::wstring& path);

}  // namespace koru
