#include "ui/dropped_files.h"

#include "platform/wide_text_win32.h"

namespace koru {

std::vector<std::wstring> DroppedPaths(HDROP drop) {
  std::vector<std::wstring> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Asked for its length first: a path may be longer than MAX_PATH.
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

std::optional<std::string> PathInCodePage932(const std::wstring& path) {
  if (std::optional<std::string> narrow = Narrow(path)) return narrow;
  const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring shortPath(length, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), shortPath.data(), length);
  if (written == 0 || written >= length) return std::nullopt;
  shortPath.resize(written);
  return Narrow(shortPath);
}

std::vector<std::string> PathsInCodePage932(const std::vector<std::wstring>& paths) {
  std::vector<std::string> narrow;
  for (const std::wstring& path : paths) {
    if (std::optional<std::string> converted = PathInCodePage932(path)) narrow.push_back(std::move(*converted));
  }
  return narrow;
}

}  // namespace koru
