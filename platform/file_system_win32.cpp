#include "platform/file_system_win32.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/cp932.h"
#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace koru {
namespace {

// Deletes the temporary file of a save unless the save went through.
class TemporaryFileGuard {
 public:
  explicit TemporaryFileGuard(std::wstring path) : path_(std::move(path)) {}
  TemporaryFileGuard(const TemporaryFileGuard&) = delete;
  TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;
  ~TemporaryFileGuard() {
    if (!path_.empty()) ::DeleteFileW(path_.c_str());
  }
  void Keep() { path_.clear(); }

 private:
  std::wstring path_;
};

std::optional<std::wstring> Wide(const std::string& path) {
  std::optional<std::u16string> utf16 = cp932::ToUtf16(path);
  if (!utf16 || utf16->empty()) return std::nullopt;
  return std::wstring(utf16->begin(), utf16->end());
}

UniqueFileHandle OpenShared(const std::wstring& path) {
  return UniqueFileHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::size_t ReadAtOffset(HANDLE file, std::uint64_t offset, char* out, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
    OVERLAPPED at{};
    std::uint64_t position = offset + done;
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD got = 0;
    if (!::ReadFile(file, out + done, chunk, &got, &at) || got == 0) break;
    done += got;
  }
  return done;
}

class Win32InputFile : public InputFile {
 public:
  Win32InputFile(UniqueFileHandle file, std::uint64_t size) : file_(std::move(file)), size_(size) {}
  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
    if (offset >= size_) return 0;
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    return ReadAtOffset(file_.Get(), offset, static_cast<char*>(buffer), count);
  }

 private:
  UniqueFileHandle file_;
  std::uint64_t size_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

std::wstring FolderWithSeparator(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring Hex(unsigned long long value) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), L"0123456789abcdef"[value & 15]);
    value >>= 4;
  } while (value != 0);
  return digits;
}

// A fresh file beside the target, created exclusively so that two saves never
// share one. The name carries the process id and a tick count; a clash only
// moves on to the next number.
UniqueFileHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& name) {
  const std::wstring folder = FolderWithSeparator(target);
  unsigned long long salt = ::GetTickCount64() ^ (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + L"~koru" + Hex(salt + static_cast<unsigned>(attempt)) + L".tmp";
    UniqueFileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  name.clear();
  return {};
}

// ReplaceFileW swaps the new contents in while the old file keeps its
// attributes. The old file is moved aside to `aside` first, so that every
// failure can be undone: without a backup name, some failures leave the
// target deleted.
bool ReplaceKeepingAttributes(const std::wstring& target, DWORD oldAttributes, const std::wstring& replacement) {
  const std::wstring aside = replacement + L".old";
  if (::ReplaceFileW(target.c_str(), replacement.c_str(), aside.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
    ::DeleteFileW(aside.c_str());
    // Windows carries the attributes over itself; Wine's ReplaceFileW only
    // renames, so they are put back where they went missing.
    constexpr DWORD kCarried = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    DWORD now = ::GetFileAttributesW(target.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & kCarried) != (oldAttributes & kCarried)) {
      DWORD wanted = (now & ~kCarried & (FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY)) | (oldAttributes & kCarried);
      ::SetFileAttributesW(target.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
    }
    return true;
  }
  if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
      ::GetFileAttributesW(aside.c_str()) != INVALID_FILE_ATTRIBUTES) {
    ::MoveFileExW(aside.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  ::DeleteFileW(aside.c_str());
  return false;
}

bool IsLinkLike(const WIN32_FIND_DATAW& found) {
  // Junctions, symbolic links and the other name surrogates point elsewhere;
  // reparse points that are not (cloud placeholders, deduplicated files) are
  // ordinary files and folders. Wine reports a Unix symbolic link as a
  // reparse point with tag 0, which no real reparse point carries.
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
  return found.dwReserved0 == 0 || IsReparseTagNameSurrogate(found.dwReserved0);
}

}  // namespace

std::unique_ptr<InputFile> Win32FileSystem::OpenForReading(const std::string& path) {
  std::optional<std::wstring> wide = Wide(path);
  if (!wide) return nullptr;
  UniqueFileHandle file = OpenShared(*wide);
  if (!file) return nullptr;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) return nullptr;
  return std::make_unique<Win32InputFile>(std::move(file), static_cast<std::uint64_t>(size.QuadPart));
}

std::optional<std::string> Win32FileSystem::ReadWholeFile(const std::string& path) {
  std::optional<std::wstring> wide = Wide(path);
  if (!wide) return std::nullopt;
  UniqueFileHandle file = OpenShared(*wide);
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || static_cast<unsigned long long>(size.QuadPart) >= SIZE_MAX / 2) {
    return std::nullopt;
  }
  // The size is a hint only: another program may write the file meanwhile.
  std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file.Get(), bytes.data() + filled, chunk, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    filled += got;
  }
  bytes.resize(filled);
  return bytes;
}

