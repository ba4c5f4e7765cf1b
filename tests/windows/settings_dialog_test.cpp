// The settings dialog over a Settings record: its texts, where its controls
// lie on their pages, and every mapped key taken over unchanged by OK.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "support/fake_file_system.h"
#include "support/recording_associator.h"
#include "ui/settings_dialog.h"
#include "ui/settings_dialog_ids.h"
#include "windows/support/modal_ticker.h"

namespace koru {
namespace {

using testing::ClickButton;
using testing::ModalTicker;
using testing::ShownDialogs;

std::wstring Wide(const char8_t* utf8) { return Widen(cp932::FromUtf8(utf8)); }

const std::wstring kCaption = Wide(u8"詳細設定 - MEDIA-PLAYER - KORU");

class NoShortcutFiles : public ShortcutFiles {
 public:
  bool Exists(const std::string&) override { return false; }
  void Remove(const std::string&) override {}
  ShortcutOutcome Create(const std::string&, const std::string&, const std::string&) override {
    return ShortcutOutcome::LibraryMissing;
  }
};

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

HWND SettingsDialog() {
  for (HWND dialog : ShownDialogs()) {
    if (WindowText(dialog) == kCaption && GetDlgItem(dialog, IDC_INIT_PAGES)) return dialog;
  }
  return nullptr;
}

// A page shown as a click on its tab shows it.
void ShowPage(HWND dialog, int page) {
  HWND pages = GetDlgItem(dialog, IDC_INIT_PAGES);
  TabCtrl_SetCurSel(pages, page);
  NMHDR header{pages, IDC_INIT_PAGES, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(dialog, WM_NOTIFY, IDC_INIT_PAGES, reinterpret_cast<LPARAM>(&header));
}

std::wstring ListItemText(HWND list, int item, int subItem = 0) {
  wchar_t text[256] = {};
  ListView_GetItemText(list, item, subItem, text, 256);
  return text;
}

std::wstring ComboItemText(HWND combo, int item) {
  wchar_t text[256] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
  return text;
}

RECT BoundsInDialog(HWND dialog, HWND control) {
  RECT bounds;
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND control) {
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  return _wcsicmp(className, L"Button") == 0 &&
         (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  INT_PTR Run(const std::function<bool(HWND)>& step) {
    ModalTicker ticker([&] {
      HWND dialog = SettingsDialog();
      return dialog && step(dialog);
    });
    TfrmInit frmInit({settings, associator, shortcutFiles, "C:\\KORU\\KORU.exe", [this] { ++applied; }});
    const INT_PTR result = frmInit.ShowModal(GetModuleHandleW(nullptr), nullptr);
    EXPECT_FALSE(ticker.TimedOut());
    return result;
  }

  testing::FakeFileSystem files;
  Settings settings{files, "C:\\KORU\\", SystemVersion{10, 0, 19045, 2}};
  testing::RecordingAssociator associator;
  NoShortcutFiles shortcutFiles;
  int applied = 0;
};

TEST_F(SettingsDialogTest, TextsAreTheDesignsAndControlsLieInsideTheirPagesApart) {
  const std::map<int, const char8_t*> captions = {
      {IDC_GBX_BUTTON, u8"ｽﾋﾟｰﾄﾞﾎﾞﾀﾝ"}, {IDC_LBL_BUTTON_ORDER, u8"表示順序(&O)"},
      {IDC_BTN_BUTTON_UP, u8"上に移動(&U)"}, {IDC_BTN_BUTTON_DOWN, u8"下に移動(&D)"},
      {IDC_BTN_BUTTON_INIT, u8"初期状態(&I)"}, {IDC_LBL_BUTTON_CHECK, u8"表示/非表示(&V)"},
      {IDC_GBX_IMAGE, u8"ﾒﾃﾞｨｱ情報"}, {IDC_CHK_IMAGE, u8"ｲﾒｰｼﾞを使用する(&G)"},
      {IDC_CHK_IMAGE_DATA, u8"ﾒﾃﾞｨｱ情報は表示しない(&S)"}, {IDC_CHK_IMAGE_LIST, u8"ﾘｽﾄの下半分に表示(&L)"},
      {IDC_GBX_IMAGE_OPT, u8"ｲﾒｰｼﾞ"}, {IDC_LBL_IMAGE_FILE, u8"ｲﾒｰｼﾞﾌｧｲﾙ(F):"}, {IDC_BTN_IMAGE_FILE, u8"参照"},
      {IDC_CHK_IMAGE_CENTER, u8"ｲﾒｰｼﾞのｾﾝﾀﾘﾝｸﾞ(&C)"}, {IDC_CHK_IMAGE_SIZE, u8"ｲﾒｰｼﾞｻｲｽﾞの調整(&E)"},
      {IDC_CHK_IMAGE_PANEL, u8"ﾊﾟﾈﾙｻｲｽﾞを調整(&P)"}, {IDC_GBX_FONT, u8"ﾌｫﾝﾄ"}, {IDC_LBL_FONT, u8"Aaあぁアァ亜宇"},
      {IDC_GBX_PANEL, u8"ﾊﾟﾈﾙ"}, {IDC_LBL_PANEL_COLOR, u8"ｶﾗｰ(&R):"},
      {IDC_GBX_LIST, u8"ﾘｽﾄ"}, {IDC_LBL_MEDIA_LIST, u8"表示/非表示(&V)"}, {IDC_GBX_LIST_AUTO, u8"横幅自動調整"},
      {IDC_RBT_LIST_AUTO_NONE, u8"なし"}, {IDC_RBT_LIST_AUTO_WINDOW, u8"ｳｨﾝﾄﾞｳ幅"},
      {IDC_RBT_LIST_AUTO_TEXT, u8"ﾃｷｽﾄｻｲｽﾞ"}, {IDC_GBX_MEDIA_LIST, u8"ﾒﾃﾞｨｱﾘｽﾄ"},
      {IDC_LBL_LIST_COUNT, u8"最大ﾘｽﾄ数(&N):"}, {IDC_LBL_LIST_COUNT_UNIT, u8"[ﾌｧｲﾙ]"}, {IDC_GBX_TIMER, u8"ﾀｲﾏ"},
      {IDC_LBL_TIMER_PLAY, u8"監視間隔(&W):"}, {IDC_LBL_TIMER_PLAY_UNIT, u8"[ﾐﾘ秒]"},
      {IDC_LBL_TIMER_GAP, u8"曲と曲の間(&G):"}, {IDC_LBL_TIMER_GAP_UNIT, u8"[秒]"}, {IDC_GBX_SHORTCUT, u8"ｼｮｰﾄｶｯﾄ"},
      {IDC_BTN_DESKTOP, u8"「ﾃﾞｽｸﾄｯﾌﾟ」にKORUのｼｮｰﾄｶｯﾄを作成/削除する(&D)"},
      {IDC_BTN_QUICK_LAUNCH, u8"「ｸｲｯｸ起動」にKORUのｼｮｰﾄｶｯﾄを作成/削除する(&Q)"},
      {IDC_BTN_SEND_TO, u8"「送る」にKORUのｼｮｰﾄｶｯﾄを作成/削除する(&T)"}, {IDC_GBX_SLIDER, u8"ﾀｲﾑｽﾗｲﾀﾞｰ"},
      {IDC_LBL_SLIDER_LARGE, u8"移動量[大](&L):"}, {IDC_LBL_SLIDER_LARGE_FRACTION, u8"1/"},
      {IDC_LBL_SLIDER_LARGE_RANGE, u8"<LargeChange: 1/2～1/10>"}, {IDC_LBL_SLIDER_SMALL, u8"移動量[小](&S):"},
      {IDC_LBL_SLIDER_SMALL_FRACTION, u8"1/"}, {IDC_LBL_SLIDER_SMALL_RANGE, u8"<SmallChange: 1/10～1/100>"},
      {IDC_GBX_OPT_LIST, u8"ﾘｽﾄ/ﾒﾃﾞｨｱ情報"}, {IDC_GBX_OPT_MOVIE, u8"ﾑｰﾋﾞｰ"}, {IDC_GBX_OPT_PGM, u8"ｳｨﾝﾄﾞｳ/その他"},
      {IDC_CHK_OPT_TRAY, u8"最小化時にﾀｽｸﾊﾞｰに表示させない(&Y)"}, {IDC_CHK_OPT_BLANK, u8"連続ﾌﾞﾗﾝｸを詰めてﾀｲﾄﾙを表示する(&B)"},
      {IDC_CHK_OPT_SSTP, u8"SSTPﾌﾟﾛﾄｺﾙを使用する(&P)"}, {IDC_CHK_OPT_MEDIA, u8"ﾌｧｲﾙ追加時にﾒﾃﾞｨｱ情報を取得する(&M)"},
      {IDC_CHK_OPT_TITLE, u8"ﾀｲﾄﾙなしの場合は拡張子を除いたﾌｧｲﾙ名を使用(&T)"},
      {IDC_CHK_OPT_BACKF, u8"終了時にﾘｽﾄﾌｧｲﾙをﾊﾞｯｸｱｯﾌﾟする(&L)"},
      {IDC_CHK_OPT_MOVNR, u8"ﾑｰﾋﾞｰﾌｧｲﾙ再生時は連続演奏は機能させない(&R)"},
      {IDC_CHK_OPT_MOVEW, u8"ﾑｰﾋﾞｰﾌｧｲﾙは簡易ｳｨﾝﾄﾞｳで再生する(&E)"},
      {IDC_CHK_OPT_FOCUS, u8"ﾌｧｲﾙを開いた時はKORUのｳｨﾝﾄﾞｳを最前面で表示(&F)"}, {IDC_GBX_MOUSE, u8"ﾏｳｽ操作"},
      {IDC_GBX_MOUSE_FIRST, u8"ﾄﾗｯｸ左ﾀﾞﾌﾞﾙｸﾘｯｸ"}, {IDC_RBT_MOUSE_TRACKL_NONE, u8"動作なし"},
      {IDC_RBT_MOUSE_TRACKL_LIST, u8"表示ﾄﾗｯｸのﾘｽﾄに移動"},
      {IDC_RBT_MOUSE_TRACKL_SWITCH, u8"ﾀｲﾑｽﾗｲﾀﾞｰ/ﾎﾞﾘｭｰﾑ設定の表示を切り替える"},
      {IDC_GBX_MOUSE_FIRST + 10, u8"ﾄﾗｯｸ右ｸﾘｯｸ"}, {IDC_RBT_MOUSE_TRACKR_NONE, u8"動作なし"},
      {IDC_RBT_MOUSE_TRACKR_PLAY, u8"演奏ﾒﾆｭｰを表示する"},
      {IDC_RBT_MOUSE_TRACKR_SWITCH, u8"ﾀｲﾑｽﾗｲﾀﾞｰ/ﾎﾞﾘｭｰﾑ設定の切り替えﾒﾆｭｰを表示"},
      {IDC_GBX_MOUSE_FIRST + 20, u8"ﾀｲﾄﾙ左ﾀﾞﾌﾞﾙｸﾘｯｸ"}, {IDC_RBT_MOUSE_TITLEL_NONE, u8"動作なし"},
      {IDC_RBT_MOUSE_TITLEL_LIST, u8"表示ﾄﾗｯｸのﾘｽﾄに移動"}, {IDC_RBT_MOUSE_TITLEL_SPOT, u8"演奏の一時停止/演奏再開を行う"},
      {IDC_GBX_MOUSE_FIRST + 30, u8"ﾀｲﾄﾙ右ｸﾘｯｸ"}, {IDC_RBT_MOUSE_TITLER_NONE, u8"動作なし"},
      {IDC_RBT_MOUSE_TITLER_LIST, u8"ﾘｽﾄの一覧を表示する"},
      {IDC_RBT_MOUSE_TITLER_SWITCH, u8"ﾀｲﾑｽﾗｲﾀﾞｰ/ﾎﾞﾘｭｰﾑ設定の切り替えﾒﾆｭｰを表示"},
      {IDC_GBX_FILE_EXT, u8"ﾌｧｲﾙﾀｲﾌﾟ"}, {IDC_LBL_FILE_EXT, u8"登録済みのﾌｧｲﾙﾀｲﾌﾟ(&L)"},
      {IDC_RBT_EXT_TYPE_SND, u8"ﾒﾃﾞｨｱﾌｧｲﾙ(&1)"}, {IDC_RBT_EXT_TYPE_ETC, u8"非ﾒﾃﾞｨｱﾌｧｲﾙ(&0)"},
      {IDC_RBT_EXT_TYPE_TXT, u8"ﾄﾞｷｭﾒﾝﾄﾌｧｲﾙ(&T)"}, {IDC_BTN_FILE_EXT_SET, u8"変更(&C)"},
      {IDC_BTN_FILE_EXT_ADD, u8"追加(&A)"}, {IDC_BTN_FILE_EXT_DEL, u8"削除(&D)"},
      {IDC_BTN_FILE_EXT_REG, u8"関連付け(&R)"}, {IDC_BTN_FILE_EXT_INIT, u8"ﾌｧｲﾙﾀｲﾌﾟ初期化(&I)"},
      {IDC_BTN_FILE_EXT_ALL, u8"全ﾒﾃﾞｨｱﾌｧｲﾙ関連付け(&E)"}, {IDC_GBX_MIDI, u8"MIDIﾌｧｲﾙ"},
      {IDC_CHK_MIDI, u8"MIDIﾌｧｲﾙはDirectMusicで演奏する(&M)"},
      {IDOK, u8"OK"}, {IDC_INIT_APPLY, u8"適用(&A)"}, {IDCANCEL, u8"キャンセル"}};
  settings.image.image = 1;  // gbxImageOpt shown
  Run([&](HWND dialog) {
    for (const auto& [id, caption] : captions) EXPECT_EQ(WindowText(GetDlgItem(dialog, id)), Wide(caption)) << id;
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_GBX_MIDI)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_CHK_MIDI)));
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 604);
    EXPECT_EQ(client.bottom, 426);

