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

std::string ResolveBeside(std::string_view besidePath, std::string_view name) {
  if (IsRooted(name)) return std::string(name);
  return std::string(FolderWithSeparatorOf(besidePath)) + std::string(name);
}

std::size_t RootLength(std::string_view path) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':') return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
  if (path.substr(0, 2) != "\\\\") return path.substr(0, 1) == "\\" ? 1 : 0;
  // "\\server\share\": two more separators, of which the second may be missing.
  std::size_t pos = 2;
  for (int separators = 0; pos < path.size() && separators < 2;) {
    const std::size_t length = CharLength(path, pos);
    if (length == 1 && path[pos] == '\\') ++separators;
    pos += length;
  }
  return pos;
}

}  // namespace koru::cp932
