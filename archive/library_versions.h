// The lines of the version dialog: one per outside library that archive
// playback and RCP conversion depend on, with its version or a note that it
// cannot be found.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/module_loader.h"

namespace koru {

// The RCP converter's version as major × 100 + minor. Throws when the
// library or one of its functions is missing.
using RcpVersionReader = std::function<long long()>;

// "<LIBRARY> バージョン x.yy" for a version in hundredths (245: "2.45"), as
// printf's "%4.2f" shows version × 0.01, whatever the locale.
std::string VersionLine(std::string_view library, long long hundredths);
// "<LIBRARY> は確認できません".
std::string MissingLine(std::string_view library);

// UNLHA32, UNZIP32, UNRAR32 and UNGCA32 (each loaded through its adapter,
// with no owner window, and unloaded again), then RCPCV. Texts are code page
// 932. A library that throws while its line is made gets its missing line.
std::vector<std::string> LibraryVersionLines(ModuleLoader& loader, const RcpVersionReader& rcpVersion);

}  // namespace koru