    HWND pages = GetDlgItem(dialog, IDC_INIT_PAGES);
    const char8_t* pageCaptions[] = {u8"ﾌｫｰﾑ", u8"機能", u8"ｵﾌﾟｼｮﾝ", u8"操作", u8"ﾌｧｲﾙ"};
    EXPECT_EQ(TabCtrl_GetItemCount(pages), 5);
    RECT pageArea = BoundsInDialog(dialog, pages);
    TabCtrl_AdjustRect(pages, FALSE, &pageArea);
    for (int page = 0; page < 5; ++page) {
      wchar_t text[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      TabCtrl_GetItem(pages, page, &item);
      EXPECT_EQ(std::wstring(text), Wide(pageCaptions[page]));

      ShowPage(dialog, page);
      std::vector<HWND> shown;
      for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        const bool onPage = id >= 2000 + 100 * page && id < 2100 + 100 * page;
        if (id >= 2000 && id < 2500) {
          EXPECT_EQ(IsWindowVisible(child) != 0, onPage && id != IDC_GBX_MIDI && id != IDC_CHK_MIDI) << id;
        }
        if (IsWindowVisible(child) && onPage) shown.push_back(child);
      }
      for (HWND control : shown) {
        const RECT bounds = BoundsInDialog(dialog, control);
        EXPECT_TRUE(Inside(bounds, pageArea)) << GetDlgCtrlID(control);
        for (HWND other : shown) {
          if (other == control) continue;
          const RECT otherBounds = BoundsInDialog(dialog, other);
          RECT overlap;
          if (!IntersectRect(&overlap, &bounds, &otherBounds)) continue;
          const bool nested = (IsGroupBox(other) && Inside(bounds, otherBounds)) ||
                              (IsGroupBox(control) && Inside(otherBounds, bounds));
          EXPECT_TRUE(nested)
              << GetDlgCtrlID(control) << " overlaps " << GetDlgCtrlID(other) << " at " << overlap.left << ","
              << overlap.top << " to " << overlap.right << "," << overlap.bottom;
        }
      }
    }

