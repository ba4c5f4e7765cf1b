#include "convert/rcpcv_library_win32.h"

#include <windows.h>

#include <optional>

#include "platform/outside_library_win32.h"

namespace koru {
namespace {

// Standard call, undecorated names. The four arguments after the source are
// pointer-sized zeros.
using ConvertFileFunction = void*(WINAPI*)(const char* source, void*, void*, void*, void*);
using GetSmfLengthFunction = int(WINAPI*)(void* object);
using GetSmfFunction = const void*(WINAPI*)(void* object);
using DeleteObjectFunction = void(WINAPI*)(void* object);
using GetVersionFunction = int(WINAPI*)();

void* Handle(RcpcvLibrary::Object object) { return reinterpret_cast<void*>(object); }

}  // namespace

template <typename Function>
Function Win32RcpcvLibrary::Bind(const char* exportName) {
  // A library that was missing is looked for again at the next call, as a
  // delayed import does: one put in place later is found.
  if (!module_) module_ = LoadOutsideLibrary(L"RCPCV.DLL");
  if (!module_) throw LibraryMissing("RCPCV.DLL");
  const FARPROC address = GetProcAddress(module_.Get(), exportName);
  if (address == nullptr) throw LibraryMissing(std::string("RCPCV.DLL: ") + exportName);
  return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

RcpcvLibrary::Object Win32RcpcvLibrary::ConvertFile(const std::string& source) {
  const auto convert = Bind<ConvertFileFunction>("rcpcvConvertFile");
  const std::optional<std::string> path = AbsolutePath(source);
  if (!path) return 0;
  return reinterpret_cast<Object>(convert(path->c_str(), nullptr, nullptr, nullptr, nullptr));
}

int Win32RcpcvLibrary::GetSmfLength(Object object) {
  return Bind<GetSmfLengthFunction>("rcpcvGetSMFLength")(Handle(object));
}

const void* Win32RcpcvLibrary::GetSmf(Object object) { return Bind<GetSmfFunction>("rcpcvGetSMF")(Handle(object)); }

void Win32RcpcvLibrary::DeleteObject(Object object) {
  Bind<DeleteObjectFunction>("rcpcvDeleteObject")(Handle(object));
}

int Win32RcpcvLibrary::GetVersionMajor() { return Bind<GetVersionFunction>("rcpcvGetVersionMajor")(); }

int Win32RcpcvLibrary::GetVersionMinor() { return Bind<GetVersionFunction>("rcpcvGetVersionMinor")(); }

}  // namespace koru
