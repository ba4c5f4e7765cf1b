// TZip, kind 2: UNZIP32.DLL extracts; ZIP32J.DLL, loaded the first time it
// is needed and at most once, adds and runs the "!" lines and the settings
// dialog of mode 2.
#pragma once

#include <memory>

#include "archive/custom_archiver.h"

namespace koru::ArchiverN {

class TZip : public TCustomArchiver {
 public:
  TZip(ModuleLoader& loader, ArchiverWindow messageWindow);
  bool ConfigDialog(int mode, std::string& text) override;
  // A line beginning with "!" goes to ZIP32J.DLL's Zip, any other to UnZip.
  int Execute(const std::string& commandLine) override;
  int Add(const std::string& files) override;
  int Extract(const std::string& files) override;

 private:
  enum class ZipLibrary { NotTried, Missing, Loaded };
  bool LoadZip();

  // ZIP32J.DLL's exports, which carry no prefix.
  struct ZipEntryPoints {
    api::MainProc zip = nullptr;
    api::GetVersionProc getVersion = nullptr;
    api::GetRunningProc getRunning = nullptr;
    api::ConfigDialogProc configDialog = nullptr;
    void* queryEncryption = nullptr;
    api::SetOwnerWindowExProc setOwnerWindowEx = nullptr;
  };

  api::MainProc unZip_ = nullptr;
  ZipLibrary zipState_ = ZipLibrary::NotTried;
  std::unique_ptr<LoadedModule> zipModule_;
  ZipEntryPoints zipEntries_;
};

}  // namespace koru::ArchiverN