    HWND check = GetDlgItem(dialog, IDC_LSV_BUTTON_CHECK);
    const wchar_t* buttons[] = {L"TRACK", L"OPEN", L"PLAY", L"PAUSE", L"STOP", L"PREV", L"NEXT", L"LIST", L"DOC", L"DATA"};
    EXPECT_EQ(ListView_GetItemCount(check), 10);
    for (int item = 0; item < 10; ++item) EXPECT_EQ(ListItemText(check, item), buttons[item]);
    HWND order = GetDlgItem(dialog, IDC_LSV_BUTTON_ORDER);
    const char8_t* groups[] = {u8"TRACK", u8"OPEN", u8"PLAY～NEXT", u8"LIST～DATA"};
    for (int item = 0; item < 4; ++item) EXPECT_EQ(ListItemText(order, item), Wide(groups[item]));
    HWND columns = GetDlgItem(dialog, IDC_LSV_MEDIA_LIST);
    const char8_t* columnNames[] = {u8"ﾄﾗｯｸ", u8"親ﾌｫﾙﾀﾞ名", u8"ﾌｧｲﾙ名", u8"ﾀｲﾄﾙ", u8"ｱｰﾃｨｽﾄ",
                                    u8"ｺﾒﾝﾄ/著作権", u8"ｱﾙﾊﾞﾑ/音源名", u8"演奏ﾚｰﾄ", u8"演奏時間"};
    for (int item = 0; item < 9; ++item) EXPECT_EQ(ListItemText(columns, item), Wide(columnNames[item]));
    HWND colours = GetDlgItem(dialog, IDC_CBX_PANEL_COLOR);
    const char8_t* colourNames[] = {u8"ライム(標準)", u8"オレンジ", u8"ライトブルー"};
    for (int item = 0; item < 3; ++item) EXPECT_EQ(ComboItemText(colours, item), Wide(colourNames[item]));
    EXPECT_GT(SendDlgItemMessageW(dialog, IDC_CBX_FONT, CB_GETCOUNT, 0, 0), 0);

