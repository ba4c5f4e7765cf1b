#include "medialist/ini_section_scan.h"

namespace koru {
namespace {

bool IsProfileSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view WithoutByteOrderMark(std::string_view bytes) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kMark.size()) == kMark) bytes.remove_prefix(kMark.size());
  return bytes;
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

}  // namespace koru
