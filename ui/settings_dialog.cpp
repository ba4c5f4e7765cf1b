#include "ui/settings_dialog.h"

#include <commdlg.h>

#include <vector>

#include "desktop/shell_folders_win32.h"
#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "ui/bring_to_front.h"
#include "ui/design_placement.h"
#include "ui/dpi.h"
#include "ui/settings_dialog_ids.h"

namespace koru {
namespace {

constexpr wchar_t kCaption[] = L"詳細設定 - MEDIA-PLAYER - KORU";
constexpr std::array<const wchar_t*, TfrmInit::kPageCount> kPageCaptions = {L"ﾌｫｰﾑ", L"機能", L"ｵﾌﾟｼｮﾝ", L"操作",
                                                                            L"ﾌｧｲﾙ"};
constexpr int kFunctionPage = 1;
constexpr std::array<const wchar_t*, 3> kPanelColours = {L"ライム(標準)", L"オレンジ", L"ライトブルー"};
// The control bar's faces of its ten items, for lsvButtonCheck's pictures.
constexpr std::array<const wchar_t*, kButtonItemCount> kButtonGlyphs = {
    L"00", L"\u25B2", L"\u25B6", L"II", L"\u25A0", L"\u25C0", L"\u25B6", L"L", L"D", L"i"};
constexpr int kButtonImageWidth = 20;
constexpr int kButtonImageHeight = 18;
constexpr int kGridRowHeight = 16;
constexpr int kClientWidth = 604;  // design pixels
constexpr int kClientHeight = 426;

constexpr std::array<int, 3> kGridColumnWidths = {65, 100, 0};
constexpr std::array<ShortcutPlace, 3> kPlaces = {ShortcutPlace::SendTo, ShortcutPlace::Desktop,
                                                  ShortcutPlace::QuickLaunch};
constexpr std::array<int, 3> kPlaceButtons = {IDC_BTN_SEND_TO, IDC_BTN_DESKTOP, IDC_BTN_QUICK_LAUNCH};

struct NumberBox {
  int edit;
  int upDown;
  NumberRange range;
  int maxLength;
  std::string SettingsForm::*text;
};
const std::array<NumberBox, 5> kNumberBoxes = {{
    {IDC_EDT_LIST_COUNT, IDC_UPD_LIST_COUNT, kListCountRange, 4, &SettingsForm::listCount},
    {IDC_EDT_TIMER_PLAY, IDC_UPD_TIMER_PLAY, kTimerPlayRange, 3, &SettingsForm::timerPlay},
    {IDC_EDT_TIMER_GAP, IDC_UPD_TIMER_GAP, kTimerGapRange, 1, &SettingsForm::timerGap},
    {IDC_EDT_SLIDER_LARGE, IDC_UPD_SLIDER_LARGE, kSliderLargeRange, 3, &SettingsForm::sliderLarge},
    {IDC_EDT_SLIDER_SMALL, IDC_UPD_SLIDER_SMALL, kSliderSmallRange, 3, &SettingsForm::sliderSmall},
}};

struct ImageCheck {
  int id;
  bool SettingsForm::*value;
};
const std::array<ImageCheck, 6> kImageChecks = {{
    {IDC_CHK_IMAGE, &SettingsForm::image},
    {IDC_CHK_IMAGE_DATA, &SettingsForm::imageData},
    {IDC_CHK_IMAGE_LIST, &SettingsForm::imageList},
    {IDC_CHK_IMAGE_CENTER, &SettingsForm::imageCenter},
    {IDC_CHK_IMAGE_SIZE, &SettingsForm::imageSize},
    {IDC_CHK_IMAGE_PANEL, &SettingsForm::imagePanel},
}};

int PageOf(int id) {
  if (id < IDC_INIT_FIRST_PAGE_ID || id >= IDC_INIT_FIRST_PAGE_ID + TfrmInit::kPageCount * IDC_INIT_PAGE_ID_SPAN) {
    return -1;
  }
  return (id - IDC_INIT_FIRST_PAGE_ID) / IDC_INIT_PAGE_ID_SPAN;
}

bool InImageOptions(int id) { return id >= IDC_GBX_IMAGE_OPT && id <= IDC_CHK_IMAGE_PANEL; }

bool FolderExists(const std::string& folder) {
  if (folder.empty()) return false;
  const DWORD attributes = GetFileAttributesW(Widen(folder).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
  if (std::optional<std::string> name = Narrow(font->lfFaceName)) {
    reinterpret_cast<std::vector<std::string>*>(faces)->push_back(std::move(*name));
  }
  return 1;
}

void InsertColumn(HWND list, int column, const wchar_t* caption, int width) {
  LVCOLUMNW lvColumn{};
  lvColumn.mask = LVCF_TEXT | LVCF_WIDTH;
  lvColumn.pszText = const_cast<wchar_t*>(caption);
  lvColumn.cx = width;
  ListView_InsertColumn(list, column, &lvColumn);
}

void InsertItem(HWND list, int index, const std::wstring& text, int image) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.iImage = image;
  ListView_InsertItem(list, &item);
}

void SetItem(HWND list, int index, int subItem, const std::wstring& text, int image = -1) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
  item.iItem = index;
  item.iSubItem = subItem;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.iImage = image;
  ListView_SetItem(list, &item);
}

void SelectItem(HWND list, int index) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (index < 0) return;
  ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, index, FALSE);
}

}  // namespace

