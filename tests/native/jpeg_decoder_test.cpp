#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/picture.h"
#include "support/jpeg_encoder.h"

namespace koru {
namespace {

using testing::Bytes;
using testing::EncodeJpeg;
using testing::JpegSpec;

// The largest difference between the decoded picture and `expected`
// (blue, green, red of each pixel).
int WorstError(const Picture& picture, const std::function<std::array<int, 3>(int x, int y)>& expected) {
  int worst = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t* pixel = &picture.bgra[static_cast<std::size_t>((y * picture.width + x) * 4)];
      const std::array<int, 3> want = expected(x, y);
      for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(pixel[c] - want[static_cast<std::size_t>(c)]));
      EXPECT_EQ(pixel[3], 0xFF);
    }
  }
  return worst;
}

std::array<int, 3> Gradient(int x, int y) { return {128, y * 16, x * 8}; }

TEST(DecodeJpeg, BaselineAndProgressiveColour) {
  for (bool progressive : {false, true}) {
    const std::optional<Picture> picture = DecodeJpeg(EncodeJpeg({.progressive = progressive}));
    ASSERT_TRUE(picture) << "progressive " << progressive;
    EXPECT_EQ(picture->width, 16);
    EXPECT_EQ(picture->height, 8);
    EXPECT_LE(WorstError(*picture, Gradient), 12) << "progressive " << progressive;
  }
}

TEST(DecodeJpeg, GreyAndCmyk) {
  const std::optional<Picture> grey = DecodeJpeg(EncodeJpeg(
      {.colourSpace = JCS_GRAYSCALE, .sample = [](int x, int, int) { return static_cast<std::uint8_t>(x * 16); }}));
  ASSERT_TRUE(grey);
  EXPECT_LE(WorstError(*grey, [](int x, int) { return std::array<int, 3>{x * 16, x * 16, x * 16}; }), 4);

  // Inverted CMYK as Adobe writes it: 255 - cyan and no black ink gives red 0
  // at the left edge; stored 255 everywhere is white.
  const std::optional<Picture> cmyk = DecodeJpeg(EncodeJpeg(
      {.colourSpace = JCS_CMYK, .sample = [](int x, int, int c) { return static_cast<std::uint8_t>(c == 0 ? x * 17 : 255); }}));
  ASSERT_TRUE(cmyk);
  EXPECT_LE(WorstError(*cmyk, [](int x, int) { return std::array<int, 3>{255, 255, x * 17}; }), 6);
}

TEST(DecodeJpeg, TruncatedFileDecodesAsFarAsItGoes) {
  const Bytes whole = EncodeJpeg({.width = 64, .height = 64});
  const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 3 / 4));
  const std::optional<Picture> picture = DecodeJpeg(cut);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 64);
  EXPECT_EQ(picture->height, 64);
  // Cut inside the header: nothing.
  const Bytes header(whole.begin(), whole.begin() + 40);
  EXPECT_FALSE(DecodeJpeg(header));
}

TEST(DecodeJpeg, CorruptFilesAreRefusedOrSurvived) {
  const Bytes whole = EncodeJpeg({.width = 32, .height = 32});
  EXPECT_FALSE(DecodeJpeg(Bytes{}));
  EXPECT_FALSE(DecodeJpeg(Bytes{0xFF, 0xD8, 0xFF}));
  EXPECT_FALSE(DecodeJpeg(Bytes(1000, 0x00)));
  Bytes noFrame = whole;
  noFrame[testing::FindMarker(noFrame, 0xC0) + 1] = 0xCF;  // a frame type libjpeg does not decode
  EXPECT_FALSE(DecodeJpeg(noFrame));
  Bytes zeroWidth = whole;
  testing::PatchSize(zeroWidth, 0, 32);
  EXPECT_FALSE(DecodeJpeg(zeroWidth));
  // Garbage in the entropy-coded data: a picture of the right size, whatever it shows.
  Bytes garbled = whole;
  const std::size_t data = testing::FindMarker(garbled, 0xDA) + 20;
  for (std::size_t i = data; i < garbled.size() - 2; i += 3) garbled[i] = static_cast<std::uint8_t>(i * 37);
  const std::optional<Picture> picture = DecodeJpeg(garbled);
  if (picture) EXPECT_EQ(picture->bgra.size(), 32u * 32u * 4u);
}

TEST(DecodeJpeg, OversizedPicturesAreRefusedBeforeDecoding) {
  struct Case {
    int width;
    int height;
    bool accepted;
  };
  const Case cases[] = {
      {8192, 2, true},     // at the side limit (the data then runs out: grey rows)
      {8193, 2, false},
      {2, 8193, false},
      {5000, 5000, true},  // 25,000,000 pixels
      {5001, 5000, false},
  };
  const Bytes small = EncodeJpeg({.width = 8, .height = 8});
  for (const Case& c : cases) {
    Bytes patched = small;
    testing::PatchSize(patched, c.width, c.height);
    const std::optional<Picture> picture = DecodeJpeg(patched);
    EXPECT_EQ(picture.has_value(), c.accepted) << c.width << "x" << c.height;
    if (picture) EXPECT_EQ(picture->width, c.width);
  }
  EXPECT_FALSE(DecodeJpeg(Bytes(kMaxPictureFileBytes + 1, 0xFF)));
}

TEST(DecodeJpeg, StopsAfterTooManyScans) {
  const Bytes progressive = EncodeJpeg({.width = 16, .height = 16, .progressive = true});
  EXPECT_TRUE(DecodeJpeg(testing::WithRepeatedLastScan(progressive, 200)));
  EXPECT_FALSE(DecodeJpeg(testing::WithRepeatedLastScan(progressive, kMaxJpegScans)));
}

TEST(PictureFormatOf, BySignature) {
  auto format = [](std::initializer_list<std::uint8_t> bytes) { return PictureFormatOf(std::vector<std::uint8_t>(bytes)); };
  EXPECT_EQ(format({0xFF, 0xD8, 0xFF, 0xE0}), PictureFormat::Jpeg);
  EXPECT_EQ(format({'B', 'M', 0, 0}), PictureFormat::Bitmap);
  EXPECT_EQ(format({0, 0, 1, 0, 1, 0}), PictureFormat::Icon);
  EXPECT_EQ(format({0xD7, 0xCD, 0xC6, 0x9A}), PictureFormat::Metafile);
  EXPECT_EQ(format({0x01, 0x00, 0x09, 0x00}), PictureFormat::Metafile);
  std::vector<std::uint8_t> emf(44, 0);
  emf[0] = 1;
  emf[40] = ' ';
  emf[41] = 'E';
  emf[42] = 'M';
  emf[43] = 'F';
  EXPECT_EQ(PictureFormatOf(emf), PictureFormat::EnhancedMetafile);
  EXPECT_EQ(format({'G', 'I', 'F', '8'}), PictureFormat::Unknown);
  EXPECT_EQ(format({0xFF}), PictureFormat::Unknown);
}

}  // namespace
}  // namespace koru
