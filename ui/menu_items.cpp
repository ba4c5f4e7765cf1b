#include "ui/menu_items.h"

#include <vector>

namespace koru {
namespace {

std::wstring CaptionAt(HMENU menu, UINT item, UINT byWhat) {
  MENUITEMINFOW info = {sizeof info, MIIM_STRING};
  if (!GetMenuItemInfoW(menu, item, byWhat == MF_BYPOSITION, &info)) return {};
  std::vector<wchar_t> text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoW(menu, item, byWhat == MF_BYPOSITION, &info)) return {};
  return text.data();
}

}  // namespace

void RemovableMenuItem::Capture(HMENU menu, UINT position) {
  menu_ = menu;
  position_ = position;
  caption_ = CaptionAt(menu, position, MF_BYPOSITION);
  MENUITEMINFOW info = {sizeof info, MIIM_ID | MIIM_SUBMENU};
  GetMenuItemInfoW(menu, position, TRUE, &info);
  id_ = info.wID;
  submenu_ = info.hSubMenu;
  shown_ = true;
}

void RemovableMenuItem::Show(bool shown) {
  if (!menu_ || shown == shown_) return;
  shown_ = shown;
  if (!shown) {
    RemoveMenu(menu_, position_, MF_BYPOSITION);  // a submenu survives the removal
    removedSubmenu_.Reset(submenu_);
    return;
  }
  MENUITEMINFOW info = {sizeof info, MIIM_ID | MIIM_STRING | MIIM_SUBMENU};
  info.wID = id_;
  info.hSubMenu = submenu_;
  info.dwTypeData = caption_.data();
  InsertMenuItemW(menu_, position_, TRUE, &info);
  removedSubmenu_.Release();  // the menu owns it again
}

void SetShortcutText(HMENU menu, UINT id, const wchar_t* shortcut) {
  std::wstring caption = CaptionAt(menu, id, MF_BYCOMMAND);
  caption = caption.substr(0, caption.find(L'\t'));
  if (shortcut && *shortcut) caption += std::wstring(L"\t") + shortcut;
  MENUITEMINFOW info = {sizeof info, MIIM_STRING};
  info.dwTypeData = caption.data();
  SetMenuItemInfoW(menu, id, FALSE, &info);
}

int PositionOf(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(menu, i) == id) return i;
  }
  return -1;
}

void CheckMenuItems(std::initializer_list<HMENU> menus, int command, bool checked) {
  for (HMENU menu : menus) {
    if (menu) CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void EnableMenuItems(std::initializer_list<HMENU> menus, int command, bool enabled) {
  for (HMENU menu : menus) {
    if (menu) EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

}  // namespace koru
