// The main window's ApplySettings as far as the list is concerned.
#pragma once

#include <functional>

#include "medialist/media_list.h"
#include "platform/user_dialogs.h"
#include "settings/settings.h"

namespace koru {

// Brings the list-related settings to the list: the capacity ([LIST] count,
// asking before entries would be dropped), the two information flags and the
// timer interval correction. Returns the timer interval in milliseconds.
int ApplyListSettings(Settings& settings, MediaList& list, UserDialogs& dialogs,
                      const std::function<void()>& bringMainWindowToFront);

}  // namespace koru
