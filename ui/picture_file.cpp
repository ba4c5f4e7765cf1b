#include "ui/picture_file.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/picture.h"
#include "ui/layout/design_scale.h"

namespace koru {
namespace {

// A metafile without a size of its own is shown this large.
constexpr int kDefaultMetafileWidth = 320;
constexpr int kDefaultMetafileHeight = 240;
constexpr std::size_t kPlaceableHeaderBytes = 22;

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size = {};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > kMaxPictureFileBytes) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return std::nullopt;
  bytes.resize(read);
  return bytes;
}

// A blank 32-bit top-down DIB section; `pixels` points at its rows.
std::optional<PictureBitmap> NewDib(int width, int height, void** pixels) {
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
      static_cast<std::int64_t>(width) * height > kMaxPicturePixels) {
    return std::nullopt;
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0));
  if (!bitmap || !*pixels) return std::nullopt;
  return PictureBitmap{std::move(bitmap), width, height};
}

// A DIB of the size given, white, drawn on by `draw` through a memory DC.
template <typename Draw>
std::optional<PictureBitmap> DrawnDib(int width, int height, Draw&& draw) {
  void* pixels = nullptr;
  std::optional<PictureBitmap> picture = NewDib(width, height, &pixels);
  if (!picture) return std::nullopt;
  std::memset(pixels, 0xFF, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return std::nullopt;
  ScopedSelect selected(dc.Get(), picture->bitmap.Get());
  const RECT area = {0, 0, width, height};
  if (!draw(dc.Get(), area)) return std::nullopt;
  GdiFlush();
  return picture;
}

std::optional<PictureBitmap> FromJpeg(const std::vector<std::uint8_t>& bytes) {
  std::optional<Picture> decoded = DecodeJpeg(bytes);
  if (!decoded) return std::nullopt;
  void* pixels = nullptr;
  std::optional<PictureBitmap> picture = NewDib(decoded->width, decoded->height, &pixels);
  if (picture) std::memcpy(pixels, decoded->bgra.data(), decoded->bgra.size());
  return picture;
}

std::optional<PictureBitmap> FromBitmapFile(const std::wstring& path) {
  UniqueBitmap loaded(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  BITMAP info = {};
  if (!loaded || !GetObjectW(loaded.Get(), sizeof info, &info)) return std::nullopt;
  return DrawnDib(info.bmWidth, std::abs(info.bmHeight), [&](HDC dc, const RECT& area) {
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    ScopedSelect selected(source.Get(), loaded.Get());
    return BitBlt(dc, 0, 0, area.right, area.bottom, source.Get(), 0, 0, SRCCOPY) != FALSE;
  });
}

std::optional<PictureBitmap> FromIconFile(const std::wstring& path) {
  UniqueIcon icon(static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0,
                                                              LR_LOADFROMFILE)));
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon.Get(), &info)) return std::nullopt;
  UniqueBitmap mask(info.hbmMask);
  UniqueBitmap colour(info.hbmColor);
  BITMAP size = {};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof size, &size);
  const int height = info.hbmColor ? size.bmHeight : size.bmHeight / 2;  // a mono icon's mask holds both halves
  return DrawnDib(size.bmWidth, height, [&](HDC dc, const RECT& area) {
    return DrawIconEx(dc, 0, 0, icon.Get(), area.right, area.bottom, 0, nullptr, DI_NORMAL) != FALSE;
  });
}

std::optional<PictureBitmap> FromEnhancedMetafile(UniqueEnhMetafile metafile) {
  ENHMETAHEADER header = {};
  if (!metafile || !GetEnhMetaFileHeader(metafile.Get(), sizeof header, &header)) return std::nullopt;
  // The frame is in hundredths of a millimetre; the picture shows at the
  // screen's resolution.
  WindowDc screen(nullptr);
  const int dpiX = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kDesignDpi;
  const int dpiY = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kDesignDpi;
  const long long frameWidth = static_cast<long long>(header.rclFrame.right) - header.rclFrame.left;
  const long long frameHeight = static_cast<long long>(header.rclFrame.bottom) - header.rclFrame.top;
  int width = static_cast<int>(std::min<long long>(frameWidth * dpiX / 2540, kMaxPictureSide + 1));
  int height = static_cast<int>(std::min<long long>(frameHeight * dpiY / 2540, kMaxPictureSide + 1));
  if (width < 1 || height < 1) {
    width = kDefaultMetafileWidth;
    height = kDefaultMetafileHeight;
  }
  return DrawnDib(width, height, [&](HDC dc, const RECT& area) {
    return PlayEnhMetaFile(dc, metafile.Get(), &area) != FALSE;
  });
}

std::optional<PictureBitmap> FromWindowsMetafile(const std::vector<std::uint8_t>& bytes) {
  METAFILEPICT picture = {MM_ANISOTROPIC, 0, 0, nullptr};
  std::size_t offset = 0;
  if (PictureFormatOf(bytes) == PictureFormat::Metafile && bytes.size() > kPlaceableHeaderBytes &&
      bytes[0] == 0xD7) {
    // The placeable header: bounding box in units of `inch` per inch.
    const auto word = [&](std::size_t at) { return static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8)); };
    const int inch = static_cast<std::uint16_t>(word(14));
    if (inch > 0) {
      picture.xExt = (word(10) - word(6)) * 2540 / inch;
      picture.yExt = (word(12) - word(8)) * 2540 / inch;
    }
    offset = kPlaceableHeaderBytes;
  }
  const std::size_t size = bytes.size() - offset;
  if (size > UINT_MAX) return std::nullopt;
  return FromEnhancedMetafile(UniqueEnhMetafile(
      SetWinMetaFileBits(static_cast<UINT>(size), bytes.data() + offset, nullptr,
                         picture.xExt > 0 && picture.yExt > 0 ? &picture : nullptr)));
}

}  // namespace

std::optional<PictureBitmap> LoadPictureFile(const std::wstring& path) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  switch (PictureFormatOf(*bytes)) {
    case PictureFormat::Jpeg: return FromJpeg(*bytes);
    case PictureFormat::Bitmap: return FromBitmapFile(path);
    case PictureFormat::Icon: return FromIconFile(path);
    case PictureFormat::EnhancedMetafile:
      return FromEnhancedMetafile(
          UniqueEnhMetafile(SetEnhMetaFileBits(static_cast<UINT>(bytes->size()), bytes->data())));
    case PictureFormat::Metafile: return FromWindowsMetafile(*bytes);
    default: return std::nullopt;
  }
}

}  // namespace koru
