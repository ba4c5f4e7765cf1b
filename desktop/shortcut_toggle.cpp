#include "desktop/shortcut_toggle.h"

#include "platform/cp932.h"
#include "platform/user_dialogs.h"

namespace koru {
namespace {

std::string LinkPathIn(const std::string& folder) {
  const bool endsInBackslash = cp932::FileNameStart(folder) == folder.size() && folder.back() == '\\';
  return folder + (endsInBackslash ? "" : "\\") + "KORU.lnk";
}

}  // namespace

std::string ShortcutPlaceName(ShortcutPlace place) {
  switch (place) {
    case ShortcutPlace::SendTo:
      return cp932::FromUtf8(u8"送る");
    case ShortcutPlace::Desktop:
      return cp932::FromUtf8(u8"ﾃﾞｽｸﾄｯﾌﾟ");
    case ShortcutPlace::QuickLaunch:
      return cp932::FromUtf8(u8"ｸｲｯｸ起動");
  }
  return std::string();
}

void ToggleShortcut(const std::string& folder, std::string_view displayName, const std::string& programPath,
                    ShortcutFiles& files, ShortcutDialog& dialog) {
  if (folder.empty()) return;
  const std::string link = LinkPathIn(folder);
  const std::string name = cp932::FromUtf8(u8"「") + std::string(displayName);
  if (files.Exists(link)) {
    const std::string question = name + cp932::FromUtf8(u8"」のKORUのｼｮｰﾄｶｯﾄを削除します。\nよろしいですか？");
    if (dialog.Ask(question, mb::kYesNoExclamation) == answer::kYes) files.Remove(link);
    return;
  }
  const std::string question = name + cp932::FromUtf8(u8"」にKORUのｼｮｰﾄｶｯﾄを作成します。\nよろしいですか？");
  if (dialog.Ask(question, mb::kYesNoInformation) != answer::kYes) return;
  if (files.Create(link, programPath, std::string()) == ShortcutOutcome::LibraryMissing) {
    dialog.BringToFront();
    dialog.Ask(cp932::FromUtf8(u8"LUMETRIX.DLLが見つかりません。"), mb::kOkStop);
  }
}

}  // namespace koru
