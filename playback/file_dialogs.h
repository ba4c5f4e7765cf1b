// The open and save dialogs of the list commands (dlgOpen, dlgSave). The
// Win32 layer shows the system's common dialogs; tests answer with a fake.
#pragma once

#include <optional>
#include <string>

#include "settings/file_type_table.h"

namespace koru {

struct FileDialogRequest {
  std::string title;
  // Pairs of description and patterns, each part ended by "|" except the
  // last: "Lists|*.mpl|All files|*.*".
  std::string filter;
  std::string defaultExtension;  // without the dot; empty for none
  std::string fileName;          // shown when the dialog opens
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The open dialog: the folder and the file must exist. Nothing when the
  // user cancels.
  virtual std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) = 0;
  // The save dialog: it asks before a file is replaced.
  virtual std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) = 0;
};

// FileOpenClick's dialog: every extension of the list and media categories
// "FUK1RVLZAG" in that order, each category's in table order.
FileDialogRequest OpenListOrMediaRequest(const FileTypeTable& fileTypes);
// mnuFileSaveClick's dialog, opening on the list's path.
FileDialogRequest SaveListRequest(const std::string& listPath);

}  // namespace koru
