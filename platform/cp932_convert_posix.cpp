// Strict conversion between code page 932 and UTF-16 with glibc's iconv.
// "CP932" is Windows-31J; "SHIFT_JIS" differs from Windows in several rows
// (0x5C, 0x7E, 0x815F, 0x8160, the NEC and IBM rows) and must not be used.
// glibc refuses the lone bytes 0x80, 0xA0 and 0xFD-0xFF, which Windows maps to
// U+0080 and private-use characters; no text of ours uses them.
#include <iconv.h>

#include <cerrno>
#include <string>

#include "platform/cp932.h"

namespace koru::cp932 {
namespace {

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (IsOpen()) iconv_close(handle_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `input`; nothing when a byte sequence or character has no
  // form in the target encoding.
  std::optional<std::string> Convert(std::string_view input) {
    if (!IsOpen()) return std::nullopt;
    std::string output(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t written = 0;
    for (;;) {
      char* out = output.data() + written;
      std::size_t outLeft = output.size() - written;
      const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
      written = output.size() - outLeft;
      if (result != static_cast<std::size_t>(-1)) break;
      if (errno != E2BIG) return std::nullopt;  // EILSEQ, or a sequence cut off at the end (EINVAL)
      output.resize(output.size() * 2);
    }
    // Both encodings are stateless: there is no shift state to flush.
    output.resize(written);
    return output;
  }

 private:
  iconv_t handle_;
};

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::u16string FromUtf16LeBytes(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return text;
}

std::optional<std::string> ToUtf16LeBytes(std::string_view text) {
  return IconvHandle("UTF-16LE", "CP932").Convert(text);
}

}  // namespace

std::optional<std::u16string> ToUtf16(std::string_view text) {
  auto bytes = ToUtf16LeBytes(text);
  if (!bytes) return std::nullopt;
  return FromUtf16LeBytes(*bytes);
}

std::optional<std::string> FromUtf16(std::u16string_view text) {
  const std::string utf16 = Utf16LeBytes(text);
  auto cp932 = IconvHandle("CP932", "UTF-16LE").Convert(utf16);
  if (!cp932) return std::nullopt;
  // glibc also maps some characters one way only (U+00A5 to 0x5C, U+301C to
  // 0x8160). Windows refuses those under WC_NO_BEST_FIT_CHARS; refusing every
  // result that does not convert back to the same text does the same here.
  if (ToUtf16LeBytes(*cp932) != utf16) return std::nullopt;
  return cp932;
}

}  // namespace koru::cp932
