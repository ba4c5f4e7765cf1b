#include "archive/archive_adapters.h"

#include "archive/switch_list.h"

namespace koru::ArchiverN {

int TLineAdapter::Extract(const std::string& files) {
  return RunCommand(ExtractWord(files), BuildOptions(), files, TrimsLines());
}

int TLineAdapter::Add(const std::string& files) {
  const std::string word = AddWord();
  if (word.empty()) return 0;
  return RunCommand(word, BuildOptions(), files, TrimsLines());
}

TLha::TLha(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 1;
  Bind("unlha32.dll", "Unlha");
}

std::string TLha::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(o.AllAttributes, " -a2")
      .Flag(!o.ShowDialog, " -n1")
      .Flag(!o.NoPaths, " -x1")
      .Flag(!o.UpdateOnly, " -c1")
      .Flag(o.Overwrite, " -m1")
      .Flag(o.Recurse, " -r2")
      .Value(" -jm", o.Method)
      .Quoted("-w", o.WorkFolder)
      .Value(" -jo", o.NewerThan)
      .Value(" -job", o.OlderThan)
      .Each(" -jx", o.Excludes)
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

TCab::TCab(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 3;
  Bind("cab32.dll", "Cab");
}

std::string TCab::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(!o.AllAttributes, " -g")
      .Flag(!o.ShowDialog, " -i")
      .Flag(o.NoPaths, " -j")
      .Flag(o.UpdateOnly, " -n")
      .Flag(o.Overwrite, " -o")
      .Flag(o.Recurse, " -r")
      .Value(" -m", o.Method)
      .Quoted("-h", o.WorkFolder)
      .Value(" -ys", o.NewerThan)
      .Value(" -ye", o.OlderThan)
      .Each(" -ze", o.Excludes)
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

TTar::TTar(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 4;
  Bind("tar32.dll", "Tar");
}

std::string TTar::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(!o.ShowDialog, " --display-dialog=0")
      .Flag(o.NoPaths, " --use-directory=0")
      .Value(" -", o.Method)
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

TRar::TRar(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 5;
  Bind("unrar32.dll", "Unrar");
}

std::string TRar::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(!o.ShowDialog, " -y")
      .Flag(o.UpdateOnly, " -u")
      .Flag(o.Overwrite, " -o")
      .Flag(o.Recurse, " -s -r")
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

TArj::TArj(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 6;
  Bind("unarj32j.dll", "Unarj");
}

std::string TArj::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(!o.ShowDialog, " -i- -hm")
      .Flag(o.UpdateOnly, " -f+")
      .Flag(o.Overwrite, " -y+ -ha+")
      .Flag(o.NoPaths, " -hj+")
      .Flag(o.Recurse, " -p1")
      .Flag(!o.AllAttributes, " -a-")
      .Value(" -o", o.NewerThan)
      .Value(" -ob", o.OlderThan)
      .Each(" -x", o.Excludes)
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

TBga::TBga(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 7;
  Bind("Bga32.dll", "Bga");
}

std::string TBga::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(!o.ShowDialog, " -i")
      .Flag(o.UpdateOnly, " -n")
      .Flag(o.Overwrite, " -o")
      .Flag(o.NoPaths, " -j")
      .Flag(o.Recurse, " -r")
      .Flag(o.AllAttributes, " -a")
      .Value(" -l", o.Method)
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

TYz1::TYz1(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 9;
  Bind("Yz1.dll", "Yz1");
}

std::string TYz1::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(!o.ShowDialog, " -i1")
      .Flag(!o.UpdateOnly, " -c1")
      .Flag(o.Overwrite, " -y1")
      .Flag(o.NoPaths, " -x0")
      .Flag(!o.Recurse, " -r0")
      .Quoted("-p", o.Password)
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

T7Zip::T7Zip(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 10;
  Bind("7-zip32.dll", "SevenZip");
}

std::string T7Zip::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(!o.ShowDialog, " -hide")
      .Flag(o.Overwrite, " -aoa -y")
      .Flag(o.Recurse, " -r0")
      .Value(" -m", o.Method)
      .Quoted("-w", o.WorkFolder)
      .Quoted("-p", o.Password)
      .Each(" -x!", o.Excludes)
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

}  // namespace koru::ArchiverN
