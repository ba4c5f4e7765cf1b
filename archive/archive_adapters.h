// The per-format adapters. Each names its library and prefix (in its
// constructor), turns the shared options into its switches and says which
// command words extract and add; TZip (zip_adapter.h) builds its own lines.
#pragma once

#include "archive/custom_archiver.h"

namespace koru::ArchiverN {

// An adapter whose lines are the command word, the option string and the
// common tail, trimmed.
class TLineAdapter : public TCustomArchiver {
 public:
  using TCustomArchiver::TCustomArchiver;
  int Extract(const std::string& files) override;
  int Add(const std::string& files) override;

 protected:
  virtual std::string ExtractWord(const std::string& files) const = 0;
  // Empty for a library that cannot add: Add then does nothing and returns 0.
  virtual std::string AddWord() const { return {}; }
  virtual bool TrimsLines() const { return true; }
};

class TLha : public TLineAdapter {  // kind 1
 public:
  TLha(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;

 protected:
  std::string ExtractWord(const std::string&) const override { return "e "; }
  std::string AddWord() const override { return "a "; }
  // UNLHA32 gets its line as built, blanks at the ends included.
  bool TrimsLines() const override { return false; }
};

class TCab : public TLineAdapter {  // kind 3
 public:
  TCab(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;

 protected:
  std::string ExtractWord(const std::string&) const override { return "-x "; }
  std::string AddWord() const override { return "-a "; }
};

class TTar : public TLineAdapter {  // kind 4
 public:
  TTar(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;

 protected:
  std::string ExtractWord(const std::string&) const override { return "-x "; }
  std::string AddWord() const override { return "-c "; }
};

class TRar : public TLineAdapter {  // kind 5
 public:
  TRar(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;

 protected:
  std::string ExtractWord(const std::string&) const override { return Options().NoPaths ? "-e " : "-x "; }
};

class TArj : public TLineAdapter {  // kind 6
 public:
  TArj(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;

 protected:
  std::string ExtractWord(const std::string&) const override { return "x "; }
};

class TBga : public TLineAdapter {  // kind 7
 public:
  TBga(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;

 protected:
  std::string ExtractWord(const std::string&) const override { return "x "; }
  std::string AddWord() const override { return "a "; }
};

class TGca : public TLineAdapter {  // kind 8
 public:
  TGca(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;
  // "*.*" asks for every member, which UNGCA32 spells as no file list.
  int Extract(const std::string& files) override;
  // The names to add are expanded against the output folder.
  int Add(const std::string& files) override;

 protected:
  std::string ExtractWord(const std::string& files) const override { return files.empty() ? "e " : "ex "; }
};

class TYz1 : public TLineAdapter {  // kind 9
 public:
  TYz1(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;

 protected:
  std::string ExtractWord(const std::string&) const override { return "x "; }
  std::string AddWord() const override { return "c "; }
};

class T7Zip : public TLineAdapter {  // kind 10
 public:
  T7Zip(ModuleLoader& loader, ArchiverWindow messageWindow);
  std::string BuildOptions() const override;

 protected:
  std::string ExtractWord(const std::string&) const override { return Options().NoPaths ? "e " : "x "; }
  std::string AddWord() const override { return Options().UpdateOnly ? "u " : "a "; }
};

}  // namespace koru::ArchiverN
