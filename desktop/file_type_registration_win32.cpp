#include "desktop/file_type_registration_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <optional>
#include <vector>

#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace koru {
namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";

// A name that stays one key: not empty, no "\" and no control character.
bool IsKeyName(const std::wstring& name) {
  if (name.empty() || name.size() > 255) return false;
  for (wchar_t c : name) {
    if (c == L'\\' || c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

// The per-user key first, then the system-wide one.
const std::array<HKEY, 2> kReadRoots = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

std::wstring DefaultText(const std::wstring& key) {
  for (HKEY root : kReadRoots) {
    const std::wstring path = kClasses + key;
    DWORD bytes = 0;
    constexpr DWORD kTexts = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    if (RegGetValueW(root, path.c_str(), nullptr, kTexts, nullptr, nullptr, &bytes) != ERROR_SUCCESS) continue;
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(root, path.c_str(), nullptr, kTexts, nullptr, text.data(), &bytes) != ERROR_SUCCESS) continue;
    std::wstring value(text.data());
    if (!value.empty()) return value;
  }
  return std::wstring();
}

bool ValueExists(const std::wstring& key, const wchar_t* name) {
  for (HKEY root : kReadRoots) {
    const std::wstring path = kClasses + key;
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS) return true;
  }
  return false;
}

// The per-user key, created when missing; none when it cannot be opened.
UniqueRegistryKey OpenForWriting(const std::wstring& key) {
  HKEY opened = nullptr;
  const std::wstring path = kClasses + key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS) {
    return UniqueRegistryKey();
  }
  return UniqueRegistryKey(opened);
}

void WriteText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  UniqueRegistryKey opened = OpenForWriting(key);
  if (!opened) return;
  RegSetValueExW(opened.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void WriteEditFlags(const std::wstring& key, BYTE first) {
  UniqueRegistryKey opened = OpenForWriting(key);
  if (!opened) return;
  const std::array<BYTE, 4> flags = {first, 0, 0, 0};
  RegSetValueExW(opened.Get(), L"EditFlags", 0, REG_BINARY, flags.data(), static_cast<DWORD>(flags.size()));
}

}  // namespace

void RegisterFileType(const std::string& programPath, const std::string& dotExtension, const std::string& typeName,
                      const std::string& verb, const std::string& description) {
  const std::optional<std::wstring> program = WidenStrict(programPath);
  const std::optional<std::wstring> extension = WidenStrict(dotExtension);
  const std::optional<std::wstring> newType = WidenStrict(typeName);
  const std::optional<std::wstring> action = WidenStrict(verb);
  const std::optional<std::wstring> text = WidenStrict(description);
  if (!program || program->empty() || !extension || !newType || !action || !text) return;
  if (extension->size() < 2 || extension->front() != L'.' || !IsKeyName(*extension) || !IsKeyName(*action)) return;

  std::wstring type = DefaultText(*extension);
  if (type.empty()) {
    type = *newType;
    if (!IsKeyName(type)) return;
    WriteText(*extension, nullptr, type);
  } else if (!IsKeyName(type)) {
    return;  // an existing association we could not follow safely
  }
  if (DefaultText(type).empty()) WriteText(type, nullptr, *text);
  if (!ValueExists(type, L"EditFlags")) WriteEditFlags(type, 0);
  const std::wstring shell = type + L"\\Shell";
  OpenForWriting(shell);
  const std::wstring verbKey = shell + L"\\" + *action;
  if (!ValueExists(verbKey, L"EditFlags")) WriteEditFlags(verbKey, 1);
  WriteText(verbKey + L"\\command", nullptr, L"\"" + *program + L"\" \"%1\"");
  WriteText(shell, nullptr, *action);
}

void RegistryFileAssociator::AssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace koru
