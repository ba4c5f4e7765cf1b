// LUMETRIX, the shell helper library. Its exports come with the desktop
// integration; for now it is the empty library KORU ships beside itself.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
