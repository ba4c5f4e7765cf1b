#include "archive/archiver_platform_win32.h"

#include <windows.h>

#include <vector>

#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace koru {
namespace {

class Win32Module : public LoadedModule {
 public:
  explicit Win32Module(UniqueModule module) : module_(std::move(module)) {}
  void* Lookup(const char* exportName) override {
    return reinterpret_cast<void*>(GetProcAddress(module_.Get(), exportName));
  }

 private:
  UniqueModule module_;
};

}  // namespace

std::unique_ptr<LoadedModule> Win32ArchiverPlatform::LoadModule(const std::string& fileName) {
  // A library that is missing or broken must not bring up a system dialog.
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  UniqueModule module(LoadLibraryW(Widen(fileName).c_str()));
  SetThreadErrorMode(previousMode, nullptr);
  if (!module) return nullptr;
  return std::make_unique<Win32Module>(std::move(module));
}

std::optional<std::string> Win32ArchiverPlatform::FullPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::nullopt;
  std::vector<wchar_t> full(size);
  const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return std::nullopt;
  return Narrow(std::wstring_view(full.data(), length));
}

}  // namespace koru
