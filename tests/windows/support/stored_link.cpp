#include "windows/support/stored_link.h"

#include <windows.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

#include "platform/com_pointer_win32.h"

namespace koru::testing {

StoredLink ReadStoredLink(const std::wstring& path) {
  ComApartment apartment;
  StoredLink stored;
  ComPointer<IShellLinkW> link;
  ComPointer<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(path.c_str(), STGM_READ))) {
    return stored;
  }
  wchar_t text[1024] = {};
  if (SUCCEEDED(link->GetPath(text, 1024, nullptr, SLGP_RAWPATH))) stored.target = text;
  text[0] = L'\0';
  if (SUCCEEDED(link->GetWorkingDirectory(text, 1024))) stored.folder = text;
  text[0] = L'\0';
  if (SUCCEEDED(link->GetArguments(text, 1024))) stored.arguments = text;
  return stored;
}

}  // namespace koru::testing
