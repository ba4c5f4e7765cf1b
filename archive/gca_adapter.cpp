#include <vector>

#include "archive/archive_adapters.h"
#include "archive/switch_list.h"
#include "platform/cp932.h"

namespace koru::ArchiverN {
namespace {

// The names of a file-list argument split as a comma-separated text is:
// commas and blanks separate, double quotes group and are dropped.
std::vector<std::string> SplitNames(std::string_view files) {
  std::vector<std::string> names;
  std::string current;
  bool quoted = false;
  bool any = false;
  for (char c : files) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && (c == ',' || c == ' ')) {
      if (any) names.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) names.push_back(current);
  return names;
}

bool IsDrivePath(std::string_view p) { return p.size() >= 2 && p[1] == ':'; }

// `name` as a full path when the current folder is `folder` (absolute,
// without a trailing backslash): what the system makes of it, computed here
// so the process's current folder is never switched.
std::string ExpandAgainst(const std::string& folder, std::string name) {
  for (std::size_t i = 0; i < name.size(); i += cp932::CharLength(name, i)) {
    if (name[i] == '/') name[i] = '\\';
  }
  std::string full;
  if ((IsDrivePath(name) && name.size() >= 3 && name[2] == '\\') || name.rfind("\\\\", 0) == 0) {
    full = name;
  } else if (!name.empty() && name[0] == '\\') {
    full = (IsDrivePath(folder) ? folder.substr(0, 2) : std::string()) + name;
  } else {
    full = folder + "\\" + name;
  }
  // "." and ".." parts go as the system drops them, never above the root.
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= full.size()) {
    std::size_t end = start;
    while (end < full.size() && full[end] != '\\') end += cp932::CharLength(full, end);
    const std::string part = full.substr(start, end - start);
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (part != "." && !(part.empty() && !parts.empty() && end < full.size())) {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) joined += (i ? "\\" : "") + parts[i];
  return joined;
}

}  // namespace

TGca::TGca(ModuleLoader& loader, ArchiverWindow messageWindow) : TLineAdapter(loader, messageWindow) {
  kind_ = 8;
  Bind("UnGCA32.dll", "UnGCA");
}

std::string TGca::BuildOptions() const {
  const ArchiverOptions& o = Options();
  return SwitchList()
      .Flag(o.ShowDialog, " -sx1")
      .Flag(!o.Overwrite, " -yx1")
      .Flag(!o.NoPaths, " -xx1")
      .Quoted("-p", o.Password)
      .Extra(o.ExtraSwitches)
      .Trimmed();
}

int TGca::Extract(const std::string& files) { return TLineAdapter::Extract(files == "*.*" ? std::string() : files); }

int TGca::Add(const std::string& files) {
  // The archive goes out as in every line; the output folder only serves to
  // expand the names.
  const std::optional<std::string> archive = QuotedArchive();
  if (!archive) return -1;
  std::string folder = OutputFolder();
  if (!folder.empty() && cp932::FileNameStart(folder) == folder.size() && folder.back() == '\\') folder.pop_back();
  std::string line = "a " + BuildOptions() + *archive;
  for (std::string name : SplitNames(files)) {
    if (!folder.empty()) name = ExpandAgainst(folder, name);
    // A name with a blank would fall apart in the library's own split.
    const std::string argument = name.find(' ') == std::string::npos ? name : "\"" + name + "\"";
    if (!IsPlainFileList(argument)) return -1;
    line += " " + argument;
  }
  return Execute(TrimLine(line));
}

}  // namespace koru::ArchiverN
