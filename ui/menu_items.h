// What a Win32 menu lacks: hiding an item (it is taken out and put back at
// its place) and changing the shortcut text shown beside a caption.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "platform/unique_handle_win32.h"

namespace koru {

// An item (or submenu) that can be hidden. Captured from its menu while
// shown; only one item per menu is hidden this way, so its position stays
// right. A hidden submenu is owned here until it goes back.
class RemovableMenuItem {
 public:
  RemovableMenuItem() = default;
  RemovableMenuItem(const RemovableMenuItem&) = delete;
  RemovableMenuItem& operator=(const RemovableMenuItem&) = delete;

  // The item at `position` of `menu`.
  void Capture(HMENU menu, UINT position);
  void Show(bool shown);
  bool Shown() const { return shown_; }

 private:
  HMENU menu_ = nullptr;
  UINT position_ = 0;
  UINT id_ = 0;
  std::wstring caption_;
  HMENU submenu_ = nullptr;
  UniqueMenu removedSubmenu_;
  bool shown_ = true;
};

// The caption of the item with command `id` (found in submenus too), with
// `shortcut` after a tab, or with no shortcut text when it is empty.
void SetShortcutText(HMENU menu, UINT id, const wchar_t* shortcut);

// The position of the item with command `id` in `menu` itself, or -1.
int PositionOf(HMENU menu, UINT id);

// Checks, or enables, the item with command `command` in each menu that
// exists: a command's twins in the main menu and the popups.
void CheckMenuItems(std::initializer_list<HMENU> menus, int command, bool checked);
void EnableMenuItems(std::initializer_list<HMENU> menus, int command, bool enabled);

}  // namespace koru
