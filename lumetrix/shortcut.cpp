// CreateShortcut: a shell link saved through the shell's own link object.
#include <windows.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

#include "desktop/link_working_folder.h"
#include "lumetrix/arguments.h"
#include "lumetrix/lumetrix.h"
#include "platform/com_pointer_win32.h"

namespace lumetrix {
namespace {

// What a link can hold as its arguments (INFOTIPSIZE with its zero).
constexpr std::size_t kMaxArgumentBytes = 1023;

HRESULT SaveLink(const std::wstring& link, const std::wstring& target, const std::wstring& folder,
                 const std::optional<std::wstring>& arguments) {
  koru::ComPointer<IShellLinkW> shellLink;
  HRESULT result =
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.PutVoid());
  if (FAILED(result)) return result;
  if (FAILED(result = shellLink->SetPath(target.c_str()))) return result;
  if (FAILED(result = shellLink->SetWorkingDirectory(folder.c_str()))) return result;
  if (arguments && FAILED(result = shellLink->SetArguments(arguments->c_str()))) return result;
  koru::ComPointer<IPersistFile> file;
  if (FAILED(result = shellLink->QueryInterface(IID_IPersistFile, file.PutVoid()))) return result;
  return file->Save(link.c_str(), TRUE);
}

}  // namespace
}  // namespace lumetrix

extern "C" int WINAPI CreateShortcut(const char* link, const char* target, const char* arguments) {
  return lumetrix::Guarded([&] {
    const std::optional<std::wstring> wideLink = lumetrix::PathArgument(link);
    const std::optional<std::wstring> wideTarget = lumetrix::PathArgument(target);
    if (!wideLink || !wideTarget) return 0;
    std::optional<std::wstring> wideArguments;
    if (arguments != nullptr) {
      // An empty text sets empty arguments.
      wideArguments = arguments[0] == '\0' ? std::optional<std::wstring>(std::wstring())
                                           : lumetrix::TextArgument(arguments, lumetrix::kMaxArgumentBytes);
      if (!wideArguments) return 0;
    }
    const std::optional<std::wstring> folder = koru::WidenStrict(koru::LinkWorkingFolder(target));
    if (!folder) return 0;
    // Leaves COM as it found it: uninitialised only when this call set it up.
    koru::ComApartment apartment;
    if (!apartment.Usable()) return 0;
    return SUCCEEDED(lumetrix::SaveLink(*wideLink, *wideTarget, *folder, wideArguments)) ? 1 : 0;
  });
}
