#include "desktop/shell_folders_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <optional>

#include "platform/narrow_path_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace koru {

std::string SpecialFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK || path[0] == L'\0') {
    return std::string();
  }
  return NarrowPath(path).value_or(std::string());
}

std::string ShortcutPlacePath(ShortcutPlace place) {
  switch (place) {
    case ShortcutPlace::SendTo:
      return SpecialFolderPath(CSIDL_SENDTO);
    case ShortcutPlace::Desktop:
      return SpecialFolderPath(CSIDL_DESKTOP);
    case ShortcutPlace::QuickLaunch: {
      const std::string appData = SpecialFolderPath(CSIDL_APPDATA);
      if (appData.empty()) return std::string();
      return appData + "\\Microsoft\\Internet Explorer\\Quick Launch";
    }
  }
  return std::string();
}

bool OpenDocument(const std::string& file, const std::string& parameters) {
  const std::optional<std::wstring> wideFile = WidenStrict(file);
  const std::optional<std::wstring> wideParameters = WidenStrict(parameters);
  if (!wideFile || wideFile->empty() || !wideParameters) return false;
  SHELLEXECUTEINFOW request = {};
  request.cbSize = sizeof request;
  request.fMask = SEE_MASK_NOCLOSEPROCESS;
  request.lpVerb = L"open";
  request.lpFile = wideFile->c_str();
  request.lpParameters = wideParameters->empty() ? nullptr : wideParameters->c_str();
  request.nShow = SW_SHOWDEFAULT;
  const bool started = ShellExecuteExW(&request) != FALSE;
  // Kept only so that it is ours to close.
  UniqueHandleObject process(request.hProcess);
  return started;
}

}  // namespace koru
