#include "archive/custom_archiver.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/cp932.h"

namespace koru::ArchiverN {
namespace {

constexpr std::string_view kSuffixes[kEntryPointCount] = {
    "GetVersion",        "CheckArchive",      "GetRunning",    "",
    "QueryFunctionList", "GetBackGroundMode", "SetBackGroundMode", "GetCursorMode",
    "SetCursorMode",     "GetCursorInterval", "SetCursorInterval", "GetFileCount",
    "ExtractMem",        "CompressMem",       "ConfigDialog",  "OpenArchive",
    "CloseArchive",      "FindFirst",         "FindNext",      "SetOwnerWindowEx",
};

const ArchiverOptions& DefaultOptions() {
  static const ArchiverOptions defaults;
  return defaults;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// A quote or a control byte is never the trail byte of a code page 932
// character, so a byte scan finds exactly the characters.
bool HasQuoteOrControl(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c == '"' || IsControl(c); });
}

// "C:\..." or "\\server\share\...": the only archive paths a library cannot
// take relative to a folder of its own choosing.
bool IsAbsolutePath(std::string_view path) {
  const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
                     path[2] == '\\';
  return drive || (path.size() >= 3 && path[0] == '\\' && path[1] == '\\');
}

// The bytes of a zero-terminated text inside `size` bytes; nothing without
// the zero.
std::optional<std::string> TextWithin(const char* bytes, std::size_t size) {
  const void* zero = std::memchr(bytes, '\0', size);
  if (!zero) return std::nullopt;
  return std::string(bytes, static_cast<const char*>(zero));
}

}  // namespace

std::string_view EntryPointSuffix(EntryPoint entry) { return kSuffixes[static_cast<std::size_t>(entry)]; }

std::string TrimLine(std::string_view line) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
  return std::string(line);
}

bool IsPlainFileList(std::string_view files) {
  if (std::any_of(files.begin(), files.end(), IsControl)) return false;
  std::size_t at = 0;
  while (at < files.size()) {
    if (files[at] == ' ') {
      ++at;
      continue;
    }
    std::string_view name;
    if (files[at] == '"') {
      const std::size_t close = files.find('"', at + 1);
      if (close == std::string_view::npos) return false;
      name = files.substr(at + 1, close - at - 1);
      at = close + 1;
      if (at < files.size() && files[at] != ' ') return false;
    } else {
      const std::size_t end = std::min(files.find(' ', at), files.size());
      name = files.substr(at, end - at);
      if (name.find('"') != std::string_view::npos) return false;
      at = end;
    }
    if (name.empty() || name.front() == '-' || name.front() == '@') return false;
  }
  return true;
}

TCustomArchiver::TCustomArchiver(ModuleLoader& loader, ArchiverWindow messageWindow)
    : loader_(loader), messageWindow_(messageWindow), options_(&DefaultOptions()) {}

TCustomArchiver::~TCustomArchiver() {
  CloseArchive();
  module_.reset();
}

void TCustomArchiver::Bind(const std::string& libraryFileName, const std::string& prefix) {
  module_ = loader_.LoadModule(libraryFileName);
  if (!module_) return;
  for (std::size_t i = 0; i < kEntryPointCount; ++i) {
    entries_[i] = module_->Lookup((prefix + std::string(kSuffixes[i])).c_str());
  }
  if (auto setOwner = EntryOf<api::SetOwnerWindowExProc>(EntryPoint::SetOwnerWindowEx)) {
    setOwner(messageWindow_, nullptr);
  }
  if (auto setCursorMode = EntryOf<api::SetCursorModeProc>(EntryPoint::SetCursorMode)) setCursorMode(0);
}

std::uint16_t TCustomArchiver::GetVersion() {
  auto getVersion = EntryOf<api::GetVersionProc>(EntryPoint::GetVersion);
  return getVersion ? getVersion() : 0;
}

bool TCustomArchiver::GetRunning() {
  auto getRunning = EntryOf<api::GetRunningProc>(EntryPoint::GetRunning);
  return getRunning && getRunning() != 0;
}

void TCustomArchiver::SetArchiveName(const std::string& name) {
  CloseArchive();
  archiveName_ = name;
}

int TCustomArchiver::GetFileCount() {
  auto getFileCount = EntryOf<api::GetFileCountProc>(EntryPoint::GetFileCount);
  return getFileCount ? getFileCount(archiveName_.c_str()) : 0;
}

bool TCustomArchiver::FindFirst(const std::string& wildcard) {
  memberInfo_.fill(0);
  auto findFirst = EntryOf<api::FindFirstProc>(EntryPoint::FindFirst);
  if (!findFirst || !archiveHandle_) return false;
  return findFirst(archiveHandle_, wildcard.c_str(), memberInfo_.data()) == 0;
}

