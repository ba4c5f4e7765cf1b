// Splitting code page 932 paths into folder, file name and extension. The
// scan walks whole characters, so the trail byte 0x5C of characters such as
// 表 or ソ is never taken for a backslash.
#include "platform/cp932.h"

namespace koru::cp932 {
namespace {

// Position just after the last single-byte character that `isSeparator`
// accepts, 0 when there is none.
template <typename Predicate>
std::size_t AfterLast(std::string_view text, Predicate isSeparator) {
  std::size_t after = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLength(text, pos);
    if (length == 1 && isSeparator(text[pos])) after = pos + 1;
    pos += length;
  }
  return after;
}

}  // namespace

std::size_t FileNameStart(std::string_view path) {
  return AfterLast(path, [](char c) { return c == '\\' || c == ':'; });
}

std::string_view FileNameOf(std::string_view path) { return path.substr(FileNameStart(path)); }

std::string_view FolderWithSeparatorOf(std::string_view path) {
  return path.substr(0, FileNameStart(path));
}

std::string_view ExtensionOf(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const std::size_t afterDot = AfterLast(name, [](char c) { return c == '.'; });
  return afterDot == 0 ? std::string_view{} : name.substr(afterDot - 1);
}

std::string_view WithoutExtension(std::string_view path) {
  return path.substr(0, path.size() - ExtensionOf(path).size());
}

std::size_t MemberNameStart(std::string_view name) {
  return AfterLast(name, [](char c) { return c == '\\' || c == '/'; });
}

}  // namespace koru::cp932
