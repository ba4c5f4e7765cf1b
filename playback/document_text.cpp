#include "playback/document_text.h"

#include <vector>

#include "platform/cp932.h"

namespace koru {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

// Strict UTF-8: an ill-formed sequence gives one replacement character per
// byte it spoils; one cut off at the end gives nothing.
std::u16string FromUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0) {
      text += kReplacement;
      ++pos;
      continue;
    }
    if (pos + length > bytes.size()) break;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    bool wellFormed = true;
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(bytes[pos + i]);
      wellFormed = wellFormed && (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!wellFormed || code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      text += kReplacement;
      ++pos;
      continue;
    }
    if (code >= 0x10000) {
      text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      text += static_cast<char16_t>(code);
    }
    pos += length;
  }
  return text;
}

std::u16string FromUtf16Le(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[pos]) |
                                  (static_cast<unsigned char>(bytes[pos + 1]) << 8));
  }
  if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();  // its pair was cut off
  return text;
}

std::u16string FromCp932(std::string_view bytes) {
  // A lead byte whose trail was cut off is dropped.
  std::size_t pos = 0;
  std::size_t whole = 0;
  while (pos < bytes.size()) {
    const std::size_t length = cp932::CharLength(bytes, pos);
    if (length == 1 && cp932::IsLeadByte(static_cast<unsigned char>(bytes[pos]))) break;
    pos += length;
    whole = pos;
  }
  return cp932::ToUtf16Lossy(bytes.substr(0, whole));
}

std::u16string WithCrLfLines(const std::u16string& text) {
  std::u16string lines;
  lines.reserve(text.size() + text.size() / 16);
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const char16_t c = text[pos];
    if (c == u'\r' || c == u'\n') {
      lines += u"\r\n";
      if (c == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') ++pos;
    } else {
      lines += c == 0 ? u' ' : c;
    }
  }
  return lines;
}

}  // namespace

std::u16string DocumentText(std::string_view bytes) {
  bytes = bytes.substr(0, kDocumentBytes);
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return WithCrLfLines(FromUtf8(bytes.substr(3)));
  if (StartsWith(bytes, "\xFF\xFE")) return WithCrLfLines(FromUtf16Le(bytes.substr(2)));
  return WithCrLfLines(FromCp932(bytes));
}

std::optional<std::string> FindDocument(FileSystem& files, const Settings& settings, std::string_view mediaPath) {
  const std::string base(cp932::WithoutExtension(mediaPath));
  for (std::size_t n = 0;; ++n) {
    const std::string extension = settings.NthExtension(file_category::kDocument, n);
    if (extension.empty()) return std::nullopt;
    std::string path = base + "." + extension;
    if (files.KindOf(path) == PathKind::File) return path;
  }
}

std::optional<std::u16string> LoadDocument(FileSystem& files, const Settings& settings, std::string_view mediaPath) {
  const std::optional<std::string> path = FindDocument(files, settings, mediaPath);
  if (!path) return std::nullopt;
  std::unique_ptr<InputFile> file = files.OpenForReading(*path);
  if (!file) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(file->Size(), kDocumentBytes)), '\0');
  bytes.resize(file->ReadAt(0, bytes.data(), bytes.size()));
  return DocumentText(bytes);
}

}  // namespace koru
