// The archiver double: the exports of archiver_exports.h over ZIP files.
//
// Misbehaviours (KORU_DOUBLE_MISBEHAVE):
//   flood-output   the main function and ConfigDialog fill the whole buffer
//                  they were given, without a closing zero
//   flood-name     the member record's file name fills its 513 bytes, and
//                  the rest of the record, without a zero
//   escape         extracted files are written beside the output folder, in
//                  its parent, instead of inside it
//   no-write       extraction writes nothing and still returns 0
//   endless        a listing never ends: FindNext starts over at the end
//   pump           the main function dispatches the caller's messages for
//                  half a second before it works, as a library showing a
//                  progress dialog does
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "archiver_exports.h"
#include "command_line.h"
#include "double_support.h"
#include "library_rules.h"
#include "zip_archive.h"

namespace koru::doubles {
namespace {

// INDIVIDUALINFO of the common archiver API.
struct IndividualInfo {
  DWORD dwOriginalSize;
  DWORD dwCompressedSize;
  DWORD dwCRC;
  UINT uFlag;
  UINT uOSType;
  WORD wRatio;
  WORD wDate;
  WORD wTime;
  char szFileName[513];
  char dummy1[3];
  char szAttribute[8];
  char szMode[8];
};
static_assert(sizeof(IndividualInfo) == 560);
static_assert(offsetof(IndividualInfo, szFileName) == 26);

constexpr int kNoMoreMembers = -1;
constexpr int kErrorNotArchive = 0x8016;   // not an archive this library reads
constexpr int kErrorCommand = 0x8017;      // a command this double does not carry out
constexpr int kErrorWrite = 0x8008;        // a file could not be written
constexpr int kErrorCancelled = 0x8020;    // the owner window said stop
constexpr UINT kArcExtractBegin = 0;
constexpr UINT kArcExtractEnd = 2;

HWND g_ownerWindow = nullptr;

const LibraryRules& Rules() { return RulesOf(ModuleFileName()); }

std::string Function(std::string_view suffix) { return std::string(Rules().prefix) + std::string(suffix); }

std::wstring Wide(std::string_view cp932) {
  if (cp932.empty()) return {};
  const int size = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), wide.data(), size);
  return wide;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

std::optional<ZipArchive> OpenZip(LPCSTR path) {
  if (!path) return std::nullopt;
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return ZipArchive::Parse(std::move(*bytes));
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  // Folders on the way are made first, as the libraries do.
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::string_view FileNamePart(std::string_view name) {
  const std::size_t slash = name.find_last_of("\\/");
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// A name a careful library refuses to write: absolute, or climbing out.
bool LeavesFolder(std::string_view name) {
  if (name.empty() || name[0] == '\\' || name[0] == '/' || (name.size() > 1 && name[1] == ':')) return true;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = name.size();
    if (name.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

void PumpMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// EXTRACTINGINFO of the common archiver API, handed with "wm_arcextract".
struct ExtractingInfo {
  DWORD dwFileSize;
  DWORD dwWriteSize;
  char szSourceFileName[513];
  char dummy1[3];
  char szDestFileName[513];
  char dummy[3];
};

// Tells the owner window about one extraction step; true when it says go on.
bool Report(UINT state, const std::string& source, const std::wstring& destination, DWORD size) {
  if (!g_ownerWindow) return true;
  static const UINT message = RegisterWindowMessageW(L"wm_arcextract");
  ExtractingInfo info = {};
  info.dwFileSize = size;
  std::snprintf(info.szSourceFileName, sizeof info.szSourceFileName, "%s", source.c_str());
  WideCharToMultiByte(932, 0, destination.c_str(), -1, info.szDestFileName, sizeof info.szDestFileName - 1, nullptr,
                      nullptr);
  const LRESULT answer = SendMessageW(g_ownerWindow, message, state, reinterpret_cast<LPARAM>(&info));
  LogCall("wm_arcextract", std::to_string(state) + " " + std::to_string(answer));
  return answer == 0;
}

int Extract(const ArchiverCommand& command, bool keepFolders, std::string& report) {
  std::optional<ZipArchive> zip = OpenZip(command.archive.c_str());
  if (!zip) return kErrorNotArchive;
  std::wstring folder = Wide(command.outputFolder);
  if (Misbehaves("escape")) folder += L"..\\";
  int written = 0;
  for (const ZipMember& member : zip->Members()) {
    if (member.IsFolder() || LeavesFolder(member.name)) continue;
    const std::string_view fileName = FileNamePart(member.name);
    bool wanted = command.patterns.empty();
    for (const std::string& pattern : command.patterns) wanted = wanted || MatchesPattern(pattern, fileName);
    if (!wanted) continue;
    std::wstring target = folder + Wide(keepFolders ? std::string_view(member.name) : fileName);
    for (wchar_t& c : target) c = c == L'/' ? L'\\' : c;
    if (!Report(kArcExtractBegin, member.name, target, member.size)) return kErrorCancelled;
    if (Misbehaves("no-write")) continue;
    std::optional<std::string> contents = zip->Contents(member);
    if (!contents || !WriteFileBytes(target, *contents)) return kErrorWrite;
    ++written;
  }
  if (!Report(kArcExtractEnd, command.archive, folder, 0)) return kErrorCancelled;
  report = std::to_string(written) + " file(s) extracted\r\n";
  return 0;
}

void CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return;
  if (Misbehaves("flood-output")) {
    std::memset(buffer, 'X', size);
    return;
  }
  const std::size_t length = text.size() < size ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

struct OpenedArchive {
  ZipArchive zip;
  std::string wildcard;
  std::size_t next = 0;
};

int FillNext(OpenedArchive& opened, IndividualInfo* info) {
  const std::vector<ZipMember>& members = opened.zip.Members();
  // Endless or not, a wildcard that matches nothing ends the search.
  for (std::size_t tried = 0; tried <= 2 * members.size(); ++tried) {
    if (opened.next >= members.size()) {
      if (!Misbehaves("endless")) return kNoMoreMembers;
      opened.next = 0;
      if (members.empty()) return kNoMoreMembers;
    }
    const ZipMember& member = members[opened.next++];
    if (!MatchesPattern(opened.wildcard, FileNamePart(member.name))) continue;
    std::memset(info, 0, sizeof *info);
    info->dwOriginalSize = member.size;
    info->dwCompressedSize = member.compressedSize;
    info->dwCRC = member.crc;
    info->wRatio = member.size ? static_cast<WORD>(member.compressedSize * 1000ull / member.size) : 0;
    info->wDate = member.dosDate;
    info->wTime = member.dosTime;
    if (Misbehaves("flood-name")) {
      std::memset(info->szFileName, 'N', sizeof *info - offsetof(IndividualInfo, szFileName));
    } else {
      std::snprintf(info->szFileName, sizeof info->szFileName, "%s", member.name.c_str());
      std::snprintf(info->szAttribute, sizeof info->szAttribute, "%s", member.IsFolder() ? "d---" : "-a--");
      std::snprintf(info->szMode, sizeof info->szMode, "%s", member.method == 8 ? "-lh5-" : "-lh0-");
    }
    return 0;
  }
  return kNoMoreMembers;
}

std::string Pointer(const void* p) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(p)));
  return text;
}

}  // namespace
}  // namespace koru::doubles

