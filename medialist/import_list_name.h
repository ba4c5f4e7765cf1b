// Where an imported list is kept: beside the imported file, under its name
// with ".mpl". The import must never take over a list file that is already
// there, since the imported list is saved to that name on exit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace koru {

// folder + name + ".mpl" when free, else the first free of name_2.mpl,
// name_3.mpl, ... up to name_9999.mpl; nothing when all are taken.
std::optional<std::string> FreeListNameFor(FileSystem& files, std::string_view importedPath);

}  // namespace koru
