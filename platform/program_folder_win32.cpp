#include "platform/program_folder_win32.h"

#include <windows.h>

#include <vector>

#include "platform/wide_text_win32.h"

namespace koru {

std::string ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      path.erase(path.find_last_of(L'\\') + 1);
      if (std::optional<std::string> narrow = Narrow(path)) return *narrow;
      std::wstring shortPath(MAX_PATH, L'\0');
      DWORD shortLength = GetShortPathNameW(path.c_str(), shortPath.data(), MAX_PATH);
      if (shortLength > 0 && shortLength < MAX_PATH) {
        shortPath.resize(shortLength);
        if (std::optional<std::string> narrowShort = Narrow(shortPath)) return *narrowShort;
      }
      return NarrowLossy(path);
    }
    buffer.resize(buffer.size() * 2);
  }
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
