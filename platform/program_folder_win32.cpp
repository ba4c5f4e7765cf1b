#include "platform/program_folder_win32.h"

#include <windows.h>

#include <vector>

#include "platform/narrow_path_win32.h"
#include "platform/wide_text_win32.h"

namespace koru {
namespace {

std::wstring WideProgramPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::wstring();
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string ProgramPath() { return NarrowPath(WideProgramPath()).value_or(std::string()); }

std::string ProgramFolder() {
  std::wstring folder = WideProgramPath();
  if (folder.empty()) return std::string();
  folder.erase(folder.find_last_of(L'\\') + 1);
  if (std::optional<std::string> narrow = NarrowPath(folder)) return *narrow;
  return NarrowLossy(folder);
}

std::string TemporaryFolderPath(const std::string& programFolder) {
  std::string base;
  for (const wchar_t* variable : {L"TEMP", L"TMP"}) {
    wchar_t value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(variable, value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) continue;
    if (std::optional<std::string> narrow = Narrow(std::wstring(value, length))) {
      base = *narrow;
      break;
    }
  }
  if (base.empty()) base = programFolder;
  if (base.empty() || base.back() != '\\') base += '\\';
  return base + "KORUTEMP\\";
}

}  // namespace koru
