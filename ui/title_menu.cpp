#include "ui/title_menu.h"

#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "playback/menu_captions.h"

namespace koru {

HMENU TitleMenu::Build(const MediaList& list, bool reduceBlanks, Checks checks) {
  menu_.Reset(CreatePopupMenu());
  groups_.clear();
  list_ = &list;
  reduceBlanks_ = reduceBlanks;
  HMENU menu = menu_.Get();
  const int count = list.Count();
  const std::vector<TitleMenuGroup> groups = TitleMenuGroups(count, list.CurrentIndex());
  if (groups.empty()) {
    AppendEntries(menu, 0, count - 1);
  } else {
    for (const TitleMenuGroup& group : groups) {
      HMENU submenu = CreatePopupMenu();
      const std::wstring caption = Widen(group.caption);
      AppendMenuW(menu, MF_POPUP | (group.checked ? MF_CHECKED : MF_UNCHECKED), reinterpret_cast<UINT_PTR>(submenu),
                  caption.c_str());
      groups_.push_back({submenu, group.first, group.last, false});
    }
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | (checks.position ? MF_CHECKED : MF_UNCHECKED), kPositionId,
              Widen(cp932::FromUtf8(u8"ｲﾝｼﾞｹｰﾀの表示(&I)\tCtrl+I")).c_str());
  AppendMenuW(menu, MF_STRING | (checks.volume ? MF_CHECKED : MF_UNCHECKED), kVolumeId,
              Widen(cp932::FromUtf8(u8"ﾎﾞﾘｭｰﾑ設定の表示(&V)\tCtrl+M")).c_str());
  return menu;
}

void TitleMenu::AppendEntries(HMENU menu, int first, int last) {
  const int current = list_->CurrentIndex();
  for (int i = first; i <= last; ++i) {
    const std::wstring caption = Widen(TitleMenuCaption(list_->Entry(i), reduceBlanks_));
    AppendMenuW(menu, MF_STRING | (i == current ? MF_CHECKED : MF_UNCHECKED), kFirstEntryId + static_cast<UINT>(i),
                caption.c_str());
  }
}

bool TitleMenu::FillGroup(HMENU submenu) {
  for (Group& group : groups_) {
    if (group.submenu != submenu) continue;
    if (!group.filled) AppendEntries(submenu, group.first, group.last);
    group.filled = true;
    return true;
  }
  return false;
}

TitleMenu::Choice TitleMenu::Open(HWND owner, POINT at, const MediaList& list, bool reduceBlanks, Checks checks) {
  HMENU menu = Build(list, reduceBlanks, checks);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
  // The list may have changed while the menu was open (a hand-over, a tick).
  const int count = list.Count();
  menu_.Reset();
  groups_.clear();
  if (chosen == kPositionId) return {Choice::Kind::Position, -1};
  if (chosen == kVolumeId) return {Choice::Kind::Volume, -1};
  if (chosen >= kFirstEntryId && chosen < kFirstEntryId + static_cast<UINT>(count)) {
    return {Choice::Kind::Entry, static_cast<int>(chosen - kFirstEntryId)};
  }
  return {};
}

}  // namespace koru
