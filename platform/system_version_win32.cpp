#include <windows.h>

#include "platform/system_version.h"

namespace koru {

SystemVersion QuerySystemVersion() {
  // GetVersionEx answers 6.2 to every program without a compatibility
  // manifest naming the newer system; RtlGetVersion tells the truth.
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  SystemVersion version;
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return version;
  auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
  if (!rtlGetVersion) return version;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (rtlGetVersion(&info) != 0) return version;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  version.build = info.dwBuildNumber;
  version.platform = info.dwPlatformId;
  return version;
}

}  // namespace koru