INT_PTR TfrmInit::ShowModal(HINSTANCE instance, HWND owner) { return RunModal(instance, L"TFRMINIT", owner); }

int TfrmInit::Ask(std::string_view text, int flags) {
  return MessageBoxW(Handle(), Widen(text).c_str(), kCaption, static_cast<UINT>(flags));
}

void TfrmInit::BringToFront() { koru::BringToFront(Handle()); }

INT_PTR TfrmInit::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate(hwnd);
      return TRUE;
    case WM_COMMAND:
      FormCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      return FormNotify(*reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
    default:
      return Dialog::HandleMessage(hwnd, message, wParam, lParam);
  }
}

// --- opening -----------------------------------------------------------------------

void TfrmInit::FormCreate(HWND hwnd) {
  dialogFont_ = PlaceDialogInDesignPixels(hwnd, kClientWidth, kClientHeight);
  for (std::size_t i = 0; i < kPlaces.size(); ++i) {
    shortcutFolders_[i] = ShortcutPlacePath(kPlaces[i]);
    EnableWindow(Item(kPlaceButtons[i]), FolderExists(shortcutFolders_[i]));
  }
  std::vector<std::string> faces;
  if (HDC dc = GetDC(hwnd)) {
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExW(dc, &wanted, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(hwnd, dc);
  }
  form_ = LoadSettingsForm(context_.settings, std::move(faces));

  HWND pages = Item(IDC_INIT_PAGES);
  for (int page = 0; page < kPageCount; ++page) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kPageCaptions[static_cast<std::size_t>(page)]);
    TabCtrl_InsertItem(pages, page, &item);
  }
  // The pages' controls lie above the page control, which must not paint
  // over them.
  SetWindowPos(pages, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(Item(IDC_GBX_MIDI), SW_HIDE);
  ShowWindow(Item(IDC_CHK_MIDI), SW_HIDE);

  CreateButtonImages();
  SetUpLists();
  for (const wchar_t* colour : kPanelColours) {
    SendDlgItemMessageW(hwnd, IDC_CBX_PANEL_COLOR, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(colour));
  }
  for (const std::string& face : form_.fonts) {
    SendDlgItemMessageW(hwnd, IDC_CBX_FONT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(face).c_str()));
  }
  for (const NumberBox& box : kNumberBoxes) {
    SendDlgItemMessageW(hwnd, box.upDown, UDM_SETRANGE32, static_cast<WPARAM>(box.range.minimum),
                        static_cast<LPARAM>(box.range.maximum));
    SendDlgItemMessageW(hwnd, box.edit, EM_SETLIMITTEXT, static_cast<WPARAM>(box.maxLength), 0);
  }
  UDACCEL hundreds{0, 100};
  SendDlgItemMessageW(hwnd, IDC_UPD_TIMER_PLAY, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&hundreds));

  ShowForm();
  // Filled once, at opening: refilling at every activation would throw away
  // what the user changed before switching to another window.
  LoadButtonLists();
  FillFileTypeGrid();
  ShowPage(0);
}

