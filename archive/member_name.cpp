#include "archive/member_name.h"

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

}  // namespace

bool IsUsableMemberName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // A lead byte may swallow a quote or a control byte as its "trail"; such a
  // name is not code page 932 at all.
  if (!cp932::ToUtf16(name)) return false;
  for (std::size_t pos = 0; pos < name.size();) {
    const std::size_t length = cp932::CharLength(name, pos);
    if (length == 1 && IsRefusedSingleByte(static_cast<unsigned char>(name[pos]))) return false;
    pos += length;
  }
  return true;
}

std::optional<std::string> UsableMemberFileName(std::string_view storedName) {
  const std::string_view name = storedName.substr(cp932::MemberNameStart(storedName));
  if (!IsUsableMemberName(name)) return std::nullopt;
  return std::string(name);
}

}  // namespace koru
