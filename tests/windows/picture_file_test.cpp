// The image panel's pictures: JPEG, bitmap, icon and both kinds of metafile
// come into a 32-bit DIB of their natural size; broken and unknown files
// come back as nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/jpeg_encoder.h"
#include "ui/picture_file.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

void Put16(std::string& bytes, int value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A BITMAPINFOHEADER and 32-bit bottom-up pixels of one colour, 0xRRGGBB.
std::string InfoAndPixels(int width, int height, int heightInHeader, std::uint32_t xrgb, bool withMask) {
  std::string bytes;
  Put32(bytes, 40);
  Put32(bytes, static_cast<std::uint32_t>(width));
  Put32(bytes, static_cast<std::uint32_t>(heightInHeader));
  Put16(bytes, 1);
  Put16(bytes, 32);
  Put32(bytes, 0);
  for (int i = 0; i < 5; ++i) Put32(bytes, 0);
  for (int i = 0; i < width * height; ++i) Put32(bytes, xrgb | 0xFF000000u);
  if (withMask) bytes.append(static_cast<std::size_t>(height * 4), '\0');  // AND mask rows of 32 bits: all opaque
  return bytes;
}

std::string BitmapFile(int width, int height, std::uint32_t bgr) {
  const std::string body = InfoAndPixels(width, height, height, bgr, false);
  std::string bytes = "BM";
  Put32(bytes, static_cast<std::uint32_t>(14 + body.size()));
  Put32(bytes, 0);
  Put32(bytes, 14 + 40);
  return bytes + body;
}

std::string IconFile(int size, std::uint32_t bgr) {
  const std::string body = InfoAndPixels(size, size, size * 2, bgr, true);
  std::string bytes;
  Put16(bytes, 0);
  Put16(bytes, 1);
  Put16(bytes, 1);
  bytes += static_cast<char>(size);
  bytes += static_cast<char>(size);
  bytes += '\0';
  bytes += '\0';
  Put16(bytes, 1);
  Put16(bytes, 32);
  Put32(bytes, static_cast<std::uint32_t>(body.size()));
  Put32(bytes, 22);
  return bytes + body;
}

// The colour (R, G, B) of a pixel of the picture's DIB.
COLORREF PixelAt(const PictureBitmap& picture, int x, int y) {
  DIBSECTION section = {};
  EXPECT_EQ(GetObjectW(picture.bitmap.Get(), sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  const auto* row = static_cast<const std::uint8_t*>(section.dsBm.bmBits) + static_cast<std::size_t>(y) * section.dsBm.bmWidthBytes;
  const std::uint8_t* pixel = row + x * 4;
  return RGB(pixel[2], pixel[1], pixel[0]);
}

void ExpectNear(COLORREF actual, COLORREF expected, int tolerance) {
  EXPECT_NEAR(GetRValue(actual), GetRValue(expected), tolerance);
  EXPECT_NEAR(GetGValue(actual), GetGValue(expected), tolerance);
  EXPECT_NEAR(GetBValue(actual), GetBValue(expected), tolerance);
}

TEST(PictureFile, EveryFormatBecomesADibOfItsNaturalSize) {
  testing::ScratchFolder folder;
  folder.WriteFile(L"a.jpg", Text(testing::EncodeJpeg(
                                 {.width = 40, .height = 30, .sample = [](int, int, int c) {
                                    return static_cast<std::uint8_t>(c == 0 ? 200 : c == 1 ? 40 : 10);
                                  }})));
  folder.WriteFile(L"a.bmp", BitmapFile(5, 3, 0xFF0000));  // red: blue, green, red, padding as a little-endian word
  folder.WriteFile(L"a.ico", IconFile(16, 0x00FF00));      // green

  const std::optional<PictureBitmap> jpeg = LoadPictureFile(folder / L"a.jpg");
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->width, 40);
  EXPECT_EQ(jpeg->height, 30);
  ExpectNear(PixelAt(*jpeg, 20, 15), RGB(200, 40, 10), 8);

  const std::optional<PictureBitmap> bitmap = LoadPictureFile(folder / L"a.bmp");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->width, 5);
  EXPECT_EQ(bitmap->height, 3);
  EXPECT_EQ(PixelAt(*bitmap, 4, 2), RGB(255, 0, 0));

  const std::optional<PictureBitmap> icon = LoadPictureFile(folder / L"a.ico");
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->width, 16);
  EXPECT_EQ(icon->height, 16);
  EXPECT_EQ(PixelAt(*icon, 8, 8), RGB(0, 255, 0));
}

TEST(PictureFile, MetafilesArePlayedAtTheScreensResolution) {
  testing::ScratchFolder folder;
  const std::wstring emf = folder / L"a.emf";
  WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSX);
  // A frame of 2.54 cm x 1.27 cm: one inch by half an inch.
  const RECT frame = {0, 0, 2540, 1270};
  HDC recorder = CreateEnhMetaFileW(nullptr, emf.c_str(), &frame, nullptr);
  ASSERT_NE(recorder, nullptr);
  UniqueBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
  const RECT all = {0, 0, dpi, dpi / 2};
  FillRect(recorder, &all, blue.Get());
  DeleteEnhMetaFile(CloseEnhMetaFile(recorder));

  const std::optional<PictureBitmap> picture = LoadPictureFile(emf);
  ASSERT_TRUE(picture);
  EXPECT_NEAR(picture->width, dpi, 2);
  EXPECT_NEAR(picture->height, dpi / 2, 2);
  EXPECT_EQ(PixelAt(*picture, picture->width / 2, picture->height / 2), RGB(0, 0, 255));
}

TEST(PictureFile, BrokenAndUnknownFilesGiveNothing) {
  testing::ScratchFolder folder;
  std::vector<std::uint8_t> jpeg = testing::EncodeJpeg({});
  jpeg.resize(30);
  folder.WriteFile(L"cut.jpg", Text(jpeg));
  folder.WriteFile(L"text.jpg", "not a picture at all");
  folder.WriteFile(L"empty.bmp", "");
  folder.WriteFile(L"bad.bmp", "BM this is no bitmap");
  for (const wchar_t* name : {L"cut.jpg", L"text.jpg", L"empty.bmp", L"bad.bmp", L"missing.jpg"}) {
    EXPECT_FALSE(LoadPictureFile(folder / name)) << static_cast<const void*>(name);
  }
}

}  // namespace
}  // namespace koru
