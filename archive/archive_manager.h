// TArchiver, the archive extraction manager: the one object through which
// the player touches archives. It picks the adapter from the archive's
// extension (asking the libraries for ".exe"), keeps exactly one current
// adapter with its library loaded, and forwards listing and extraction.
//
// A library may dispatch window messages while it works, so the manager may
// be called again from inside its own call; such a nested call is refused
// (nothing is listed, extraction returns -1, the adapter in use stays).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "archive/archiver.h"
#include "archive/archiver_options.h"
#include "archive/custom_archiver.h"
#include "archive/module_loader.h"
#include "playback/entry_converters.h"

namespace koru::ArchiverN {

// What the manager needs of the system: libraries, and the full form of a
// path, so that no library reads an archive path against a folder of its own.
class ArchiverPlatform : public ModuleLoader {
 public:
  // Nothing when the path cannot be made absolute.
  virtual std::optional<std::string> FullPath(const std::string& path) = 0;
};

class TArchiver : public Archiver {
 public:
  // The handler of "wm_arcextract": true lets the library go on.
  using ArcExtractHandler = std::function<bool(TArchiver& sender, std::uintptr_t wParam, std::intptr_t lParam)>;

  // `mainWindow` is every adapter's owner window; `messageWindow` the hidden
  // window the libraries report their progress to.
  TArchiver(ArchiverPlatform& platform, ArchiverWindow mainWindow, ArchiverWindow messageWindow);
  ~TArchiver() override;
  TArchiver(const TArchiver&) = delete;
  TArchiver& operator=(const TArchiver&) = delete;

  void SetArchive(const std::string& archivePath) override;
  void SetOutputFolder(const std::string& folder) override;
  bool FirstMember(const std::string& pattern) override;
  bool NextMember() override;
  std::optional<std::string> MemberInfo() override;
  int Extract(const std::string& fileList) override;
  bool Working() const override { return working_; }

  // The kind of an archive by its extension; for ".exe" each adapter in kind
  // order is made current until one's library accepts the file (0 when none
  // does).
  int KindOf(const std::string& path);
  // Makes the adapter of `kind` current: the current one when it is of that
  // kind already, else a new one (the old one and its library are freed).
  void SelectAdapter(int kind);

  // The owner window of every adapter from now on, the current one included.
  void SetMainWindow(ArchiverWindow mainWindow);

  // The answer to a "wm_arcextract" message: 0 to go on, 1 to stop.
  long AnswerArcExtract(std::uintptr_t wParam, std::intptr_t lParam);

  ArcExtractHandler OnArcExtract;
  TCustomArchiver* Adapter() const { return adapter_.get(); }
  const std::string& ArchivePath() const { return archivePath_; }
  const ArchiverOptions& Options() const { return options_; }

 private:
  class WorkScope;
  int ProbeKind(const std::string& path);
  void Select(int kind);

  ArchiverPlatform& platform_;
  ArchiverWindow messageWindow_;
  std::unique_ptr<TCustomArchiver> adapter_;
  ArchiverOptions options_;
  ArchiverWindow mainWindow_;
  std::string archivePath_;
  std::string outputFolder_;
  bool working_ = false;
};

// TArchiver as playback's member extractor.
class ArchiverExtractor : public MemberExtractor {
 public:
  explicit ArchiverExtractor(Archiver& archiver) : archiver_(archiver) {}
  int ExtractMembers(const std::string& archive, const std::string& outputFolder,
                     const std::string& pattern) override {
    archiver_.SetArchive(archive);
    archiver_.SetOutputFolder(outputFolder);
    return archiver_.Extract(pattern);
  }

 private:
  Archiver& archiver_;
};

}  // namespace koru::ArchiverN
