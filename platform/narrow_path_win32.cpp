#include "platform/narrow_path_win32.h"

#include <windows.h>

#include <vector>

#include "platform/wide_text_win32.h"

namespace koru {

std::optional<std::string> NarrowPath(const std::wstring& path) {
  if (std::optional<std::string> narrow = Narrow(path)) return narrow;
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::vector<wchar_t> shortPath(needed);
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  return Narrow(std::wstring_view(shortPath.data(), length));
}

}  // namespace koru
