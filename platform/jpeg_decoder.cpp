// JPEG through libjpeg's six decompression calls. The library reports an
// error by calling error_exit, whose default prints and ends the process:
// ours jumps back to the decoder instead, and the messages go nowhere. The
// jump crosses only this file's plain C-style frames, so no destructor is
// skipped.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

#include "platform/picture.h"

namespace koru {
namespace {

struct Decoder {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  jpeg_progress_mgr progress;
  std::jmp_buf failed;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<Decoder*>(info->client_data)->failed, 1);
}

void OutputMessage(j_common_ptr) {}

// Called between the scans the library takes in: a file of endless tiny
// scans would otherwise keep it busy for minutes.
void WatchScans(j_common_ptr info) {
  const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxJpegScans) ErrorExit(info);
}

bool WithinBounds(JDIMENSION width, JDIMENSION height) {
  return width >= 1 && height >= 1 && width <= static_cast<JDIMENSION>(kMaxPictureSide) &&
         height <= static_cast<JDIMENSION>(kMaxPictureSide) &&
         static_cast<std::int64_t>(width) * height <= kMaxPicturePixels;
}

// One decoded row into blue, green, red, 0xFF.
void StoreRow(const jpeg_decompress_struct& info, const JSAMPLE* row, std::uint8_t* out) {
  const bool invertedCmyk = info.saw_Adobe_marker;  // Adobe writes CMYK inverted
  for (JDIMENSION x = 0; x < info.output_width; ++x, out += 4) {
    switch (info.out_color_space) {
      case JCS_GRAYSCALE:
        out[0] = out[1] = out[2] = row[x];
        break;
      case JCS_CMYK: {
        const JSAMPLE* p = row + 4 * x;
        unsigned ink[4];
        for (int i = 0; i < 4; ++i) ink[i] = invertedCmyk ? p[i] : 255u - p[i];  // as 255 - amount
        out[2] = static_cast<std::uint8_t>(ink[0] * ink[3] / 255);
        out[1] = static_cast<std::uint8_t>(ink[1] * ink[3] / 255);
        out[0] = static_cast<std::uint8_t>(ink[2] * ink[3] / 255);
        break;
      }
      default: {
        const JSAMPLE* p = row + 3 * x;
        out[0] = p[2];
        out[1] = p[1];
        out[2] = p[0];
        break;
      }
    }
    out[3] = 0xFF;
  }
}

// The library's calls up to destroy. False when it failed or the picture is
// out of bounds; `picture` then holds nothing of use.
bool Decompress(Decoder& decoder, const std::uint8_t* bytes, std::size_t size, Picture& picture) {
  jpeg_decompress_struct& info = decoder.info;
  if (setjmp(decoder.failed)) return false;
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kJpegWorkingMemory;
  decoder.progress.progress_monitor = WatchScans;
  info.progress = &decoder.progress;
  jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!WithinBounds(info.image_width, info.image_height)) return false;
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE: info.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: info.out_color_space = JCS_CMYK; break;
    case JCS_RGB:
    case JCS_YCbCr: info.out_color_space = JCS_RGB; break;
    default: return false;
  }
  jpeg_start_decompress(&info);
  const int components = info.out_color_space == JCS_GRAYSCALE ? 1 : info.out_color_space == JCS_CMYK ? 4 : 3;
  if (info.output_components != components || !WithinBounds(info.output_width, info.output_height)) return false;
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.bgra.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4);
  // The library owns the row and frees it with the decompressor.
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                              info.output_width * static_cast<JDIMENSION>(components), 1);
  while (info.output_scanline < info.output_height) {
    const JDIMENSION y = info.output_scanline;
    if (jpeg_read_scanlines(&info, row, 1) != 1) return false;
    StoreRow(info, row[0], picture.bgra.data() + static_cast<std::size_t>(y) * picture.width * 4);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > kMaxPictureFileBytes) return std::nullopt;
  Decoder decoder{};
  decoder.info.err = jpeg_std_error(&decoder.errors);
  decoder.errors.error_exit = ErrorExit;
  decoder.errors.output_message = OutputMessage;
  decoder.info.client_data = &decoder;
  Picture picture;
  bool decoded = false;
  try {
    decoded = Decompress(decoder, bytes.data(), bytes.size(), picture);
  } catch (...) {
    decoded = false;  // the pixels could not be allocated
  }
  jpeg_destroy_decompress(&decoder.info);  // also after a failed create: it frees what there is
  if (!decoded) return std::nullopt;
  return picture;
}

}  // namespace koru
