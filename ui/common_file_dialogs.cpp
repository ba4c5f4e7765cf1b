#include "ui/common_file_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/wide_text_win32.h"
#include "ui/dropped_files.h"

namespace koru {
namespace {

// The dialog's long paths and its multiple-selection form are not used: one
// path of up to this many characters.
constexpr std::size_t kPathCapacity = 32768;

// "a|b|c|d" becomes "a\0b\0c\0d\0\0".
std::wstring FilterPairs(const std::string& filter) {
  std::wstring pairs = Widen(filter);
  std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
  pairs.push_back(L'\0');
  pairs.push_back(L'\0');
  return pairs;
}

}  // namespace

std::optional<std::string> CommonFileDialogs::ChooseFileToOpen(const FileDialogRequest& request) {
  return Choose(request, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, false);
}

std::optional<std::string> CommonFileDialogs::ChooseFileToSave(const FileDialogRequest& request) {
  return Choose(request, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, true);
}

std::optional<std::string> CommonFileDialogs::Choose(const FileDialogRequest& request, DWORD flags, bool save) {
  const std::wstring title = Widen(request.title);
  const std::wstring filter = FilterPairs(request.filter);
  const std::wstring extension = Widen(request.defaultExtension);
  std::vector<wchar_t> path(kPathCapacity, L'\0');
  const std::wstring initial = Widen(request.fileName);
  std::copy_n(initial.begin(), std::min(initial.size(), path.size() - 1), path.begin());

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_ ? owner_() : nullptr;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  // A name code page 932 cannot hold is taken by its short form where the
  // file already exists; a new one cannot be named and counts as cancelled.
  return PathInCodePage932(path.data());
}

}  // namespace koru