void TfrmInit::CreateButtonImages() {
  imlButton_.Reset(ImageList_Create(kButtonImageWidth, kButtonImageHeight, ILC_COLOR32, kButtonItemCount, 0));
  HDC screen = GetDC(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen));
  UniqueFont font = MakeFont(L"Arial", 11, kDesignDpi);
  for (const wchar_t* glyph : kButtonGlyphs) {
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, kButtonImageWidth, kButtonImageHeight));
    HGDIOBJ oldBitmap = SelectObject(dc.Get(), bitmap.Get());
    HGDIOBJ oldFont = SelectObject(dc.Get(), font.Get());
    RECT face{0, 0, kButtonImageWidth, kButtonImageHeight};
    FillRect(dc.Get(), &face, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc.Get(), &face, GetSysColorBrush(COLOR_BTNSHADOW));
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc.Get(), glyph, -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc.Get(), oldFont);
    SelectObject(dc.Get(), oldBitmap);
    ImageList_Add(imlButton_.Get(), bitmap.Get(), nullptr);
  }
  ReleaseDC(nullptr, screen);
}

void TfrmInit::SetUpLists() {
  const int dpi = ScreenDpi();
  for (int id : {IDC_LSV_BUTTON_ORDER, IDC_LSV_BUTTON_CHECK, IDC_LSV_MEDIA_LIST}) {
    HWND list = Item(id);
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    ListView_SetExtendedListViewStyle(list, id == IDC_LSV_BUTTON_ORDER ? 0 : LVS_EX_CHECKBOXES);
    RECT client;
    GetClientRect(list, &client);
    InsertColumn(list, 0, L"", client.right - GetSystemMetrics(SM_CXVSCROLL));
    if (id != IDC_LSV_MEDIA_LIST) ListView_SetImageList(list, imlButton_.Get(), LVSIL_SMALL);
  }
  filling_ = true;
  HWND check = Item(IDC_LSV_BUTTON_CHECK);
  for (int item = 0; item < kButtonItemCount; ++item) InsertItem(check, item, Widen(ButtonItemCaption(item)), item);
  HWND order = Item(IDC_LSV_BUTTON_ORDER);
  for (int position = 0; position < kButtonGroupCount; ++position) InsertItem(order, position, L"", 0);
  HWND columns = Item(IDC_LSV_MEDIA_LIST);
  for (int column = 0; column < list_column::kCount; ++column) {
    InsertItem(columns, column, Widen(ListColumnCaption(column)), -1);
  }
  filling_ = false;

  HWND grid = Item(IDC_SGR_FILE_EXT);
  SetWindowLongPtrW(grid, GWL_STYLE, GetWindowLongPtrW(grid, GWL_STYLE) | LVS_SHAREIMAGELISTS);
  ListView_SetExtendedListViewStyle(grid, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  gridRowHeight_.Reset(ImageList_Create(1, Scaled(kGridRowHeight, dpi), ILC_COLOR, 0, 0));
  ListView_SetImageList(grid, gridRowHeight_.Get(), LVSIL_SMALL);
  InsertColumn(grid, 0, L"ﾌｧｲﾙﾀｲﾌﾟ", Scaled(kGridColumnWidths[0], dpi));
  InsertColumn(grid, 1, L"ﾀｲﾌﾟの説明", Scaled(kGridColumnWidths[1], dpi));
  InsertColumn(grid, 2, L"", kGridColumnWidths[2]);
}

void TfrmInit::ShowForm() {
  for (const ImageCheck& check : kImageChecks) Check(check.id, form_.*check.value);
  SetItemText(IDC_EDT_IMAGE_FILE, form_.imageFile);
  SendDlgItemMessageW(Handle(), IDC_CBX_FONT, CB_SETCURSEL, static_cast<WPARAM>(form_.font), 0);
  if (form_.font >= 0) cbxFontChange();
  SendDlgItemMessageW(Handle(), IDC_CBX_PANEL_COLOR, CB_SETCURSEL, static_cast<WPARAM>(form_.panelColor), 0);
  CheckRadioButton(Handle(), IDC_RBT_LIST_AUTO_NONE, IDC_RBT_LIST_AUTO_TEXT, IDC_RBT_LIST_AUTO_NONE + form_.listAuto);
  ShowNumbers();
  for (int i = 0; i < kOptFlagCount; ++i) Check(IDC_CHK_OPT_FIRST + i, form_.opt[static_cast<std::size_t>(i)]);
  for (int group = 0; group < kMouseGroupCount; ++group) {
    const int first = IDC_GBX_MOUSE_FIRST + 10 * group + 1;
    CheckRadioButton(Handle(), first, first + 2, first + form_.mouse[static_cast<std::size_t>(group)]);
  }
}

void TfrmInit::ShowNumbers() {
  for (const NumberBox& box : kNumberBoxes) SetItemText(box.edit, form_.*box.text);
}

void TfrmInit::LoadButtonLists() {
  ShowButtonOrder();
  filling_ = true;
  HWND check = Item(IDC_LSV_BUTTON_CHECK);
  for (int item = 0; item < kButtonItemCount; ++item) {
    ListView_SetCheckState(check, item, form_.buttonShown[static_cast<std::size_t>(item)]);
  }
  filling_ = false;
}

void TfrmInit::ShowButtonOrder() {
  filling_ = true;
  HWND order = Item(IDC_LSV_BUTTON_ORDER);
  for (int position = 0; position < kButtonGroupCount; ++position) {
    const int group = form_.buttonOrder.GroupAt(position);
    SetItem(order, position, 0, Widen(ButtonOrderList::CaptionOf(group)), ButtonOrderList::ImageOf(group));
  }
  SelectItem(order, form_.buttonOrder.Selected());
  filling_ = false;
}

// --- pages -----------------------------------------------------------------------

bool TfrmInit::IsShown(int id) const {
  if (id == IDC_GBX_MIDI || id == IDC_CHK_MIDI) return false;
  if (InImageOptions(id) && !Checked(IDC_CHK_IMAGE)) return false;
  return PageOf(id) == page_;
}

void TfrmInit::ShowPage(int page) {
  page_ = page;
  TabCtrl_SetCurSel(Item(IDC_INIT_PAGES), page);
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (PageOf(id) >= 0) ShowWindow(child, IsShown(id) ? SW_SHOWNA : SW_HIDE);
  }
  if (page == kFunctionPage) tabFunctionShow();
  // The new page is drawn whole before the next message.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TfrmInit::pctInitChange() { ShowPage(TabCtrl_GetCurSel(Item(IDC_INIT_PAGES))); }

void TfrmInit::tabFunctionShow() {
  if (form_.functionPageShown) return;
  ShowFunctionPage(form_, context_.settings);
  filling_ = true;
  HWND columns = Item(IDC_LSV_MEDIA_LIST);
  for (int column = 0; column < list_column::kCount; ++column) {
    ListView_SetCheckState(columns, column, form_.listColumns[static_cast<std::size_t>(column)]);
  }
  filling_ = false;
}

// --- events ----------------------------------------------------------------------

void TfrmInit::FormCommand(int id, int code) {
  switch (id) {
    case IDOK: btnOkClick(); break;
    case IDC_INIT_APPLY: btnApplyClick(); break;
    case IDCANCEL: btnCancelClick(); break;
    case IDC_BTN_BUTTON_UP: btnButtonUpClick(); break;
    case IDC_BTN_BUTTON_DOWN: btnButtonDownClick(); break;
    case IDC_BTN_BUTTON_INIT: btnButtonInitClick(); break;
    case IDC_CHK_IMAGE: chkImageClick(); break;
    case IDC_BTN_IMAGE_FILE: btnImageFileClick(); break;
    case IDC_CBX_FONT:
      if (code == CBN_SELCHANGE) cbxFontChange();
      break;
    case IDC_BTN_SEND_TO: btnShortcutClick(ShortcutPlace::SendTo); break;
    case IDC_BTN_DESKTOP: btnShortcutClick(ShortcutPlace::Desktop); break;
    case IDC_BTN_QUICK_LAUNCH: btnShortcutClick(ShortcutPlace::QuickLaunch); break;
    case IDC_BTN_FILE_EXT_SET: btnFileExtSetClick(); break;
    case IDC_BTN_FILE_EXT_ADD: btnFileExtAddClick(); break;
    case IDC_BTN_FILE_EXT_DEL: btnFileExtDelClick(); break;
    case IDC_BTN_FILE_EXT_REG: btnFileExtRegClick(); break;
    case IDC_BTN_FILE_EXT_INIT: btnFileExtInitClick(); break;
    case IDC_BTN_FILE_EXT_ALL: btnFileExtAllClick(); break;
    default: break;
  }
}

bool TfrmInit::FormNotify(const NMHDR& header) {
  const int id = static_cast<int>(header.idFrom);
  if (id == IDC_INIT_PAGES && header.code == TCN_SELCHANGE) {
    pctInitChange();
    return true;
  }
  if (header.code == UDN_DELTAPOS && id != IDC_UPD_LIST_COUNT && PageOf(id) == kFunctionPage) {
    updTimerClick(id);
    return false;  // the up-down still moves
  }
  if (header.code == LVN_ITEMCHANGED && !filling_) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const bool selected = (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
    if (id == IDC_LSV_BUTTON_ORDER && selected) form_.buttonOrder.Select(change.iItem);
    if (id == IDC_SGR_FILE_EXT && selected) sgrFileExtSelectCell(change.iItem);
  }
  return false;
}

void TfrmInit::btnOkClick() {
  if (CollectSettings()) End(IDOK);
}

void TfrmInit::btnApplyClick() { CollectSettings(); }

void TfrmInit::btnCancelClick() { End(IDCANCEL); }

void TfrmInit::btnButtonUpClick() {
  form_.buttonOrder.MoveUp();
  ShowButtonOrder();
}

void TfrmInit::btnButtonDownClick() {
  form_.buttonOrder.MoveDown();
  ShowButtonOrder();
}

void TfrmInit::btnButtonInitClick() {
  if (Ask(cp932::FromUtf8(u8"ｽﾋﾟｰﾄﾞﾎﾞﾀﾝを初期状態に戻します。 よろしいですか？"), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
    return;
  }
  form_.buttonOrder.Reset();
  form_.buttonShown.fill(true);
  LoadButtonLists();
}

void TfrmInit::chkImageClick() {
  for (int id = IDC_GBX_IMAGE_OPT; id <= IDC_CHK_IMAGE_PANEL; ++id) {
    ShowWindow(Item(id), IsShown(id) ? SW_SHOWNA : SW_HIDE);
  }
}

void TfrmInit::btnImageFileClick() {
  std::wstring file = Widen(ItemText(IDC_EDT_IMAGE_FILE));
  file.resize(MAX_PATH * 4, L'\0');
  static const wchar_t kFilter[] =
      L"すべて (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)\0*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf\0"
      L"JPEG ｲﾒｰｼﾞ (*.jpg;*.jpeg)\0*.jpg;*.jpeg\0ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)\0*.bmp\0ｱｲｺﾝ (*.ico)\0*.ico\0"
      L"ﾒﾀﾌｧｲﾙ (*.emf;*.wmf)\0*.emf;*.wmf\0";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = kFilter;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = L"ｲﾒｰｼﾞﾌｧｲﾙを選択する";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&dialog)) return;
  file.resize(wcslen(file.c_str()));
  SetDlgItemTextW(Handle(), IDC_EDT_IMAGE_FILE, file.c_str());
}

