#include "archive/zip_adapter.h"

namespace koru::ArchiverN {

TZip::TZip(ModuleLoader& loader, ArchiverWindow messageWindow) : TCustomArchiver(loader, messageWindow) {
  kind_ = 2;
  Bind("unzip32.dll", "UnZip");
  unZip_ = EntryOf<api::MainProc>(EntryPoint::Main);
}

bool TZip::LoadZip() {
  if (zipState_ == ZipLibrary::NotTried) {
    zipModule_ = loader_.LoadModule("zip32j.dll");
    zipState_ = zipModule_ ? ZipLibrary::Loaded : ZipLibrary::Missing;
    if (zipModule_) {
      ZipEntryPoints& z = zipEntries_;
      z.zip = reinterpret_cast<api::MainProc>(zipModule_->Lookup("Zip"));
      z.getVersion = reinterpret_cast<api::GetVersionProc>(zipModule_->Lookup("ZipGetVersion"));
      z.getRunning = reinterpret_cast<api::GetRunningProc>(zipModule_->Lookup("ZipGetRunning"));
      z.configDialog = reinterpret_cast<api::ConfigDialogProc>(zipModule_->Lookup("ZipConfigDialog"));
      z.queryEncryption = zipModule_->Lookup("ZipQueryEncryption");
      z.setOwnerWindowEx = reinterpret_cast<api::SetOwnerWindowExProc>(zipModule_->Lookup("ZipSetOwnerWindowEx"));
      if (z.setOwnerWindowEx) z.setOwnerWindowEx(messageWindow_, nullptr);
    }
  }
  return zipState_ == ZipLibrary::Loaded;
}

bool TZip::ConfigDialog(int mode, std::string& text) {
  if (mode != 2) return TCustomArchiver::ConfigDialog(mode, text);
  return LoadZip() && RunConfigDialog(zipEntries_.configDialog, mode, text);
}

int TZip::Execute(const std::string& commandLine) {
  if (commandLine.empty() || commandLine.front() != '!') return TCustomArchiver::Execute(commandLine);
  if (!LoadZip() || !zipEntries_.zip) return -1;
  return RunMain(zipEntries_.zip, TrimLine(std::string_view(commandLine).substr(1)));
}

int TZip::Extract(const std::string& files) {
  if (!unZip_) return -1;
  const ArchiverOptions& o = Options();
  std::string line = o.UpdateOnly ? "-u" : "-x";
  line += o.ShowDialog ? " -q" : " --i -q";
  if (o.NoPaths) line += " -j";
  if (o.Overwrite) line += " -o";
  if (!o.Password.empty()) line += " \"-P" + o.Password + "\"";
  if (!o.ExtraSwitches.empty()) line += " " + o.ExtraSwitches;
  const std::optional<std::string> tail = CommandTail(files);
  if (!tail) return -1;
  return Execute(TrimLine(line + *tail));
}

int TZip::Add(const std::string& files) {
  if (!LoadZip() || !zipEntries_.zip) return -1;
  const ArchiverOptions& o = Options();
  std::string line;
  if (o.UpdateOnly) line += "-u";
  if (o.AllAttributes) line += " -S";
  if (!o.ShowDialog) line += " -q";
  if (o.NoPaths) line += " -D -j";
  if (o.Recurse) line += " -r";
  if (!o.Method.empty()) line += " -" + o.Method;
  if (!o.Password.empty()) line += " \"-P" + o.Password + "\"";
  if (!o.WorkFolder.empty()) line += " \"-b" + o.WorkFolder + "\"";
  if (!o.NewerThan.empty()) line += " -t" + o.NewerThan;
  if (!o.OlderThan.empty()) line += " -tt" + o.OlderThan;
  if (!o.ExtraSwitches.empty()) line += " " + o.ExtraSwitches;
  const std::optional<std::string> tail = CommandTail(files);
  if (!tail) return -1;
  return Execute("!" + line + *tail);
}

}  // namespace koru::ArchiverN
