#include "medialist/ini_section_scan.h"

#include <cstring>
#include <optional>

#include "platform/cp932.h"

namespace koru {
namespace {

bool IsProfileSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kMark.size()) == kMark) bytes.remove_prefix(kMark.size());
  return bytes;
}

// The name of a section header line, nothing for any other line. The header
// ends at its last "]", where a byte 0x5D inside a double-byte character does
// not count.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view content = Trim(line);
  if (content.empty() || content.front() != '[') return std::nullopt;
  std::size_t close = std::string_view::npos;
  for (std::size_t pos = 1; pos < content.size(); pos += cp932::CharLength(content, pos)) {
    if (content[pos] == ']') close = pos;
  }
  if (close == std::string_view::npos) return std::nullopt;
  std::string_view name = Trim(content.substr(1, close - 1));
  return name.substr(0, name.find('\0'));
}

template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    if (!visit(bytes.substr(pos, end - pos))) return;
    pos = end + 1;
  }
}

}  // namespace

bool MayHoldSections(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  for (std::size_t pos = bytes.find('['); pos != std::string_view::npos; pos = bytes.find('[', pos + 1)) {
    std::size_t before = pos;
    while (before > 0 && IsProfileSpace(bytes[before - 1])) --before;
    if (before == 0 || bytes[before - 1] == '\r' || bytes[before - 1] == '\n') return true;
  }
  return false;
}

std::size_t KeyLinesInSection(std::string_view bytes, std::string_view section) {
  bool inside = false;
  bool seen = false;
  std::size_t keys = 0;
  ForEachLine(WithoutByteOrderMark(bytes), [&](std::string_view line) {
    if (std::optional<std::string_view> name = SectionName(line)) {
      if (inside) return false;
      inside = !seen && cp932::EqualsNoCase(*name, section);
      seen = seen || inside;
      return true;
    }
    std::string_view content = Trim(line);
    if (inside && !content.empty() && content.front() != ';' && content.find('=') != std::string_view::npos) ++keys;
    return true;
  });
  return keys;
}

}  // namespace koru