bool TCustomArchiver::FindNext() {
  memberInfo_.fill(0);
  auto findNext = EntryOf<api::FindNextProc>(EntryPoint::FindNext);
  if (!findNext || !archiveHandle_) return false;
  return findNext(archiveHandle_, memberInfo_.data()) == 0;
}

void* TCustomArchiver::GetProc(const std::string& exportName) {
  return module_ ? module_->Lookup(exportName.c_str()) : nullptr;
}

bool TCustomArchiver::ConfigDialog(int mode, std::string& text) {
  return RunConfigDialog(EntryOf<api::ConfigDialogProc>(EntryPoint::ConfigDialog), mode, text);
}

bool TCustomArchiver::RunConfigDialog(api::ConfigDialogProc config, int mode, std::string& text) {
  if (!config) return false;
  const std::size_t size = std::max(kConfigBufferSize, text.size() + 1);
  // One zero byte more than the library is given, so the text always ends.
  std::vector<char> buffer(size + 1, '\0');
  std::copy(text.begin(), text.end(), buffer.begin());
  const int result = config(ownerWindow_, buffer.data(), mode);
  text.assign(buffer.data(), strnlen(buffer.data(), size));
  return result == 1;
}

int TCustomArchiver::Execute(const std::string& commandLine) {
  return RunMain(EntryOf<api::MainProc>(EntryPoint::Main), commandLine);
}

int TCustomArchiver::RunMain(api::MainProc main, const std::string& commandLine) {
  if (!main) return -1;
  std::vector<char> output(kOutputSize + 1, '\0');
  const int result = main(ownerWindow_, commandLine.c_str(), output.data(), kOutputSize);
  lastOutput_.assign(output.data(), strnlen(output.data(), kOutputSize));
  return result;
}

bool TCustomArchiver::OpenArchive(const std::string& name, std::int32_t mode) {
  SetArchiveName(name);
  openMode_ = mode;
  auto openArchive = EntryOf<api::OpenArchiveProc>(EntryPoint::OpenArchive);
  if (!openArchive) return false;
  archiveHandle_ = openArchive(ownerWindow_, archiveName_.c_str(), static_cast<unsigned long>(openMode_));
  return archiveHandle_ != nullptr;
}

void TCustomArchiver::CloseArchive() {
  auto closeArchive = EntryOf<api::CloseArchiveProc>(EntryPoint::CloseArchive);
  if (closeArchive && archiveHandle_) closeArchive(archiveHandle_);
  archiveHandle_ = nullptr;
}

bool TCustomArchiver::FirstMember(const std::string& wildcard) {
  CloseArchive();
  firstState_ = 0;
  if (archiveName_.empty()) {
    firstState_ = -1;
    return false;
  }
  OpenArchive(archiveName_, openMode_);
  firstState_ = FindFirst(wildcard) ? 1 : -1;
  return firstState_ == 1;
}

bool TCustomArchiver::NextMember() {
  const int state = firstState_;
  firstState_ = 0;
  if (state == 1) return true;
  if (state == -1) return false;
  return FindNext();
}

int TCustomArchiver::Add(const std::string&) { return 0; }

int TCustomArchiver::Extract(const std::string&) { return 0; }

bool TCustomArchiver::CheckArchive(const std::string& name, int mode) {
  auto checkArchive = EntryOf<api::CheckArchiveProc>(EntryPoint::CheckArchive);
  return checkArchive && checkArchive(name.c_str(), mode) != 0;
}

std::optional<std::string> TCustomArchiver::MemberFileName() const {
  return TextWithin(reinterpret_cast<const char*>(memberInfo_.data()) + kMemberNameOffset, kMemberNameSize);
}

std::optional<std::string> TCustomArchiver::QuotedArchive() const {
  if (!IsAbsolutePath(archiveName_) || HasQuoteOrControl(archiveName_)) return std::nullopt;
  return " \"" + archiveName_ + "\"";
}

std::optional<std::string> TCustomArchiver::CommandTail(const std::string& files) const {
  std::optional<std::string> tail = QuotedArchive();
  if (!tail || HasQuoteOrControl(outputFolder_) || !IsPlainFileList(files)) return std::nullopt;
  if (!outputFolder_.empty()) {
    // A trail byte 0x5C ends a double-byte character, not the folder.
    const bool endsInBackslash =
        cp932::FileNameStart(outputFolder_) == outputFolder_.size() && outputFolder_.back() == '\\';
    *tail += " \"" + outputFolder_ + (endsInBackslash ? "" : "\\") + "\"";
  }
  if (!files.empty()) *tail += " " + files;
  return tail;
}

int TCustomArchiver::RunCommand(std::string_view word, const std::string& options, const std::string& files,
                                bool trim) {
  const std::optional<std::string> tail = CommandTail(files);
  if (!tail) return -1;
  const std::string line = std::string(word) + options + *tail;
  return Execute(trim ? TrimLine(line) : line);
}

}  // namespace koru::ArchiverN
