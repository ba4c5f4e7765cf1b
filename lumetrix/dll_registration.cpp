// RegistDll: a COM server library registers or unregisters itself.
#include <windows.h>

#include <vector>

#include "lumetrix/arguments.h"
#include "lumetrix/lumetrix.h"
#include "platform/unique_handle_win32.h"

namespace lumetrix {
namespace {

using RegistrationFunction = HRESULT(STDAPICALLTYPE*)();

// The full path, so that the library's own folder is searched for what it
// needs, as regsvr32 does.
std::optional<std::wstring> FullPath(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::nullopt;
  std::vector<wchar_t> full(needed);
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return std::nullopt;
  return std::wstring(full.data(), length);
}

}  // namespace
}  // namespace lumetrix

extern "C" int WINAPI RegistDll(const char* path, int registerServer) {
  return lumetrix::Guarded([&] {
    const std::optional<std::wstring> wide = lumetrix::PathArgument(path);
    if (!wide) return 0;
    const std::optional<std::wstring> full = lumetrix::FullPath(*wide);
    if (!full) return 0;
    koru::UniqueModule library(LoadLibraryExW(full->c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library) return 0;
    const char* name = registerServer != 0 ? "DllRegisterServer" : "DllUnregisterServer";
    // Through void(*)(): the one function pointer type any other converts to without a warning.
    const auto function = reinterpret_cast<lumetrix::RegistrationFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.Get(), name)));
    const HRESULT result = function ? function() : 1;
    return result == 0 ? 1 : 0;
  });
}
