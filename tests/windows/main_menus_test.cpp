// The main window's menus as the resources hold them: every caption byte for
// byte (shortcut text after a tab), separators where they belong, twins with
// their originals' command ids, and the two shortcut tables.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/unique_handle_win32.h"
#include "ui/main_window_ids.h"

namespace koru {
namespace {

// One line per item: its depth as indentation, its caption ("-" for a
// separator) and, for a command, "=" and its id.
std::wstring Describe(HMENU menu, int depth) {
  std::wstring lines;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t caption[256] = {};
    MENUITEMINFOW info = {sizeof info, MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU};
    info.dwTypeData = caption;
    info.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    lines += std::wstring(static_cast<std::size_t>(depth * 2), L' ');
    if (info.fType & MFT_SEPARATOR) {
      lines += L"-\n";
    } else if (info.hSubMenu) {
      lines += std::wstring(caption) + L"\n" + Describe(info.hSubMenu, depth + 1);
    } else {
      lines += std::wstring(caption) + L"=" + std::to_wstring(info.wID) + L"\n";
    }
  }
  return lines;
}

std::wstring DescribeResource(int id) {
  UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
  EXPECT_TRUE(menu) << id;
  return menu ? Describe(menu.Get(), 0) : L"";
}

std::wstring SelectedRowItems(const std::wstring& indent) {
  return indent + L"演奏開始(&P)\tEnter=1020\n" + indent + L"ﾘｽﾄから削除(&D)\tDel=1021\n" + indent +
         L"1つ前のﾄﾗｯｸに移動(&R)\tAlt+Up=1022\n" + indent + L"1つ次のﾄﾗｯｸに移動(&N)\tAlt+Down=1023\n" + indent +
         L"演奏ﾚｰﾄ(&L)\n" + indent + L"  なし=1024\n" + indent + L"  ○=1025\n" + indent + L"  ○○=1026\n" + indent +
         L"  ○○○=1027\n" + indent + L"ﾌｫﾙﾀﾞを開く(&F)=1030\n";
}

std::wstring SortItems(const std::wstring& indent) {
  return indent + L"ﾀｲﾄﾙの昇順=1040\n" + indent + L"ﾀｲﾄﾙの降順=1041\n" + indent + L"ﾌｧｲﾙ名の昇順=1042\n" + indent +
         L"ﾌｧｲﾙ名の降順=1043\n" + indent + L"演奏ﾚｰﾄの昇順=1044\n" + indent + L"演奏ﾚｰﾄの降順=1045\n";
}

TEST(MainMenus, MainMenuCaptionsAndSeparators) {
  std::wstring recent;
  for (int k = 0; k < 10; ++k) recent += L"    &" + std::to_wstring(k) + L"=" + std::to_wstring(1050 + k) + L"\n";
  const std::wstring expected =
      L"ﾌｧｲﾙ(&F)\n"
      L"  開く(&O)...\tCtrl+O=1000\n"
      L"  開き直す(&R)\n" + recent +
      L"  -\n"
      L"  ﾘｽﾄの初期化(&N)=1001\n"
      L"  ﾘｽﾄの上書き保存(&S)\tCtrl+S=1002\n"
      L"  ﾘｽﾄに名前を付けて保存(&A)...=1003\n"
      L"  ﾘｽﾄのﾒﾃﾞｨｱ情報を再取得(&M)=1004\n"
      L"  ﾘｽﾄ未登録ﾌｧｲﾙを検索(P)=1005\n"
      L"  ﾘｽﾄから存在しないﾌｧｲﾙを削除(&D)=1006\n"
      L"  ﾘｽﾄで選択中のﾌｧｲﾙ(&L)\n" + SelectedRowItems(L"    ") +
      L"  ﾘｽﾄの並び替え(&D)\n" + SortItems(L"    ") +
      L"  ﾘｽﾄを全て未演奏とする(&F)=1007\n"
      L"  ﾘｽﾄの横幅をｳｨﾝﾄﾞｳ幅で調整(&W)=1008\n"
      L"  ﾘｽﾄの横幅をﾃｷｽﾄｻｲｽﾞで調整(T)=1010\n"
      L"  -\n"
      L"  終了(&X)=1009\n"
      L"演奏(&E)\n"
      L"  演奏開始(&P)\tF5=1100\n"
      L"  一時停止(&A)\tF6=1101\n"
      L"  演奏停止(&S)\tF7=1102\n"
      L"  前ﾄﾗｯｸ(&B)\tF8=1103\n"
      L"  次ﾄﾗｯｸ(&N)\tF9=1104\n"
      L"  -\n"
      L"  連続演奏(&R)=1105\n"
      L"  ﾗﾝﾀﾞﾑ演奏(&D)\n"
      L"    ﾗﾝﾀﾞﾑ演奏なし(&O)=1106\n"
      L"    未再生の曲だけ再生(&K)=1107\n"
      L"    演奏ﾚｰﾄに従って再生(&L)=1108\n"
      L"表示(&V)\n"
      L"  ﾘｽﾄの表示(&L)\tF2=1200\n"
      L"  ﾄﾞｷｭﾒﾝﾄの表示(&D)\tF3=1201\n"
      L"  ﾒﾃﾞｨｱ情報の表示(&S)\tF4=1202\n"
      L"  -\n"
      L"  ﾀｲﾑｽﾗｲﾀﾞｰの表示(&I)\tCtrl+I=1204\n"
      L"  ﾎﾞﾘｭｰﾑ設定の表示(&V)\tCtrl+M=1205\n"
      L"  -\n"
      L"  ｳｨﾝﾄﾞｳｻｲｽﾞ復帰(&R)=1206\n"
      L"  ﾑｰﾋﾞｰｳｨﾝﾄﾞｳ表示(&M)=1207\n"
      L"設定(&I)\n"
      L"  詳細設定(&E)...=1300\n"
      L"  設定内容で再表示(&A)=1301\n"
      L"  ﾀｲﾄﾙ編集ﾓｰﾄﾞ(&T)\tCtrl+T=1302\n"
      L"  ｲﾒｰｼﾞを使用する(&G)=1303\n"
      L"  ﾒﾃﾞｨｱ情報は表示させない(&S)=1304\n"
      L"ﾍﾙﾌﾟ(&H)\n"
      L"  README表示(&R)=1500\n"
      L"  VELTAのﾎｰﾑﾍﾟｰｼﾞ(&W)=1501\n"
      L"  ﾊﾞｰｼﾞｮﾝ情報(&A)...=1502\n";
  EXPECT_EQ(DescribeResource(IDR_MAIN_MENU), expected);
}

TEST(MainMenus, PopUpMenusKeepTheirOwnCaptionsAndTheirTwinsIds) {
  EXPECT_EQ(DescribeResource(IDR_LIST_MENU), L"pumList\n" + SelectedRowItems(L"  ") +
                                                 L"  -\n"
                                                 L"  ﾘｽﾄの並び替え(&S)\n" + SortItems(L"    ") +
                                                 L"  ﾘｽﾄを全て未演奏とする(&F)=1007\n"
                                                 L"  ﾘｽﾄの横幅をｳｨﾝﾄﾞｳ幅で調整(&W)=1008\n"
                                                 L"  ﾘｽﾄの横幅をﾃｷｽﾄｻｲｽﾞで調整(T)=1010\n");
  EXPECT_EQ(DescribeResource(IDR_DATA_MENU),
            L"pumData\n"
            L"  詳細設定(&E)...=1300\n"
            L"  設定内容で再表示(&A)=1301\n"
            L"  ﾀｲﾄﾙ編集ﾓｰﾄﾞ(&T)\tCtrl+T=1302\n"
            L"  ｲﾒｰｼﾞを使用する(&G)=1303\n"
            L"  ﾒﾃﾞｨｱ情報は表示しない(&S)=1304\n");
  EXPECT_EQ(DescribeResource(IDR_SCREEN_MENU),
            L"pumScreen\n"
            L"  ﾀｲﾑｽﾗｲﾀﾞｰ表示(&I)\tCtrl+I=1204\n"
            L"  ﾎﾞﾘｭｰﾑ設定の表示(&V)\tCtrl+M=1205\n");
}

// The keys of an accelerator table as "flags:key=command".
std::vector<std::wstring> Keys(int id) {
  HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
  EXPECT_NE(table, nullptr);
  std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
  CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
  DestroyAcceleratorTable(table);
  std::vector<std::wstring> keys;
  for (const ACCEL& entry : entries) {
    keys.push_back(std::to_wstring(entry.fVirt & (FCONTROL | FALT | FSHIFT)) + L":" + std::to_wstring(entry.key) + L"=" +
                   std::to_wstring(entry.cmd));
  }
  return keys;
}

TEST(MainMenus, TheTitleBoxTableLeavesItsKeysToTheBox) {
  const std::vector<std::wstring> list = Keys(IDR_MAIN_ACCELERATORS);
  const std::vector<std::wstring> title = Keys(IDR_TITLE_EDIT_ACCELERATORS);
  const auto has = [](const std::vector<std::wstring>& keys, const std::wstring& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
  };
  const std::wstring enter = L"0:" + std::to_wstring(VK_RETURN) + L"=1020";
  const std::wstring del = L"0:" + std::to_wstring(VK_DELETE) + L"=1021";
  const std::wstring altUp = std::to_wstring(FALT) + L":" + std::to_wstring(VK_UP) + L"=1022";
  const std::wstring altDown = std::to_wstring(FALT) + L":" + std::to_wstring(VK_DOWN) + L"=1023";
  const std::wstring plus = L"0:" + std::to_wstring(VK_ADD) + L"=1028";
  const std::wstring minus = L"0:" + std::to_wstring(VK_SUBTRACT) + L"=1029";
  const std::wstring ctrlT = std::to_wstring(FCONTROL) + L":" + std::to_wstring('T') + L"=1302";
  for (const std::wstring& key : {enter, del, altUp, altDown, plus, minus, ctrlT}) EXPECT_TRUE(has(list, key)) << key;
  for (const std::wstring& key : {enter, ctrlT}) EXPECT_TRUE(has(title, key)) << key;
  for (const std::wstring& key : {del, altUp, altDown, plus, minus}) EXPECT_FALSE(has(title, key)) << key;
  EXPECT_EQ(list.size(), title.size() + 5);
}

}  // namespace
}  // namespace koru
