// The shell's special folders and its "open" action.
#pragma once

#include <string>

#include "desktop/shortcut_toggle.h"

namespace koru {

// The folder of a CSIDL number as code page 932 text, or empty when the
// shell has none.
std::string SpecialFolderPath(int csidl);

// Send To (CSIDL 9), the desktop (CSIDL 0), or Quick Launch below the
// application-data folder (CSIDL 26); empty when the shell has no such
// folder.
std::string ShortcutPlacePath(ShortcutPlace place);

// Asks the shell to "open" a file, folder or web address; true when it
// started the action. Texts in code page 932.
bool OpenDocument(const std::string& file, const std::string& parameters);

}  // namespace koru
