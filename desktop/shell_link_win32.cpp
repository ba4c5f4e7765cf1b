#include "desktop/shell_link_win32.h"

#include <windows.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <cstdint>
#include <optional>

#include "platform/com_pointer_win32.h"
#include "platform/wide_text_win32.h"

namespace koru {
namespace {

// What the link stores about its target: the path, and whether the target
// was a file with content when the link was made.
struct StoredTarget {
  std::wstring path;
  std::uint64_t size = 0;
};

std::optional<StoredTarget> ReadLink(const std::wstring& linkPath) {
  ComApartment apartment;
  if (!apartment.Usable()) return std::nullopt;
  ComPointer<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid()))) {
    return std::nullopt;
  }
  ComPointer<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return std::nullopt;
  if (FAILED(file->Load(linkPath.c_str(), STGM_READ))) return std::nullopt;

  wchar_t target[MAX_PATH] = {};
  WIN32_FIND_DATAW found{};
  if (link->GetPath(target, MAX_PATH, &found, 0) != S_OK) return std::nullopt;
  StoredTarget stored;
  stored.path = target;
  stored.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  return stored;
}

std::optional<std::string> NarrowPath(const std::wstring& path) {
  if (std::optional<std::string> narrow = Narrow(path)) return narrow;
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  return Narrow(std::wstring_view(shortPath, length));
}

}  // namespace

std::string ResolveShortcut(const std::string& path) {
  const std::optional<std::u16string> wide = cp932::ToUtf16(path);
  if (!wide || wide->empty()) return path;
  const std::optional<StoredTarget> stored = ReadLink(std::wstring(wide->begin(), wide->end()));
  if (!stored || stored->size == 0 || stored->path.empty()) return path;
  const std::optional<std::string> target = NarrowPath(stored->path);
  // The target must fit where a path of 260 bytes ends in its zero.
  if (!target || target->empty() || target->size() >= MAX_PATH) return path;
  return *target;
}

}  // namespace koru
