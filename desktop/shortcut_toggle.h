// The settings dialog's three shortcut buttons: each puts KORU's shortcut
// into a shell folder, or takes it out again, after asking.
#pragma once

#include <string>
#include <string_view>

namespace koru {

// The shell folders offered for the shortcut.
enum class ShortcutPlace { SendTo, Desktop, QuickLaunch };

// The name the questions give the folder ("送る", ...), code page 932.
std::string ShortcutPlaceName(ShortcutPlace place);

// The dialog that asks: its message boxes carry its own caption.
class ShortcutDialog {
 public:
  virtual ~ShortcutDialog() = default;
  // A system message box owned by the dialog (questions and the one
  // message alike); returns the answer (6 Yes).
  virtual int Ask(std::string_view text, int flags) = 0;
  virtual void BringToFront() = 0;
};

enum class ShortcutOutcome { Made, Failed, LibraryMissing };

// The shortcut files: made by LUMETRIX.DLL, looked at and deleted directly.
class ShortcutFiles {
 public:
  virtual ~ShortcutFiles() = default;
  virtual bool Exists(const std::string& link) = 0;
  virtual void Remove(const std::string& link) = 0;
  // CreateShortcut of LUMETRIX.DLL; LibraryMissing when the library or its
  // export cannot be loaded.
  virtual ShortcutOutcome Create(const std::string& link, const std::string& target, const std::string& arguments) = 0;
};

// "KORU.lnk" in `folder`: deleted when it exists, made (pointing at
// `programPath`, no arguments) when it does not, each only on Yes. A missing
// library brings the dialog to the front and says so. An empty folder (the
// shell has none) does nothing.
void ToggleShortcut(const std::string& folder, std::string_view displayName, const std::string& programPath,
                    ShortcutFiles& files, ShortcutDialog& dialog);

}  // namespace koru
