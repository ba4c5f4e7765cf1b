#include "archive/archive_manager.h"

#include "archive/archive_kind.h"

namespace koru::ArchiverN {

// Marks the manager as working for one library call; refuses to start when
// it is already working.
class TArchiver::WorkScope {
 public:
  explicit WorkScope(TArchiver& owner) : owner_(owner), entered_(!owner.working_) { owner_.working_ = true; }
  ~WorkScope() {
    if (entered_) owner_.working_ = false;
  }
  WorkScope(const WorkScope&) = delete;
  WorkScope& operator=(const WorkScope&) = delete;
  bool Entered() const { return entered_; }

 private:
  TArchiver& owner_;
  bool entered_;
};

TArchiver::TArchiver(ArchiverPlatform& platform, ArchiverWindow mainWindow, ArchiverWindow messageWindow)
    : platform_(platform), messageWindow_(messageWindow), mainWindow_(mainWindow) {}

TArchiver::~TArchiver() = default;

void TArchiver::SetArchive(const std::string& archivePath) {
  WorkScope work(*this);
  if (!work.Entered()) return;
  archivePath_.clear();
  if (!archivePath.empty()) archivePath_ = platform_.FullPath(archivePath).value_or(std::string());
  Select(ProbeKind(archivePath_));
  if (adapter_) adapter_->SetArchiveName(archivePath_);
}

void TArchiver::SetOutputFolder(const std::string& folder) {
  if (working_) return;
  outputFolder_ = folder;
  if (adapter_) adapter_->SetOutputFolder(outputFolder_);
}

bool TArchiver::FirstMember(const std::string& pattern) {
  WorkScope work(*this);
  return work.Entered() && adapter_ && adapter_->FirstMember(pattern);
}

bool TArchiver::NextMember() {
  WorkScope work(*this);
  return work.Entered() && adapter_ && adapter_->NextMember();
}

std::optional<std::string> TArchiver::MemberInfo() {
  if (working_ || !adapter_) return std::nullopt;
  return adapter_->MemberFileName();
}

int TArchiver::Extract(const std::string& fileList) {
  WorkScope work(*this);
  if (!work.Entered() || !adapter_) return -1;
  return adapter_->Extract(fileList);
}

int TArchiver::KindOf(const std::string& path) {
  WorkScope work(*this);
  return work.Entered() ? ProbeKind(path) : 0;
}

void TArchiver::SelectAdapter(int kind) {
  WorkScope work(*this);
  if (work.Entered()) Select(kind);
}

int TArchiver::ProbeKind(const std::string& path) {
  const int kind = KindOfExtension(path);
  if (kind != kProbedKind) return kind;
  for (int probe = kFirstKind; probe <= kLastKind; ++probe) {
    Select(probe);
    if (adapter_ && adapter_->CheckArchive(path, 0)) return probe;
  }
  return 0;
}

void TArchiver::Select(int kind) {
  if (adapter_ && adapter_->Kind() == kind) return;
  adapter_.reset();
  adapter_ = CreateAdapter(kind, platform_, messageWindow_);
  if (!adapter_) return;
  adapter_->SetOwnerWindow(mainWindow_);
  adapter_->SetOptions(options_);
  adapter_->SetArchiveName(archivePath_);
  adapter_->SetOutputFolder(outputFolder_);
}

void TArchiver::SetMainWindow(ArchiverWindow mainWindow) {
  mainWindow_ = mainWindow;
  if (adapter_) adapter_->SetOwnerWindow(mainWindow_);
}

long TArchiver::AnswerArcExtract(std::uintptr_t wParam, std::intptr_t lParam) {
  if (!OnArcExtract) return 0;
  return OnArcExtract(*this, wParam, lParam) ? 0 : 1;
}

}  // namespace koru::ArchiverN
