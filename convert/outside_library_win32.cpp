#include "convert/outside_library_win32.h"

#include <windows.h>

#include <vector>

#include "platform/wide_text_win32.h"

namespace koru {

UniqueModule LoadOutsideLibrary(const wchar_t* fileName) {
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  UniqueModule module(LoadLibraryW(fileName));
  SetThreadErrorMode(previousMode, nullptr);
  return module;
}

std::optional<std::string> AbsolutePath(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::nullopt;
  std::vector<wchar_t> full(size);
  const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return std::nullopt;
  return Narrow(std::wstring_view(full.data(), length));
}

}  // namespace koru
