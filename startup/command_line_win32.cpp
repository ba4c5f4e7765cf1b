#include "startup/command_line_win32.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace koru {
namespace {

std::wstring FullPathOf(const std::wstring& path) {
  DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
}

std::wstring ShortPathOf(const std::wstring& path) {
  DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return std::wstring();
  std::wstring shortPath(needed, L'\0');
  DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
  if (length == 0 || length >= needed) return std::wstring();
  shortPath.resize(length);
  return shortPath;
}

// The listed name of an existing file or folder, or nothing.
std::optional<std::wstring> ListedName(const std::wstring& path) {
  // A wildcard would make the lookup match some other file.
  if (path.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  WIN32_FIND_DATAW data;
  UniqueFindHandle find(FindFirstFileW(path.c_str(), &data));
  if (!find) return std::nullopt;
  return std::wstring(data.cFileName);
}

// Position where the components that may be looked up begin: after "C:\" or
// after "\\server\share\".
std::size_t RootLength(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':') return (path.size() >= 3 && path[2] == L'\\') ? 3 : 2;
  if (path.rfind(L"\\\\", 0) == 0) {
    std::size_t server = path.find(L'\\', 2);
    if (server == std::wstring::npos) return path.size();
    std::size_t share = path.find(L'\\', server + 1);
    return share == std::wstring::npos ? path.size() : share + 1;
  }
  if (!path.empty() && path[0] == L'\\') return 1;
  return 0;
}

}  // namespace

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> arguments;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(argv[i]);
  LocalFree(argv);
  return arguments;
}

std::wstring ToLongPath(const std::wstring& path) {
  const std::size_t root = RootLength(path);
  std::wstring result = path;
  std::size_t end = result.size();
  while (end > root) {
    if (result[end - 1] == L'\\') {  // a trailing separator is not a component
      --end;
      continue;
    }
    std::size_t start = result.rfind(L'\\', end - 1);
    start = (start == std::wstring::npos || start < root) ? root : start + 1;
    std::optional<std::wstring> listed = ListedName(result.substr(0, end));
    if (!listed) break;
    result.replace(start, end - start, *listed);
    end = start;
  }
  return result;
}

std::optional<std::string> HandOverFormOf(const std::wstring& argument) {
  const std::wstring longPath = ToLongPath(FullPathOf(argument));
  if (std::optional<std::string> narrow = Narrow(longPath); narrow && narrow->size() <= kMaxHandOverPath) {
    return narrow;
  }
  // A name code page 932 cannot hold, or a path too long for the record: the
  // 8.3 form, when the file system has one and it fits.
  const std::wstring shortPath = ShortPathOf(longPath);
  if (shortPath.empty()) return std::nullopt;
  std::optional<std::string> narrow = Narrow(shortPath);
  if (!narrow || narrow->size() > kMaxHandOverPath) return std::nullopt;
  return narrow;
}

std::vector<HandOverArgument> PrepareArguments(const std::vector<std::wstring>& arguments) {
  std::vector<HandOverArgument> prepared;
  for (const std::wstring& argument : arguments) {
    HandOverArgument item;
    if (!argument.empty() && argument[0] == L'/') {
      item.kind = HandOverArgument::Kind::Option;
      item.text = NarrowLossy(argument);
    } else if (std::optional<std::string> path = HandOverFormOf(argument)) {
      item.kind = HandOverArgument::Kind::Path;
      item.text = std::move(*path);
    } else {
      item.kind = HandOverArgument::Kind::Unusable;
    }
    prepared.push_back(std::move(item));
  }
  return prepared;
}

}  // namespace koru