void TfrmInit::cbxFontChange() {
  const LRESULT index = SendDlgItemMessageW(Handle(), IDC_CBX_FONT, CB_GETCURSEL, 0, 0);
  if (index < 0 || index >= static_cast<LRESULT>(form_.fonts.size())) return;
  sampleFont_ = MakeFont(Widen(form_.fonts[static_cast<std::size_t>(index)]), DesignPixelsOfPoints(9), ScreenDpi(),
                         SHIFTJIS_CHARSET);
  SendDlgItemMessageW(Handle(), IDC_LBL_FONT, WM_SETFONT, reinterpret_cast<WPARAM>(sampleFont_.Get()), TRUE);
}

void TfrmInit::updTimerClick(int upDownId) {
  SetFocus(reinterpret_cast<HWND>(SendDlgItemMessageW(Handle(), upDownId, UDM_GETBUDDY, 0, 0)));
}

void TfrmInit::btnShortcutClick(ShortcutPlace place) {
  const std::size_t index = static_cast<std::size_t>(place == ShortcutPlace::SendTo  ? 0
                                                     : place == ShortcutPlace::Desktop ? 1
                                                                                       : 2);
  ToggleShortcut(shortcutFolders_[index], ShortcutPlaceName(place), context_.programPath, context_.shortcutFiles,
                 *this);
}

