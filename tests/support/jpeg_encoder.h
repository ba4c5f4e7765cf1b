// Builds JPEG files for the tests with libjpeg's compressor, and cuts and
// patches them into the broken files a decoder must survive.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace koru::testing {

using Bytes = std::vector<std::uint8_t>;

struct JpegSpec {
  int width = 16;
  int height = 8;
  J_COLOR_SPACE colourSpace = JCS_RGB;  // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK (written inverted, as Adobe does)
  bool progressive = false;
  // The sample of channel c at (x, y).
  std::function<std::uint8_t(int x, int y, int c)> sample = [](int x, int y, int c) {
    return static_cast<std::uint8_t>(c == 0 ? x * 8 : c == 1 ? y * 16 : 128);
  };
};

inline Bytes EncodeJpeg(const JpegSpec& spec) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  const int components = spec.colourSpace == JCS_GRAYSCALE ? 1 : spec.colourSpace == JCS_CMYK ? 4 : 3;
  info.image_width = static_cast<JDIMENSION>(spec.width);
  info.image_height = static_cast<JDIMENSION>(spec.height);
  info.input_components = components;
  info.in_color_space = spec.colourSpace;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  if (spec.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(spec.width * components));
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < spec.width; ++x) {
      for (int c = 0; c < components; ++c) row[static_cast<std::size_t>(x * components + c)] = spec.sample(x, y, c);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// Offset of the first marker FF `code`, or bytes.size().
inline std::size_t FindMarker(const Bytes& bytes, std::uint8_t code, std::size_t from = 2) {
  for (std::size_t i = from; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == code) return i;
  }
  return bytes.size();
}

// Writes `width` and `height` into the frame header (SOF0 or SOF2).
inline void PatchSize(Bytes& bytes, int width, int height) {
  std::size_t sof = FindMarker(bytes, 0xC0);
  if (sof == bytes.size()) sof = FindMarker(bytes, 0xC2);
  bytes[sof + 5] = static_cast<std::uint8_t>(height >> 8);
  bytes[sof + 6] = static_cast<std::uint8_t>(height);
  bytes[sof + 7] = static_cast<std::uint8_t>(width >> 8);
  bytes[sof + 8] = static_cast<std::uint8_t>(width);
}

// The last scan (its SOS header and data up to EOI) repeated `times` more
// times before EOI, as a hostile file might.
inline Bytes WithRepeatedLastScan(const Bytes& bytes, int times) {
  std::size_t lastScan = bytes.size();
  for (std::size_t at = FindMarker(bytes, 0xDA); at < bytes.size(); at = FindMarker(bytes, 0xDA, at + 2)) lastScan = at;
  const std::size_t end = bytes.size() - 2;  // EOI
  Bytes repeated(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
  for (int i = 0; i < times; ++i) {
    repeated.insert(repeated.end(), bytes.begin() + static_cast<std::ptrdiff_t>(lastScan),
                    bytes.begin() + static_cast<std::ptrdiff_t>(end));
  }
  repeated.insert(repeated.end(), {0xFF, 0xD9});
  return repeated;
}

}  // namespace koru::testing
