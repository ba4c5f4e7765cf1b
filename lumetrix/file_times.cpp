// CopyFileDateTime, CompareFileDateTime, SetFileDateTime.
#include <windows.h>
#include <oleauto.h>

#include <cmath>

#include "lumetrix/arguments.h"
#include "lumetrix/lumetrix.h"
#include "platform/unique_handle_win32.h"

namespace lumetrix {
namespace {

constexpr WORD kFirstDosYear = 1980;
constexpr WORD kLastDosYear = 2107;

// The file's directory entry; nothing for a pattern, which would find some
// other file.
std::optional<WIN32_FIND_DATAW> FindFile(const std::wstring& path) {
  if (path.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  WIN32_FIND_DATAW found;
  koru::UniqueFindHandle search(FindFirstFileW(path.c_str(), &found));
  if (!search) return std::nullopt;
  return found;
}

std::optional<WIN32_FIND_DATAW> FindFile(const char* path) {
  const std::optional<std::wstring> wide = PathArgument(path);
  if (!wide) return std::nullopt;
  return FindFile(*wide);
}

int SetTimes(const char* path, const FILETIME& creation, const FILETIME& access, const FILETIME& write) {
  const std::optional<std::wstring> wide = PathArgument(path);
  if (!wide || wide->find_first_of(L"*?") != std::wstring::npos) return 0;
  koru::UniqueFileHandle file(
      CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 0;
  return SetFileTime(file.Get(), &creation, &access, &write) ? 1 : 0;
}

}  // namespace
}  // namespace lumetrix

using lumetrix::FindFile;
using lumetrix::Guarded;

extern "C" int WINAPI CopyFileDateTime(const char* source, const char* destination) {
  return Guarded([&] {
    const std::optional<WIN32_FIND_DATAW> found = FindFile(source);
    if (!found) return 0;
    return lumetrix::SetTimes(destination, found->ftCreationTime, found->ftLastAccessTime, found->ftLastWriteTime);
  });
}

extern "C" int WINAPI CompareFileDateTime(const char* first, const char* second, int* comparison) {
  return Guarded([&] {
    const std::optional<WIN32_FIND_DATAW> a = FindFile(first);
    const std::optional<WIN32_FIND_DATAW> b = FindFile(second);
    if (!a || !b) return 0;
    if (comparison) *comparison = CompareFileTime(&a->ftLastWriteTime, &b->ftLastWriteTime);
    return 1;
  });
}

extern "C" int WINAPI SetFileDateTime(const char* path, const double* oleDate) {
  return Guarded([&] {
    if (oleDate == nullptr || !std::isfinite(*oleDate)) return 0;
    // The DOS form holds the years 1980 to 2107 only; checked here, as the
    // conversion below would wrap a later year round.
    SYSTEMTIME calendar;
    if (!VariantTimeToSystemTime(*oleDate, &calendar) || calendar.wYear < lumetrix::kFirstDosYear ||
        calendar.wYear > lumetrix::kLastDosYear) {
      return 0;
    }
    WORD dosDate = 0;
    WORD dosTime = 0;
    FILETIME local;
    FILETIME universal;
    if (!VariantTimeToDosDateTime(*oleDate, &dosDate, &dosTime) || !DosDateTimeToFileTime(dosDate, dosTime, &local) ||
        !LocalFileTimeToFileTime(&local, &universal)) {
      return 0;
    }
    return lumetrix::SetTimes(path, universal, universal, universal);
  });
}
