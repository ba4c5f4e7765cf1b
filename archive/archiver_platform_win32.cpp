#include "archive/archiver_platform_win32.h"

#include <windows.h>

#include "platform/outside_library_win32.h"
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
  UniqueModule module = LoadOutsideLibrary(Widen(fileName));
  if (!module) return nullptr;
  return std::make_unique<Win32Module>(std::move(module));
}

std::optional<std::string> Win32ArchiverPlatform::FullPath(const std::string& path) { return AbsolutePath(path); }

}  // namespace koru