// --- file types -------------------------------------------------------------------

void TfrmInit::FillFileTypeGrid() {
  HWND grid = Item(IDC_SGR_FILE_EXT);
  filling_ = true;
  SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(grid);
  const FileTypeGrid& rows = form_.fileTypes;
  for (std::size_t row = 0; row < rows.RowCount(); ++row) {
    const FileTypeGrid::Row& cells = rows.RowAt(row);
    const int index = static_cast<int>(row);
    InsertItem(grid, index, Widen(cells.extension), -1);
    SetItem(grid, index, 1, Widen(FileTypeDescription(cells.category)));
    SetItem(grid, index, 2, cells.category ? std::wstring(1, static_cast<wchar_t>(cells.category)) : L"");
  }
  SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
  SelectItem(grid, static_cast<int>(rows.Selected()));
  filling_ = false;
  ShowFileTypeControls();
}

void TfrmInit::sgrFileExtSelectCell(int row) {
  form_.fileTypes.Select(static_cast<std::size_t>(row));
  ShowFileTypeControls();
}

void TfrmInit::ShowFileTypeControls() {
  const FileTypeRowControls controls = form_.fileTypes.Controls();
  for (int id : {IDC_RBT_EXT_TYPE_SND, IDC_RBT_EXT_TYPE_ETC, IDC_RBT_EXT_TYPE_TXT}) {
    EnableWindow(Item(id), controls.typesEnabled);
  }
  if (controls.typeChecked) {
    const int checked = controls.typeChecked == file_category::kMedia      ? IDC_RBT_EXT_TYPE_SND
                        : controls.typeChecked == file_category::kNonMedia ? IDC_RBT_EXT_TYPE_ETC
                                                                           : IDC_RBT_EXT_TYPE_TXT;
    CheckRadioButton(Handle(), IDC_RBT_EXT_TYPE_SND, IDC_RBT_EXT_TYPE_TXT, checked);
  }
  EnableWindow(Item(IDC_BTN_FILE_EXT_SET), controls.setEnabled);
  EnableWindow(Item(IDC_BTN_FILE_EXT_DEL), controls.deleteEnabled);
  EnableWindow(Item(IDC_BTN_FILE_EXT_REG), controls.registerEnabled);
  EnableWindow(Item(IDC_BTN_FILE_EXT_ADD), controls.addEnabled);
  SetItemText(IDC_EDT_FILE_EXT, controls.extension);
}

