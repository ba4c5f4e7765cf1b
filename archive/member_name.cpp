#include "archive/member_name.h"

#include <array>
#include <vector>

#include "platform/cp932.h"

namespace koru {
namespace {

bool IsRefusedSingleByte(unsigned char byte) {
  if (byte < 0x20 || byte == 0x7F) return true;
  switch (byte) {
    case '"':
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '<':
    case '>':
    case '|':
      return true;
    default:
      return false;
  }
}

// CON, NUL, COM1, ... name the device whatever follows the first dot, and
// blanks before that dot do not count.
bool IsDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  static constexpr std::array<std::string_view, 6> kDevices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  const std::string upper = cp932::ToUpper(base);
  for (std::string_view device : kDevices) {
    if (upper == device) return true;
  }
  return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
         upper[3] >= '1' && upper[3] <= '9';
}

// The parts of a name between its "\" and "/" separators (trail bytes are
// never separators); an empty name has one empty part.
std::vector<std::string_view> PartsOf(std::string_view name) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos < name.size()) {
    const std::size_t length = cp932::CharLength(name, pos);
    if (length == 1 && (name[pos] == '\\' || name[pos] == '/')) {
      parts.push_back(name.substr(start, pos - start));
      start = pos + 1;
    }
    pos += length;
  }
  parts.push_back(name.substr(start));
  return parts;
}

bool IsAbsoluteName(std::string_view name) {
  return (!name.empty() && (name[0] == '\\' || name[0] == '/')) || (name.size() >= 2 && name[1] == ':');
}

bool IsDotsOnly(std::string_view part) { return !part.empty() && part.find_first_not_of('.') == std::string_view::npos; }

}  // namespace

bool IsUsableMemberName(std::string_view name) {
  if (name.empty() || name.front() == '-' || name.front() == '@') return false;
  if (name.back() == '.' || name.back() == ' ') return false;  // "." and ".." included
  // A lead byte may swallow a quote or a control byte as its "trail"; such a
  // name is not code page 932 at all.
  if (!cp932::ToUtf16(name)) return false;
  for (std::size_t pos = 0; pos < name.size();) {
    const std::size_t length = cp932::CharLength(name, pos);
    if (length == 1 && IsRefusedSingleByte(static_cast<unsigned char>(name[pos]))) return false;
    pos += length;
  }
  return !IsDeviceName(name);
}

std::optional<std::string> UsableMemberFileName(std::string_view storedName) {
  if (IsAbsoluteName(storedName)) return std::nullopt;
  const std::vector<std::string_view> parts = PartsOf(storedName);
  for (std::string_view part : parts) {
    if (IsDotsOnly(part) && part != ".") return std::nullopt;
  }
  if (!IsUsableMemberName(parts.back())) return std::nullopt;
  return std::string(parts.back());
}

bool IsUsableMemberPath(std::string_view member) {
  if (IsAbsoluteName(member)) return false;
  for (std::string_view part : PartsOf(member)) {
    if (!IsUsableMemberName(part)) return false;
  }
  return true;
}

}  // namespace koru
