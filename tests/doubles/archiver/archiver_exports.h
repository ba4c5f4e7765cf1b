// The common archiver API as every archiver double exports it. One set of
// functions serves all the doubles; each double's .def exports them under
// its library's prefix (ArcMain as "Unlha", ArcGetVersion as
// "UnlhaGetVersion", ...). Declared here with the Windows types, as a
// library's own header would, so a compile-time check can hold KORU's
// entry-point types against them.
#pragma once

#include <windows.h>

extern "C" {

typedef BOOL(CALLBACK* LPARCHIVERPROC)(HWND window, UINT message, UINT state, LPVOID info);
typedef HGLOBAL HARC;

int WINAPI ArcMain(const HWND window, LPCSTR commandLine, LPSTR output, const DWORD outputSize);
WORD WINAPI ArcGetVersion(void);
BOOL WINAPI ArcGetRunning(void);
BOOL WINAPI ArcCheckArchive(LPCSTR archive, const int mode);
int WINAPI ArcGetFileCount(LPCSTR archive);
// The member record is the API's 560-byte INDIVIDUALINFO.
HARC WINAPI ArcOpenArchive(const HWND window, LPCSTR archive, const DWORD mode);
int WINAPI ArcCloseArchive(HARC archive);
int WINAPI ArcFindFirst(HARC archive, LPCSTR wildcard, LPVOID memberInfo);
int WINAPI ArcFindNext(HARC archive, LPVOID memberInfo);
BOOL WINAPI ArcConfigDialog(const HWND window, LPSTR text, const int mode);
BOOL WINAPI ArcSetOwnerWindowEx(HWND window, LPARCHIVERPROC callback);
BOOL WINAPI ArcSetCursorMode(const BOOL mode);
BOOL WINAPI ArcQueryEncryption(void);

}  // extern "C"
