#include "platform/outside_library_win32.h"

#include <windows.h>

#include <vector>

#include "platform/wide_text_win32.h"

namespace koru {
namespace {

// The folder of a path that ends in a file name, with its backslash.
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring WithBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder;
}

bool IsAbsolute(const std::wstring& path) {
  return (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
         path.rfind(L"\\\\", 0) == 0;
}

template <typename Query>
std::wstring QueryText(Query query) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::wstring();
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(static_cast<std::size_t>(length) + 1);
  }
}

// Where the system looks for a library named without a folder, in its
// order, less the current folder: the program's folder, the folder the
// program set with SetDllDirectoryW, the system folders, the Windows folder
// and the absolute folders of PATH. The system would take the current folder
// out itself once the program has set an empty DLL directory, but not every
// implementation of it does, so the folders are walked here.
std::vector<std::wstring> LibraryFolders() {
  std::vector<std::wstring> folders;
  const auto add = [&folders](const std::wstring& folder) {
    if (IsAbsolute(folder)) folders.push_back(WithBackslash(folder));
  };
  add(FolderOf(QueryText([](wchar_t* b, DWORD n) { return GetModuleFileNameW(nullptr, b, n); })));
  add(QueryText([](wchar_t* b, DWORD n) { return GetDllDirectoryW(n, b); }));
  const std::wstring system = QueryText([](wchar_t* b, DWORD n) { return GetSystemDirectoryW(b, n); });
  const std::wstring windows = QueryText([](wchar_t* b, DWORD n) { return GetWindowsDirectoryW(b, n); });
  add(system);
  if (!windows.empty()) add(WithBackslash(windows) + L"System");
  add(windows);
  const std::wstring path = QueryText([](wchar_t* b, DWORD n) { return GetEnvironmentVariableW(L"PATH", b, n); });
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find(L';', start);
    if (end == std::wstring::npos) end = path.size();
    add(path.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

}  // namespace

UniqueModule LoadOutsideLibrary(const std::wstring& fileName) {
  // A library that is missing or broken must not bring up a system dialog.
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  UniqueModule module;
  for (const std::wstring& folder : LibraryFolders()) {
    const std::wstring path = folder + fileName;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    // The library's own dependencies are looked for beside it first. One of
    // another architecture does not load: the next folder may hold the
    // right one.
    module.Reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (module) break;
  }
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
