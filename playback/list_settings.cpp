#include "playback/list_settings.h"

#include "platform/cp932.h"

namespace koru {

int ApplyListSettings(Settings& settings, MediaList& list, UserDialogs& dialogs,
                      const std::function<void()>& bringMainWindowToFront) {
  // The settings dialog keeps the maximum list size within 100 to 9999; a
  // value outside that can only come from a broken KORU.ini.
  if (settings.list.count < 100 || settings.list.count > MediaList::kDefaultCapacity) {
    settings.list.count = MediaList::kDefaultCapacity;
  }
  if (list.Capacity() != settings.list.count) {
    bool apply = true;
    if (settings.list.count < list.Count()) {
      if (bringMainWindowToFront) bringMainWindowToFront();
      apply = dialogs.SystemMessageBox(
                  cp932::FromUtf8(u8"現在のﾘｽﾄ数より少ない値が最大ﾘｽﾄ数に設定されました。\n"
                                  u8"最大ﾘｽﾄ数以降のﾒﾃﾞｨｱﾘｽﾄは破棄されますがよろしいですか？"),
                  mb::kYesNoInformation) == answer::kYes;
    }
    if (apply) {
      list.SetCapacity(settings.list.count);
    } else {
      settings.list.count = list.Capacity();
    }
  }
  list.readInfoOnAdd = settings.opt.media == 1;
  list.titleWithoutExtension = settings.opt.title == 1;
  return settings.CorrectTimerPlay();
}

}  // namespace koru