char TfrmInit::CheckedFileType() const {
  if (Checked(IDC_RBT_EXT_TYPE_SND)) return file_category::kMedia;
  if (Checked(IDC_RBT_EXT_TYPE_ETC)) return file_category::kNonMedia;
  if (Checked(IDC_RBT_EXT_TYPE_TXT)) return file_category::kDocument;
  return 0;
}

void TfrmInit::btnFileExtSetClick() {
  form_.fileTypes.SetSelectedType(CheckedFileType());
  FillFileTypeGrid();
}

void TfrmInit::btnFileExtAddClick() {
  std::string typed = ItemText(IDC_EDT_FILE_EXT);
  const bool added = form_.fileTypes.Add(typed, CheckedFileType(), *this);
  if (added) {
    FillFileTypeGrid();
  } else {
    SetItemText(IDC_EDT_FILE_EXT, typed);
  }
}

void TfrmInit::btnFileExtDelClick() {
  form_.fileTypes.DeleteSelected();
  FillFileTypeGrid();
}

void TfrmInit::btnFileExtRegClick() {
  form_.fileTypes.RegisterSelected(context_.programPath, context_.associator, *this);
}

void TfrmInit::btnFileExtInitClick() {
  form_.fileTypes.ResetTable(context_.settings, *this);
  FillFileTypeGrid();
}

