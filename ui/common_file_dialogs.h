// dlgOpen and dlgSave: the system's common open and save dialogs.
#pragma once

#include <windows.h>

#include <functional>

#include "playback/file_dialogs.h"

namespace koru {

class CommonFileDialogs : public FileDialogs {
 public:
  // `owner` gives the window the dialogs belong to when they open.
  explicit CommonFileDialogs(std::function<HWND()> owner) : owner_(std::move(owner)) {}

  std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;

 private:
  std::optional<std::string> Choose(const FileDialogRequest& request, DWORD flags, bool save);

  std::function<HWND()> owner_;
};

}  // namespace koru
