// The common archiver API: how KORU calls the archiver libraries it loads by
// name. Every export is a standard-call function (the convention is part of
// the type on i686 and ignored on x86_64); texts are code page 932 byte
// strings ending in a zero byte.
//
// The types are spelled so that they are the very types of the libraries'
// own declarations on Windows (HWND is `HWND__*`, DWORD `unsigned long`,
// BOOL `int`, WORD `unsigned short`), without <windows.h> here.
#pragma once

#include <cstddef>

struct HWND__;

#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define KORU_ARCHIVER_CALL __stdcall
#else
#define KORU_ARCHIVER_CALL
#endif

namespace koru::ArchiverN {

using ArchiverWindow = HWND__*;
using ArchiveHandle = void*;

// INDIVIDUALINFO, the per-member record: 560 bytes, of which KORU reads only
// the file name, 513 bytes from offset 26, ending in a zero byte.
inline constexpr std::size_t kMemberInfoSize = 560;
inline constexpr std::size_t kMemberNameOffset = 26;
inline constexpr std::size_t kMemberNameSize = 513;

namespace api {

using ArchiverProc = int(KORU_ARCHIVER_CALL*)(ArchiverWindow window, unsigned int message, unsigned int state,
                                              void* info);
// The main command function: window, command line, output buffer, its size.
using MainProc = int(KORU_ARCHIVER_CALL*)(ArchiverWindow, const char*, char*, unsigned long);
using GetVersionProc = unsigned short(KORU_ARCHIVER_CALL*)();
using GetRunningProc = int(KORU_ARCHIVER_CALL*)();
using CheckArchiveProc = int(KORU_ARCHIVER_CALL*)(const char*, int);
using GetFileCountProc = int(KORU_ARCHIVER_CALL*)(const char*);
using OpenArchiveProc = ArchiveHandle(KORU_ARCHIVER_CALL*)(ArchiverWindow, const char*, unsigned long);
using CloseArchiveProc = int(KORU_ARCHIVER_CALL*)(ArchiveHandle);
using FindFirstProc = int(KORU_ARCHIVER_CALL*)(ArchiveHandle, const char*, void*);
using FindNextProc = int(KORU_ARCHIVER_CALL*)(ArchiveHandle, void*);
using ConfigDialogProc = int(KORU_ARCHIVER_CALL*)(ArchiverWindow, char*, int);
using SetOwnerWindowExProc = int(KORU_ARCHIVER_CALL*)(ArchiverWindow, ArchiverProc);
using SetCursorModeProc = int(KORU_ARCHIVER_CALL*)(int);

}  // namespace api
}  // namespace koru::ArchiverN