void TfrmInit::btnFileExtAllClick() {
  form_.fileTypes.RegisterAllMedia(context_.programPath, context_.associator, *this);
}

// --- taking over -------------------------------------------------------------------

void TfrmInit::ReadForm() {
  HWND check = Item(IDC_LSV_BUTTON_CHECK);
  for (int item = 0; item < kButtonItemCount; ++item) {
    form_.buttonShown[static_cast<std::size_t>(item)] = ListView_GetCheckState(check, item) != 0;
  }
  for (const ImageCheck& imageCheck : kImageChecks) form_.*imageCheck.value = Checked(imageCheck.id);
  form_.imageFile = ItemText(IDC_EDT_IMAGE_FILE);
  form_.font = static_cast<int>(SendDlgItemMessageW(Handle(), IDC_CBX_FONT, CB_GETCURSEL, 0, 0));
  form_.panelColor = static_cast<int>(SendDlgItemMessageW(Handle(), IDC_CBX_PANEL_COLOR, CB_GETCURSEL, 0, 0));
  if (form_.functionPageShown) {
    HWND columns = Item(IDC_LSV_MEDIA_LIST);
    for (int column = 0; column < list_column::kCount; ++column) {
      form_.listColumns[static_cast<std::size_t>(column)] = ListView_GetCheckState(columns, column) != 0;
    }
  }
  form_.listAuto = CheckedRadio(IDC_RBT_LIST_AUTO_NONE, 3);
  for (const NumberBox& box : kNumberBoxes) form_.*box.text = ItemText(box.edit);
  for (int i = 0; i < kOptFlagCount; ++i) form_.opt[static_cast<std::size_t>(i)] = Checked(IDC_CHK_OPT_FIRST + i);
  for (int group = 0; group < kMouseGroupCount; ++group) {
    form_.mouse[static_cast<std::size_t>(group)] = CheckedRadio(IDC_GBX_MOUSE_FIRST + 10 * group + 1, 3);
  }
}

bool TfrmInit::CollectSettings() {
  ReadForm();
  const bool success = koru::CollectSettings(form_, context_.settings, *this, context_.applyToMainWindow);
  ShowNumbers();
  return success;
}

// --- control helpers -----------------------------------------------------------------

bool TfrmInit::Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }

void TfrmInit::Check(int id, bool checked) const { CheckDlgButton(Handle(), id, checked ? BST_CHECKED : BST_UNCHECKED); }

int TfrmInit::CheckedRadio(int firstId, int count) const {
  for (int i = 0; i < count; ++i) {
    if (Checked(firstId + i)) return i;
  }
  return -1;
}

std::string TfrmInit::ItemText(int id) const {
  HWND item = Item(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return NarrowLossy(text);
}

void TfrmInit::SetItemText(int id, const std::string& text) const { SetDlgItemTextW(Handle(), id, Widen(text).c_str()); }

}  // namespace koru
