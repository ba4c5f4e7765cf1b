#include "desktop/first_start_question.h"

#include "platform/cp932.h"

namespace koru {

void FirstStartQuestion::FormActivate(const Settings& settings, UserDialogs& dialogs, FileAssociator& associator,
                                      const std::string& programPath) {
  if (activated_) return;
  activated_ = true;
  if (settings.form.left != -1) return;
  const std::string question = cp932::FromUtf8(
      u8"主なﾒﾃﾞｨｱﾌｧｲﾙをKORUに関連付けしますか？\n※後から詳細設定より手動で行う事もできます。");
  if (dialogs.ShowMessageDialog(question, mb::kYesNoInformation, true) == answer::kYes) {
    settings.AssociateMainTypes(associator, programPath);
  }
}

}  // namespace koru