using namespace koru::doubles;

extern "C" {

int WINAPI ArcMain(const HWND, LPCSTR commandLine, LPSTR output, const DWORD outputSize) {
  const std::string line = commandLine ? commandLine : "";
  LogCall(Rules().prefix, line);
  if (Misbehaves("pump")) PumpMessages(500);
  const ArchiverCommand command = ParseArchiverCommand(line, Rules().hasCommandWord);
  std::string report = "command not carried out by this double\r\n";
  int result = kErrorCommand;
  if (Rules().extracts(command)) result = Extract(command, Rules().keepsFolders(command), report);
  CopyOut(report, output, outputSize);
  return result;
}

WORD WINAPI ArcGetVersion(void) {
  LogCall(Function("GetVersion"), "");
  return Rules().version;
}

BOOL WINAPI ArcGetRunning(void) { return FALSE; }

BOOL WINAPI ArcCheckArchive(LPCSTR archive, const int mode) {
  LogCall(Function("CheckArchive"), std::string(archive ? archive : "") + " " + std::to_string(mode));
  std::optional<ZipArchive> zip = OpenZip(archive);
  // A ZIP that names a library in its comment belongs to that library only.
  return zip && (zip->Comment().empty() || zip->Comment() == Rules().prefix);
}

int WINAPI ArcGetFileCount(LPCSTR archive) {
  std::optional<ZipArchive> zip = OpenZip(archive);
  return zip ? static_cast<int>(zip->Members().size()) : -1;
}

HARC WINAPI ArcOpenArchive(const HWND window, LPCSTR archive, const DWORD mode) {
  LogCall(Function("OpenArchive"), Pointer(window) + " " + (archive ? archive : "") + " " + std::to_string(mode));
  std::optional<ZipArchive> zip = OpenZip(archive);
  if (!zip) return nullptr;
  return new OpenedArchive{std::move(*zip), {}, 0};
}

int WINAPI ArcCloseArchive(HARC archive) {
  LogCall(Function("CloseArchive"), "");
  delete static_cast<OpenedArchive*>(archive);
  return 0;
}

int WINAPI ArcFindFirst(HARC archive, LPCSTR wildcard, LPVOID memberInfo) {
  if (!archive || !memberInfo) return kNoMoreMembers;
  auto& opened = *static_cast<OpenedArchive*>(archive);
  opened.wildcard = wildcard ? wildcard : "*.*";
  opened.next = 0;
  return FillNext(opened, static_cast<IndividualInfo*>(memberInfo));
}

int WINAPI ArcFindNext(HARC archive, LPVOID memberInfo) {
  if (!archive || !memberInfo) return kNoMoreMembers;
  return FillNext(*static_cast<OpenedArchive*>(archive), static_cast<IndividualInfo*>(memberInfo));
}

BOOL WINAPI ArcConfigDialog(const HWND, LPSTR text, const int mode) {
  LogCall(Function("ConfigDialog"), std::to_string(mode) + " " + (text ? text : ""));
  // The caller promises a buffer of at least 520 bytes.
  if (text && Misbehaves("flood-output")) {
    std::memset(text, 'C', 520);
  } else if (text) {
    std::strcpy(text, "-double-settings");
  }
  return TRUE;
}

BOOL WINAPI ArcSetOwnerWindowEx(HWND window, LPARCHIVERPROC callback) {
  LogCall(Function("SetOwnerWindowEx"), Pointer(window) + " " + Pointer(reinterpret_cast<const void*>(callback)));
  g_ownerWindow = window;
  return TRUE;
}

BOOL WINAPI ArcSetCursorMode(const BOOL mode) {
  LogCall(Function("SetCursorMode"), std::to_string(mode));
  return TRUE;
}

BOOL WINAPI ArcQueryEncryption(void) { return FALSE; }

}  // extern "C"
