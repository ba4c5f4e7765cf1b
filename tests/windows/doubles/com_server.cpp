// A stand-in COM server library for LUMETRIX's tests: it carries a version
// resource and, when built with KORU_DOUBLE_REGISTERS=1, registration
// functions whose results the tests know (register succeeds, unregister
// answers S_FALSE, which is not success).
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

#if KORU_DOUBLE_REGISTERS
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() { return S_OK; }
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() { return S_FALSE; }
#endif
