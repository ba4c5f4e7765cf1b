#include "desktop/zip_show_result_win32.h"

#include <windows.h>

#include "platform/unique_handle_win32.h"

namespace koru {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\ArchiverDll\\UNZIP32\\Settings";
constexpr wchar_t kValueName[] = L"ShowResult";

UniqueRegistryKey OpenSettings(REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, access, &key) != ERROR_SUCCESS) return UniqueRegistryKey();
  return UniqueRegistryKey(key);
}

}  // namespace

ShowResultValue ReadZipShowResult() {
  UniqueRegistryKey key = OpenSettings(KEY_QUERY_VALUE);
  if (!key) return ShowResultValue{};
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LSTATUS status = RegQueryValueExW(key.Get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (status == ERROR_FILE_NOT_FOUND) return ShowResultValue{};
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) {
    return ShowResultValue{ShowResultValue::Kind::Foreign, 0};
  }
  return ShowResultValue{ShowResultValue::Kind::Number, value};
}

void WriteZipShowResult(std::uint32_t value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  UniqueRegistryKey owned(key);
  const DWORD data = value;
  RegSetValueExW(owned.Get(), kValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

void DeleteZipShowResult() {
  if (UniqueRegistryKey key = OpenSettings(KEY_SET_VALUE)) RegDeleteValueW(key.Get(), kValueName);
}

}  // namespace koru
