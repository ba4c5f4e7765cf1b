// The question of the first start: whether the main media types should be
// associated with the player. Asked at the main window's first activation
// of a run, and only while no window position has been saved ([FORM] left
// is -1), so a run that ends without saving asks again next time.
#pragma once

#include <string>

#include "platform/user_dialogs.h"
#include "desktop/file_associator.h"
#include "settings/settings.h"

namespace koru {

class FirstStartQuestion {
 public:
  // Run at every activation of the main window. The question counts as
  // asked before it shows: the activation that follows the closing of the
  // dialog (or any other while it is open) does not ask again.
  void FormActivate(const Settings& settings, UserDialogs& dialogs, FileAssociator& associator,
                    const std::string& programPath);

 private:
  bool activated_ = false;
};

}  // namespace koru
