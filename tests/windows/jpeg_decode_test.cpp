// libjpeg, built for Windows from Debian's sources, decodes a picture through
// the six decompression calls the image panel uses.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 16;

unsigned char Expected(int x, int y, int channel) {
  // Smooth gradients survive JPEG at high quality with small errors only.
  switch (channel) {
    case 0: return static_cast<unsigned char>(x * 8);
    case 1: return static_cast<unsigned char>(y * 16);
    default: return 128;
  }
}

std::vector<unsigned char> EncodeGradient() {
  jpeg_compress_struct compressor;
  jpeg_error_mgr errors;
  compressor.err = jpeg_std_error(&errors);
  jpeg_create_compress(&compressor);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&compressor, &buffer, &size);
  compressor.image_width = kWidth;
  compressor.image_height = kHeight;
  compressor.input_components = 3;
  compressor.in_color_space = JCS_RGB;
  jpeg_set_defaults(&compressor);
  jpeg_set_quality(&compressor, 100, TRUE);
  jpeg_start_compress(&compressor, TRUE);
  std::vector<unsigned char> row(kWidth * 3);
  while (compressor.next_scanline < compressor.image_height) {
    const int y = static_cast<int>(compressor.next_scanline);
    for (int x = 0; x < kWidth; ++x)
      for (int c = 0; c < 3; ++c) row[x * 3 + c] = Expected(x, y, c);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&compressor, rows, 1);
  }
  jpeg_finish_compress(&compressor);
  jpeg_destroy_compress(&compressor);
  std::vector<unsigned char> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

TEST(JpegDecode, SixCallsGiveBackThePicture) {
  const std::vector<unsigned char> jpeg = EncodeGradient();
  ASSERT_GT(jpeg.size(), 100u);
  ASSERT_EQ(jpeg[0], 0xFF);
  ASSERT_EQ(jpeg[1], 0xD8);

  jpeg_decompress_struct decompressor;
  jpeg_error_mgr errors;
  decompressor.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&decompressor);                         // 1
  jpeg_mem_src(&decompressor, jpeg.data(), jpeg.size());
  ASSERT_EQ(jpeg_read_header(&decompressor, TRUE), JPEG_HEADER_OK);  // 2
  decompressor.out_color_space = JCS_RGB;
  ASSERT_TRUE(jpeg_start_decompress(&decompressor));             // 3
  EXPECT_EQ(decompressor.output_width, static_cast<unsigned>(kWidth));
  EXPECT_EQ(decompressor.output_height, static_cast<unsigned>(kHeight));
  ASSERT_EQ(decompressor.output_components, 3);

  std::vector<unsigned char> row(kWidth * 3);
  int worst = 0;
  while (decompressor.output_scanline < decompressor.output_height) {
    const int y = static_cast<int>(decompressor.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    ASSERT_EQ(jpeg_read_scanlines(&decompressor, rows, 1), 1u);  // 4
    for (int x = 0; x < kWidth; ++x)
      for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(row[x * 3 + c] - Expected(x, y, c)));
  }
  EXPECT_TRUE(jpeg_finish_decompress(&decompressor));            // 5
  jpeg_destroy_decompress(&decompressor);                        // 6
  EXPECT_LE(worst, 6) << "decoded pixels stay close to the encoded ones";
}

}  // namespace
