#include "platform/playback_files_win32.h"

#include <windows.h>

#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace koru {
namespace {

// The name of a found entry in code page 932, or its 8.3 name when code page
// 932 cannot hold it; nothing when it has neither.
std::optional<std::string> NameOf(const WIN32_FIND_DATAW& data) {
  if (std::optional<std::string> name = Narrow(data.cFileName)) return name;
  if (data.cAlternateFileName[0] != L'\0') return Narrow(data.cAlternateFileName);
  return std::nullopt;
}

}  // namespace

std::vector<MatchedItem> Win32PlaybackFiles::FindMatching(const std::string& mask, bool includeReadOnly) {
  std::vector<MatchedItem> items;
  WIN32_FIND_DATAW data;
  UniqueFindHandle find(FindFirstFileW(Widen(mask).c_str(), &data));
  if (!find) return items;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    // Hidden and system entries are listed too: the folder is the player's
    // own, and whatever is left in it (a hidden member extracted from an
    // archive) must go with the rest.
    const DWORD attributes = data.dwFileAttributes;
    const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!isFolder && !includeReadOnly && (attributes & FILE_ATTRIBUTE_READONLY)) continue;
    std::optional<std::string> narrow = NameOf(data);
    if (!narrow) continue;
    items.push_back({std::move(*narrow), isFolder, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (FindNextFileW(find.Get(), &data));
  return items;
}

void Win32PlaybackFiles::ClearReadOnly(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

void Win32PlaybackFiles::SetReadOnly(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(wide.c_str(), attributes | FILE_ATTRIBUTE_READONLY);
}

void Win32PlaybackFiles::RemoveFile(const std::string& path) { DeleteFileW(Widen(path).c_str()); }

void Win32PlaybackFiles::RemoveFolder(const std::string& path) { RemoveDirectoryW(Widen(path).c_str()); }

std::optional<std::string> Win32PlaybackFiles::ShortNameOf(const std::string& path) {
  WIN32_FIND_DATAW data;
  const std::wstring wide = Widen(path);
  if (wide.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  UniqueFindHandle find(FindFirstFileW(wide.c_str(), &data));
  if (!find) return std::nullopt;
  if (data.cAlternateFileName[0] != L'\0') return Narrow(data.cAlternateFileName);
  return NameOf(data);
}

bool Win32PlaybackFiles::IsPlainFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace koru
