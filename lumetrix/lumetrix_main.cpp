// LUMETRIX, the shell helper library. It keeps no state: each export takes
// and gives back everything it uses.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
