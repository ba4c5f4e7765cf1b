// The title menu as Win32 holds it: entries flat up to a thousand, above in
// groups filled when they open, the current entry and its group checked,
// titles shown as text, and the two display switches at the end.
#include "ui/title_menu.h"

#include <gtest/gtest.h>

#include <string>

namespace koru {
namespace {

std::wstring Caption(HMENU menu, int position) {
  wchar_t text[512] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 512, MF_BYPOSITION);
  return text;
}

bool Checked(HMENU menu, int position) {
  return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

MediaList ListOf(int count, int current) {
  MediaList list("C:\\KORU\\");
  list.readInfoOnAdd = false;
  list.SetCapacity(9999);
  for (int i = 0; i < count; ++i) list.AddEntry("C:\\m\\" + std::to_string(i) + ".mid", "");
  list.Entry(0).title = "Rock & Roll";
  list.SetCurrentIndex(current);
  return list;
}

TEST(TitleMenuTest, FiveHundredEntriesStandInTheMenuWithTheSwitchesAfterThem) {
  const MediaList list = ListOf(500, 7);
  TitleMenu menu;
  HMENU built = menu.Build(list, false, {.position = false, .volume = true});
  ASSERT_EQ(GetMenuItemCount(built), 503);
  EXPECT_EQ(Caption(built, 0), L"Rock && Roll");
  EXPECT_EQ(GetMenuItemID(built, 7), TitleMenu::kFirstEntryId + 7);
  for (int i = 0; i < 500; ++i) EXPECT_EQ(Checked(built, i), i == 7) << i;
  EXPECT_EQ(GetMenuState(built, 500, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(Caption(built, 501), L"\uFF72\uFF9D\uFF7C\uFF9E\uFF79\uFF70\uFF80\u306E\u8868\u793A(&I)\tCtrl+I");
  EXPECT_EQ(Caption(built, 502), L"\uFF8E\uFF9E\uFF98\uFF6D\uFF70\uFF91\u8A2D\u5B9A\u306E\u8868\u793A(&V)\tCtrl+M");
  EXPECT_FALSE(Checked(built, 501));
  EXPECT_TRUE(Checked(built, 502));
}

TEST(TitleMenuTest, NineThousandNineHundredNinetyNineEntriesComeInGroupsFilledWhenOpened) {
  const MediaList list = ListOf(9999, 4500);
  TitleMenu menu;
  HMENU built = menu.Build(list, false, {});
  ASSERT_EQ(GetMenuItemCount(built), 13);
  EXPECT_EQ(Caption(built, 0), L"1-1000");
  EXPECT_EQ(Caption(built, 9), L"9001-9999");
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Checked(built, i), i == 4) << i;

  HMENU fifth = GetSubMenu(built, 4);
  ASSERT_NE(fifth, nullptr);
  EXPECT_EQ(GetMenuItemCount(fifth), 0);
  EXPECT_TRUE(menu.FillGroup(fifth));
  EXPECT_TRUE(menu.FillGroup(fifth));  // opened again: filled once
  ASSERT_EQ(GetMenuItemCount(fifth), 1000);
  EXPECT_EQ(GetMenuItemID(fifth, 0), TitleMenu::kFirstEntryId + 4000);
  EXPECT_TRUE(Checked(fifth, 500));
  EXPECT_FALSE(Checked(fifth, 499));
  HMENU last = GetSubMenu(built, 9);
  EXPECT_TRUE(menu.FillGroup(last));
  EXPECT_EQ(GetMenuItemCount(last), 999);
  HMENU stranger = CreatePopupMenu();
  EXPECT_FALSE(menu.FillGroup(stranger));
  DestroyMenu(stranger);
}

}  // namespace
}  // namespace koru
