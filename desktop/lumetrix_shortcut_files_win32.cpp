#include "desktop/lumetrix_shortcut_files_win32.h"

#include <windows.h>

#include "platform/wide_text_win32.h"

namespace koru {

bool LumetrixShortcutFiles::Exists(const std::string& link) {
  const std::optional<std::wstring> path = WidenStrict(link);
  return path && !path->empty() && GetFileAttributesW(path->c_str()) != INVALID_FILE_ATTRIBUTES;
}

void LumetrixShortcutFiles::Remove(const std::string& link) {
  if (const std::optional<std::wstring> path = WidenStrict(link)) DeleteFileW(path->c_str());
}

ShortcutOutcome LumetrixShortcutFiles::Create(const std::string& link, const std::string& target,
                                              const std::string& arguments) {
  if (!Load()) return ShortcutOutcome::LibraryMissing;
  return createShortcut_(link.c_str(), target.c_str(), arguments.c_str()) != 0 ? ShortcutOutcome::Made
                                                                               : ShortcutOutcome::Failed;
}

bool LumetrixShortcutFiles::Load() {
  if (createShortcut_) return true;
  const std::optional<std::wstring> folder = WidenStrict(libraryFolder_);
  if (!folder || folder->empty()) return false;
  // Loaded here rather than by the linker's delayed import: its helper
  // raises a structured exception when the library is missing, which C++
  // cannot catch in the 32-bit build.
  UniqueModule library(LoadLibraryExW((*folder + L"LUMETRIX.DLL").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!library) return false;
  const FARPROC found = GetProcAddress(library.Get(), "CreateShortcut");
  if (!found) return false;
  createShortcut_ = reinterpret_cast<lumetrix::CreateShortcutFunction>(reinterpret_cast<void (*)()>(found));
  library_ = std::move(library);
  return true;
}

}  // namespace koru