bool Win32FileSystem::WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::optional<std::wstring> target = Wide(path);
  if (!target) return false;
  DWORD attributes = ::GetFileAttributesW(target->c_str());
  bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) return false;

  std::wstring temporaryName;
  UniqueFileHandle temporary = CreateTemporaryBeside(*target, temporaryName);
  if (!temporary) return false;
  TemporaryFileGuard guard(temporaryName);
  if (!WriteAll(temporary.Get(), bytes) || !::FlushFileBuffers(temporary.Get())) return false;
  temporary.Reset();

  bool replaced = exists ? ReplaceKeepingAttributes(*target, attributes, temporaryName)
                         : ::MoveFileExW(temporaryName.c_str(), target->c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (replaced) guard.Keep();
  return replaced;
}

bool Win32FileSystem::CopyFileReplacing(const std::string& from, const std::string& to) {
  std::optional<std::wstring> source = Wide(from);
  std::optional<std::wstring> destination = Wide(to);
  return source && destination && ::CopyFileW(source->c_str(), destination->c_str(), FALSE) != 0;
}

bool Win32FileSystem::CanCreateFilesIn(const std::string& folder) {
  std::optional<std::wstring> wide = Wide(folder);
  if (!wide) return false;
  if (wide->back() != L'\\' && wide->back() != L'/') wide->push_back(L'\\');
  // The probe is the same kind of file a save makes first, so the answer is
  // the one a save would meet.
  std::wstring probeName;
  UniqueFileHandle probe = CreateTemporaryBeside(*wide + L"probe", probeName);
  if (!probe) return false;
  TemporaryFileGuard removed(probeName);
  probe.Reset();
  return true;
}

PathKind Win32FileSystem::KindOf(const std::string& path) {
  std::optional<std::wstring> wide = Wide(path);
  if (!wide) return PathKind::Missing;
  DWORD attributes = ::GetFileAttributesW(wide->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

std::vector<FolderItem> Win32FileSystem::ListFolder(const std::string& folder) {
  std::vector<FolderItem> items;
  std::optional<std::wstring> pattern = Wide(folder);
  if (!pattern) return items;
  if (pattern->back() != L'\\' && pattern->back() != L'/') pattern->push_back(L'\\');
  pattern->push_back(L'*');

  WIN32_FIND_DATAW found{};
  UniqueFindHandle search(::FindFirstFileExW(pattern->c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
  if (!search) return items;
  do {
    std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    std::optional<std::string> narrow = Narrow(found.cFileName);
    // A name code page 932 cannot hold is reached through its 8.3 name; a
    // file without one cannot be named at all and is left out.
    if (!narrow && found.cAlternateFileName[0] != L'\0') narrow = Narrow(found.cAlternateFileName);
    if (!narrow) continue;
    FolderItem item;
    item.name = std::move(*narrow);
    item.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    item.isHidden = (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    item.isLink = IsLinkLike(found);
    items.push_back(std::move(item));
  } while (::FindNextFileW(search.Get(), &found));
  return items;
}

std::optional<FolderIdentity> Win32FileSystem::IdentityOf(const std::string& folder) {
  std::optional<std::wstring> wide = Wide(folder);
  if (!wide) return std::nullopt;
  // Opened without access to its contents, following links, as a folder.
  UniqueFileHandle handle(::CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(handle.Get(), &information)) return std::nullopt;
  return FolderIdentity{information.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

}  // namespace koru
