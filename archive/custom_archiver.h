// TCustomArchiver: one archiver library bound by name, its entry points
// wrapped. A subclass per format (archive_adapters.h) names the library and
// its prefix and builds the command lines; everything here is shared.
//
// A library that does not load leaves an adapter that exists and does
// nothing: Execute (so every Extract) returns -1, the Boolean wrappers false,
// the counters 0.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "archive/archiver_api.h"
#include "archive/archiver_options.h"
#include "archive/module_loader.h"

namespace koru::ArchiverN {

// The entry points Bind looks up, in its order; each export is the prefix
// followed by the suffix (the prefix alone for Main).
enum class EntryPoint {
  GetVersion, CheckArchive, GetRunning, Main, QueryFunctionList,
  GetBackGroundMode, SetBackGroundMode, GetCursorMode, SetCursorMode,
  GetCursorInterval, SetCursorInterval, GetFileCount, ExtractMem, CompressMem,
  ConfigDialog, OpenArchive, CloseArchive, FindFirst, FindNext, SetOwnerWindowEx,
};
inline constexpr std::size_t kEntryPointCount = 20;
std::string_view EntryPointSuffix(EntryPoint entry);

class TCustomArchiver {
 public:
  static constexpr std::uint32_t kOutputSize = 32768;
  // The ConfigDialog buffer holds at least this many bytes.
  static constexpr std::size_t kConfigBufferSize = 520;

  // `messageWindow` is the window the library reports progress to
  // (SetOwnerWindowEx); null when the owner is not the extraction manager.
  TCustomArchiver(ModuleLoader& loader, ArchiverWindow messageWindow);
  virtual ~TCustomArchiver();
  TCustomArchiver(const TCustomArchiver&) = delete;
  TCustomArchiver& operator=(const TCustomArchiver&) = delete;

  // Loads the library and looks up every entry point; a missing one stays
  // null. Tells the library its owner window and turns its busy cursor off
  // where it can.
  void Bind(const std::string& libraryFileName, const std::string& prefix);

  std::uint16_t GetVersion();
  bool GetRunning();
  virtual std::string BuildOptions() const { return {}; }
  void SetArchiveName(const std::string& name);
  int GetFileCount();
  bool FindFirst(const std::string& wildcard);
  bool FindNext();
  void* GetProc(const std::string& exportName);
  // Runs the library's settings dialog on `text`; true when accepted.
  virtual bool ConfigDialog(int mode, std::string& text);
  // One command through the main function: its result (0 is success), -1
  // when the library has none.
  virtual int Execute(const std::string& commandLine);
  bool OpenArchive(const std::string& name, std::int32_t mode);
  void CloseArchive();
  // The listing pair: FirstMember starts, and every true NextMember makes
  // the next member current, the first included.
  bool FirstMember(const std::string& wildcard);
  bool NextMember();
  virtual int Add(const std::string& files);
  virtual int Extract(const std::string& files);
  bool CheckArchive(const std::string& name, int mode);

  // The current member's file name as the library stored it in the member
  // record; nothing when its 513 bytes hold no closing zero.
  std::optional<std::string> MemberFileName() const;

  std::uint8_t Kind() const { return kind_; }
  bool Bound() const { return module_ != nullptr; }
  ArchiverWindow OwnerWindow() const { return ownerWindow_; }
  void SetOwnerWindow(ArchiverWindow window) { ownerWindow_ = window; }
  const ArchiverOptions& Options() const { return *options_; }
  void SetOptions(const ArchiverOptions& options) { options_ = &options; }
  const std::string& ArchiveName() const { return archiveName_; }
  const std::string& OutputFolder() const { return outputFolder_; }
  void SetOutputFolder(const std::string& folder) { outputFolder_ = folder; }
  const std::string& LastOutput() const { return lastOutput_; }

 protected:
  template <typename Proc>
  Proc EntryOf(EntryPoint entry) const {
    return reinterpret_cast<Proc>(entries_[static_cast<std::size_t>(entry)]);
  }
  // Runs `main` as Execute runs the library's main function, keeping its
  // output text; -1 when `main` is null.
  int RunMain(api::MainProc main, const std::string& commandLine);
  // `config` on the settings text, with ConfigDialog's buffer rules.
  bool RunConfigDialog(api::ConfigDialogProc config, int mode, std::string& text);

  // The common tail of every command line: the quoted archive, the quoted
  // output folder ending in a backslash (when one is set) and the file list
  // (when not empty). Nothing when any of them could be read as something
  // else by the library: an archive that is not an absolute path, a quote or
  // control byte in the archive or folder, or a file list that is not plain
  // names (quoted or not) none of which begins with "-" or "@".
  std::optional<std::string> CommandTail(const std::string& files) const;
  // The first part of that tail: ` "archive"`, or nothing.
  std::optional<std::string> QuotedArchive() const;
  // word + options + tail, trimmed unless `trim` is false; -1 without a
  // safe tail, else the result of Execute.
  int RunCommand(std::string_view word, const std::string& options, const std::string& files, bool trim = true);

  ModuleLoader& loader_;
  ArchiverWindow messageWindow_;
  std::uint8_t kind_ = 0;

 private:
  std::unique_ptr<LoadedModule> module_;
  std::array<void*, kEntryPointCount> entries_{};
  ArchiverWindow ownerWindow_ = nullptr;
  std::string archiveName_;
  const ArchiverOptions* options_;
  std::string outputFolder_;
  ArchiveHandle archiveHandle_ = nullptr;
  std::int32_t openMode_ = 0;
  std::string lastOutput_;
  int firstState_ = 0;
  alignas(8) std::array<unsigned char, kMemberInfoSize> memberInfo_{};
};

// Leading and trailing characters with codes up to 32 removed.
std::string TrimLine(std::string_view line);

// A file list a library reads as names only: names separated by blanks, each
// in double quotes or free of them, none empty or beginning with "-" (a
// switch) or "@" (a response file), and no control byte anywhere.
bool IsPlainFileList(std::string_view files);

}  // namespace koru::ArchiverN
