// LUMETRIX.DLL, the shell helper library, and its seven exports (by name,
// standard call). Every text is a code page 932 string ending in a zero
// byte and owned by the caller; a path may hold at most 259 bytes. Results
// are non-zero on success and 0 on failure, in which case no out value is
// written; a null out pointer is skipped.
#pragma once

#include <windows.h>

extern "C" {

// The destination gets the source's creation, last-access and last-write
// times. A path with "*" or "?" is refused.
int WINAPI CopyFileDateTime(const char* source, const char* destination);
// -1, 0 or 1 as the first file's last-write time is earlier than, equal to
// or later than the second's.
int WINAPI CompareFileDateTime(const char* first, const char* second, int* comparison);
// All three times of the file become the local date-time `oleDate` (an OLE
// automation date); only dates from 1980 to 2107 can be set.
int WINAPI SetFileDateTime(const char* path, const double* oleDate);
// 1, 0 or -1 as the first file's version is higher than, equal to or lower
// than the second's, comparing the parts unsigned.
int WINAPI CompareVersion(const char* first, const char* second, int* comparison);
int WINAPI GetFileVersion(const char* path, WORD* major, WORD* minor, WORD* release, WORD* build);
// Calls the COM server's DllRegisterServer (registerServer non-zero) or
// DllUnregisterServer; 1 only when it returned 0.
int WINAPI RegistDll(const char* path, int registerServer);
// Saves a shell link to `target` (arguments may be null) whose working
// folder is the target's folder.
int WINAPI CreateShortcut(const char* link, const char* target, const char* arguments);

}  // extern "C"

namespace lumetrix {
using CreateShortcutFunction = decltype(&::CreateShortcut);
}  // namespace lumetrix