    HWND grid = GetDlgItem(dialog, IDC_SGR_FILE_EXT);
    EXPECT_EQ(ListView_GetItemCount(grid), static_cast<int>(settings.FileTypes().Size()) + 1);
    EXPECT_EQ(ListItemText(grid, 0, 0), Widen(settings.FileTypes().Row(0).extension));
    EXPECT_EQ(ListView_GetColumnWidth(grid, 2), 0);
    wchar_t header[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = header;
    column.cchTextMax = 64;
    ListView_GetColumn(grid, 1, &column);
    EXPECT_EQ(std::wstring(header), Wide(u8"ﾀｲﾌﾟの説明"));
    ClickButton(dialog, IDCANCEL);
    return true;
  });
  EXPECT_EQ(applied, 0);
}

// Two records that differ in every key the dialog shows: OK with nothing
// changed takes each back as it was.
TEST_F(SettingsDialogTest, EveryMappedKeyComesBackUnchangedThroughOk) {
  for (int pass = 0; pass < 2; ++pass) {
    const bool on = pass == 0;
    settings.button.order = on ? "3102" : "0213";
    settings.button.check = on ? "1010101010" : "0101010101";
    settings.image = {on, !on, on, on ? "C:\\a.jpg" : "D:\\b.bmp", !on, on, !on};
    settings.panel.color = on ? 2 : 1;
    settings.list.check = on ? "101010101" : "010101010";
    settings.list.autoSize = on ? 0 : 2;
    settings.list.count = on ? 100 : 9999;
    settings.opt = {on, !on, on, !on, on, !on, on, !on, on};
    settings.mouse = {on ? 1 : 2, on ? 2 : 0, on ? 0 : 1, on ? 2 : 1};
    settings.timer = {on ? 900 : 300, on ? 9 : 0};
    settings.slider.smallStep = on ? 10 : 100;
    settings.slider.largeStep = on ? 2 : 10;
    if (!on) settings.SetCategory("a.qqq", '1');
    const std::vector<FileTypeRow> types(settings.FileTypes().Rows().begin(), settings.FileTypes().Rows().end());

    std::wstring fontChosen;
    const INT_PTR result = Run([&](HWND dialog) {
      ShowPage(dialog, 1);  // the column list is read from its page
      HWND fonts = GetDlgItem(dialog, IDC_CBX_FONT);
      SendMessageW(fonts, CB_SETCURSEL, static_cast<WPARAM>(pass), 0);
      fontChosen = ComboItemText(fonts, pass);
      ClickButton(dialog, IDOK);
      return true;
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(applied, pass + 1);
    EXPECT_EQ(settings.button.order, on ? "3102" : "0213");
    EXPECT_EQ(settings.button.check, on ? "1010101010" : "0101010101");
    EXPECT_EQ(settings.image.image, on);
    EXPECT_EQ(settings.image.data, !on);
    EXPECT_EQ(settings.image.list, on);
    EXPECT_EQ(settings.image.file, on ? "C:\\a.jpg" : "D:\\b.bmp");
    EXPECT_EQ(settings.image.center, !on);
    EXPECT_EQ(settings.image.size, on);
    EXPECT_EQ(settings.image.panel, !on);
    EXPECT_EQ(Widen(settings.font.name), fontChosen);
    EXPECT_EQ(settings.panel.color, on ? 2 : 1);
    EXPECT_EQ(settings.list.check, on ? "101010101" : "010101010");
    EXPECT_EQ(settings.list.autoSize, on ? 0 : 2);
    EXPECT_EQ(settings.list.count, on ? 100 : 9999);
    const int opt[] = {settings.opt.tray,  settings.opt.blank, settings.opt.sstp,  settings.opt.media, settings.opt.title,
                       settings.opt.backf, settings.opt.movnr, settings.opt.movew, settings.opt.focus};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(opt[i], (i % 2 == 0) == on) << i;
    EXPECT_EQ(settings.mouse.trackl, on ? 1 : 2);
    EXPECT_EQ(settings.mouse.trackr, on ? 2 : 0);
    EXPECT_EQ(settings.mouse.titlel, on ? 0 : 1);
    EXPECT_EQ(settings.mouse.titler, on ? 2 : 1);
    EXPECT_EQ(settings.timer.play, on ? 900 : 300);
    EXPECT_EQ(settings.timer.gap, on ? 9 : 0);
    EXPECT_EQ(settings.slider.smallStep, on ? 10 : 100);
    EXPECT_EQ(settings.slider.largeStep, on ? 2 : 10);
    ASSERT_EQ(settings.FileTypes().Size(), types.size());
    for (std::size_t row = 0; row < types.size(); ++row) {
      EXPECT_EQ(settings.FileTypes().Row(row).extension, types[row].extension);
      EXPECT_EQ(settings.FileTypes().Row(row).category, types[row].category);
    }
  }
}

TEST_F(SettingsDialogTest, ACountOutsideItsRangeIsShownClampedAndOkStaysOpen) {
  int stage = 0;
  std::wstring shownCount;
  bool stillOpen = false;
  const INT_PTR result = Run([&](HWND dialog) {
    switch (stage) {
      case 0:
        SetDlgItemTextW(dialog, IDC_EDT_LIST_COUNT, L"50");
        ClickButton(dialog, IDOK);
        stage = 1;
        return false;
      case 1:
        for (HWND box : ShownDialogs()) {
          if (box != dialog && WindowText(box) == kCaption) {
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            stage = 2;
          }
        }
        return false;
      default:
        shownCount = testing::ItemText(dialog, IDC_EDT_LIST_COUNT);
        stillOpen = IsWindowVisible(dialog) != 0;
        ClickButton(dialog, IDCANCEL);
        return true;
    }
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(shownCount, L"100");
  EXPECT_EQ(settings.list.count, 100);
  EXPECT_EQ(applied, 1);
}

}  // namespace
}  // namespace koru
