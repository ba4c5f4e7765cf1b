#include "archive/library_versions.h"

#include <charconv>
#include <memory>

#include "archive/archive_adapters.h"
#include "archive/zip_adapter.h"
#include "platform/cp932.h"

namespace koru {
namespace {

template <typename Adapter>
std::string ArchiverLine(ModuleLoader& loader, std::string_view library) {
  try {
    Adapter adapter(loader, nullptr);
    if (!adapter.Bound()) return MissingLine(library);
    return VersionLine(library, adapter.GetVersion());
  } catch (...) {
    return MissingLine(library);
  }
}

}  // namespace

std::string VersionLine(std::string_view library, long long hundredths) {
  // to_chars never looks at the locale, where printf would take a decimal
  // comma from it.
  char number[64];
  const auto [end, error] =
      std::to_chars(number, number + sizeof number, static_cast<double>(hundredths) * 0.01, std::chars_format::fixed, 2);
  std::string value(number, error == std::errc() ? end : number);
  // "%4.2f": a field of at least four characters.
  if (value.size() < 4) value.insert(0, 4 - value.size(), ' ');
  return std::string(library) + cp932::FromUtf8(u8" バージョン ") + value;
}

std::string MissingLine(std::string_view library) {
  return std::string(library) + cp932::FromUtf8(u8" は確認できません");
}

std::vector<std::string> LibraryVersionLines(ModuleLoader& loader, const RcpVersionReader& rcpVersion) {
  std::vector<std::string> lines;
  lines.push_back(ArchiverLine<ArchiverN::TLha>(loader, "UNLHA32.DLL"));
  lines.push_back(ArchiverLine<ArchiverN::TZip>(loader, "UNZIP32.DLL"));
  lines.push_back(ArchiverLine<ArchiverN::TRar>(loader, "UNRAR32.DLL"));
  lines.push_back(ArchiverLine<ArchiverN::TGca>(loader, "UNGCA32.DLL"));
  try {
    lines.push_back(rcpVersion ? VersionLine("RCPCV.DLL", rcpVersion()) : MissingLine("RCPCV.DLL"));
  } catch (...) {
    lines.push_back(MissingLine("RCPCV.DLL"));
  }
  return lines;
}

}  // namespace koru
