// The main window's view area and what the settings make of the window:
// ApplySettings, the view modes, the sizing rules, the picture, the list
// view's columns and rows, the document view, the information panel and
// title edit mode.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

#include "platform/cp932.h"
#include "platform/program_folder_win32.h"
#include "platform/wide_text_win32.h"
#include "playback/document_text.h"
#include "playback/list_settings.h"
#include "playback/list_view_texts.h"
#include "playback/playback_controller.h"
#include "ui/bring_to_front.h"
#include "ui/dpi.h"
#include "ui/layout/list_columns.h"
#include "ui/layout/main_window_layout.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/picture_file.h"
#include "ui/settings_dialog.h"

namespace koru {
namespace {

constexpr int kFileMenu = 0;
constexpr UINT kFileSortPosition = 10;  // mnuFileSort, a submenu
constexpr int kListFontPixels = 12;

// lblScreen0 and lblTitle; pnlData.
COLORREF PanelTextColour(int colour) {
  switch (colour) {
    case 1: return RGB(0xFF, 0xA0, 0x20);
    case 2: return RGB(0x60, 0xE0, 0xFF);
    default: return RGB(0x00, 0xFF, 0x00);
  }
}

COLORREF DataPanelColour(int colour) {
  switch (colour) {
    case 1: return RGB(0x7F, 0x50, 0x10);
    case 2: return RGB(0x30, 0x70, 0x7F);
    default: return RGB(0x00, 0x80, 0x00);
  }
}

// Moves a child, each length only when the rule gives one.
void Place(HWND child, int left, int top, std::optional<int> width, std::optional<int> height) {
  RECT bounds;
  GetWindowRect(child, &bounds);
  MoveWindow(child, left, top, width.value_or(bounds.right - bounds.left), height.value_or(bounds.bottom - bounds.top),
             TRUE);
}

// Selected-row shortcut texts: shown while the keys work on the list.
struct ListShortcut {
  int command;
  const wchar_t* text;
};
constexpr ListShortcut kListShortcuts[] = {
    {IDM_SELECT_DELETE, L"Del"}, {IDM_SELECT_PREV, L"Alt+Up"}, {IDM_SELECT_NEXT, L"Alt+Down"}};

}  // namespace

int TfrmMain::ClientWidth() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.right;
}

int TfrmMain::ClientHeight() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.bottom;
}

bool TfrmMain::Maximised() const { return IsZoomed(Handle()) != FALSE; }

void TfrmMain::SetClientSize(int width, int height) {
  RECT bounds = {0, 0, width, height};
  AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), GetMenu(Handle()) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
  SetWindowPos(Handle(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- ApplySettings --------------------------------------------------------------

void TfrmMain::ApplySettings() {
  Settings& settings = context_.settings;
  const int interval = ApplyListSettings(settings, context_.list, context_.dialogs, [this] { BringToFront(Handle()); });
  RebuildColumnsIfChanged();
  lsvList_.SetCaptions();
  titleEdit_.EndUnlessListUnderInformation(settings.image);

  if (settings.image.list == 1 && viewMode_ == ViewMode::Data) viewMode_ = ViewMode::List;
  EnableMenuItems({GetMenu(Handle())}, IDM_WINDOW_DATA, settings.image.list != 1);
  controlBar_.EnableCommand(IDM_WINDOW_DATA, settings.image.list != 1);

  const std::wstring fontName = Widen(settings.font.name);
  listFont_ = MakeFont(fontName, kListFontPixels, dpi_);
  lsvList_.SetListFont(listFont_.Get());
  pnlData_.SetFontName(fontName);
  controlBar_.SetFontName(fontName);
  if (TfrmMsg* frmMsg = context_.dialogs.MessageDialog()) frmMsg->SetFontName(settings.font.name);

  controlBar_.SetTextColour(PanelTextColour(settings.panel.color));
  pnlData_.SetColour(DataPanelColour(settings.panel.color));
  minClientWidth_ = controlBar_.Layout(settings.button.order, settings.button.check);

  if (pendingViewMode_ == -1) UpdateViewMode();
  ApplyImage();

  SetTimer(Handle(), kPlayTimerId, static_cast<UINT>(interval), nullptr);
  context_.player.Displays().UpdateSliderRange(false);
  ApplyMenuStates();
  ShowMediaInfo();
}

// The columns are rebuilt only when [LIST] check changed; widths come from
// the [LIST] width keys.
void TfrmMain::RebuildColumnsIfChanged() {
  Settings& settings = context_.settings;
  if (columnsBuiltFor_ && *columnsBuiltFor_ == settings.list.check) return;
  const bool first = !columnsBuiltFor_;
  const bool neverSaved = settings.list.width[list_column::kTrack] == -1;
  lsvList_.RebuildColumns();
  const auto giveStoredWidths = [&] {
    for (int column = 0; column < list_column::kCount; ++column) {
      lsvList_.SetColumnWidth(column,
                              settings.ColumnShown(column) ? UsableStoredWidth(settings.list.width[column]) : 0);
    }
  };
  if (neverSaved || !first) {
    lsvList_.AutoSizeColumns(false);
    if (neverSaved) giveStoredWidths();
    for (int column = 0; column < list_column::kCount; ++column) {
      if (settings.ColumnShown(column)) settings.SetColumnWidth(column, lsvList_.ColumnWidth(column));
    }
  }
  giveStoredWidths();
  if (!first && settings.list.autoSize != 0) lsvList_.AutoSizeColumns(settings.list.autoSize == 2);
  columnsBuiltFor_ = settings.list.check;
}

void TfrmMain::ApplyImage() {
  const ImageSettings& image = context_.settings.image;
  PicturePane& picture = pnlData_.Picture();
  ShowWindow(picture.Handle(), SW_HIDE);
  if (image.image != 1) return;
  picture.SetPlacement(image.center == 1, image.size == 1);
  std::optional<PictureBitmap> loaded = LoadPictureFile(Widen(image.file));
  if (!loaded) {
    picture.ClearPicture();  // a picture that cannot be read stays hidden
    return;
  }
  picture.SetPicture(std::move(*loaded));
  ShowWindow(picture.Handle(), SW_SHOWNA);
  if (image.panel == 1 && pendingViewMode_ == -1) FitWindowToImage();
}

void TfrmMain::FitWindowToImage() {
  const ImageSettings& image = context_.settings.image;
  PicturePane& picture = pnlData_.Picture();
  RECT control;
  GetClientRect(picture.Handle(), &control);
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  MONITORINFO monitor = {sizeof monitor};
  GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const main_window::Size largest{
      (monitor.rcWork.right - monitor.rcWork.left) - ((window.right - window.left) - client.right),
      (monitor.rcWork.bottom - monitor.rcWork.top) - ((window.bottom - window.top) - client.bottom)};
  const std::optional<main_window::PictureFit> fit =
      main_window::FitToPicture({picture.PictureWidth(), picture.PictureHeight()}, {control.right, control.bottom},
                                image.size == 1, image.list == 1, largest, dpi_);
  if (!fit) return;
  expandedClientHeight_ = fit->expandedClientHeight;
  SetClientSize(fit->clientWidth, viewMode_ != ViewMode::None ? expandedClientHeight_ : ClientHeight());
}

void TfrmMain::ApplyMenuStates() {
  const ImageSettings& image = context_.settings.image;
  const bool hasFile = !image.file.empty();
  mnuConfigImage_.Show(hasFile);
  mnuDataImage_.Show(hasFile);
  const std::initializer_list<HMENU> menus = {GetMenu(Handle()), GetSubMenu(pumData_.Get(), 0)};
  CheckMenuItems(menus, IDM_CONFIG_IMAGE, pnlData_.Picture().HasPicture() && image.image == 1);
  CheckMenuItems(menus, IDM_CONFIG_DATA, image.data == 1);
  CheckMenuItems(menus, IDM_CONFIG_TITLE, titleEdit_.On());
  EnableMenuItems(menus, IDM_CONFIG_TITLE, image.data != 1);
  DrawMenuBar(Handle());
}

// --- view modes and sizing --------------------------------------------------------

void TfrmMain::UpdateViewMode() {
  const bool shown = viewMode_ != ViewMode::None;
  std::optional<int> maximisedHeight;
  if (Maximised()) {
    RECT window;
    GetWindowRect(Handle(), &window);
    maximisedHeight = GetSystemMetrics(SM_CYMAXIMIZED) - ((window.bottom - window.top) - ClientHeight());
  }
  const main_window::ViewModeHeight height =
      main_window::HeightForViewMode(shown, expandedClientHeight_, maximisedHeight, dpi_);
  expandedClientHeight_ = height.expandedClientHeight;
  if (!Maximised() && ClientHeight() != height.clientHeight) SetClientSize(ClientWidth(), height.clientHeight);

  const bool list = viewMode_ == ViewMode::List;
  const bool document = viewMode_ == ViewMode::Document;
  const bool data = viewMode_ == ViewMode::Data;
  HMENU menu = GetMenu(Handle());
  controlBar_.SetViewButtonDown(IDM_WINDOW_LIST, list);
  controlBar_.SetViewButtonDown(IDM_WINDOW_DOC, document);
  controlBar_.SetViewButtonDown(IDM_WINDOW_DATA, data);
  CheckMenuItems({menu}, IDM_WINDOW_LIST, list);
  CheckMenuItems({menu}, IDM_WINDOW_DOC, document);
  CheckMenuItems({menu}, IDM_WINDOW_DATA, data);
  EnableMenuItem(GetSubMenu(menu, kFileMenu), kFileSortPosition, MF_BYPOSITION | (list ? MF_ENABLED : MF_GRAYED));
  EnableMenuItems({menu}, IDM_FILE_WIDTH, list);
  EnableMenuItems({menu}, IDM_FILE_CLEAR, list);

  lsvList_.Show(list);
  mmoDoc_.Show(document);
  ShowWindow(pnlData_.Handle(), data || (list && context_.settings.image.list == 1) ? SW_SHOWNA : SW_HIDE);
  LayoutViews();
  if (list) SetFocus(lsvList_.Handle());
  if (document) SetFocus(mmoDoc_.Handle());
}

void TfrmMain::LayoutViews() {
  const main_window::ViewAreaLayout layout = main_window::LayoutViewArea(
      {ClientWidth(), ClientHeight()}, context_.settings.image.list == 1, dpi_);
  const int left = Px(main_window::kViewBounds.left);
  Place(lsvList_.Handle(), left, layout.listTop, layout.viewWidth, layout.listHeight);
  Place(mmoDoc_.Handle(), left, layout.listTop, layout.viewWidth, layout.documentHeight);
  Place(pnlData_.Handle(), left, layout.dataTop, layout.viewWidth, layout.dataHeight);
  pnlData_.Resize(layout.valueWidth, layout.imageWidth, layout.imageHeight);
  switch (context_.settings.list.autoSize) {
    case 1: lsvList_.AutoSizeColumns(false); break;
    case 2: lsvList_.AutoSizeColumns(true); break;
    default: break;
  }
}

void TfrmMain::mnuWindowClick(ViewMode mode) {
  if (mode == ViewMode::Data && context_.settings.image.list == 1) return;  // sbtWindowData is disabled
  viewMode_ = viewMode_ == mode ? ViewMode::None : mode;
  sbtWindowClick();
}

void TfrmMain::sbtWindowClick() {
  if (pendingViewMode_ != -1) return;
  UpdateViewMode();
  if (viewMode_ == ViewMode::List && context_.settings.list.autoSize != 0) {
    AutoSizeColumns(context_.settings.list.autoSize == 2);
  }
}

void TfrmMain::mnuWindowSizeClick() {
  const std::string question =
      cp932::FromUtf8(u8"ｳｨﾝﾄﾞｳｻｲｽﾞを初期ｻｲｽﾞに戻します。\nよろしいですか？");
  if (context_.dialogs.ShowMessageDialog(question, mb::kYesNoInformation, false) != answer::kYes) return;
  if (Maximised()) ShowWindow(Handle(), SW_RESTORE);
  expandedClientHeight_ = Px(main_window::kDesignClientHeight);
  SetClientSize(Px(main_window::kDesignClientWidth),
                viewMode_ != ViewMode::None ? expandedClientHeight_ : Px(main_window::kBarHeight));
}

// --- list view ------------------------------------------------------------------

void TfrmMain::AutoSizeColumns(bool byText) { lsvList_.AutoSizeColumns(byText); }

void TfrmMain::RefreshListRows(bool full) {
  if (full) {
    lsvList_.RefreshAllRows();
  } else {
    lsvList_.RefreshRow(context_.list.CurrentIndex());
  }
}

void TfrmMain::SelectCurrentRow() {
  const int current = context_.list.CurrentIndex();
  if (current >= 0 && current < context_.list.Count()) lsvList_.SelectRows({current}, true);
}

void TfrmMain::RevealCurrentRow() {
  if (ListShown()) SelectCurrentRow();
}

void TfrmMain::lsvListSelectItem() { ShowMediaInfo(); }

void TfrmMain::lsvListDblClick() { PlaySelectedRow(); }

void TfrmMain::mnuSelectPlayClick() {
  if (titleBoxFocused_) {
    CommitTitleEdit();
    return;
  }
  if (ListShown()) PlaySelectedRow();
}

void TfrmMain::PlaySelectedRow() {
  const int row = lsvList_.FirstSelectedRow();
  if (row < 0 || row >= context_.list.Count()) return;
  context_.list.SetCurrentIndex(row);
  context_.player.Controller().PlayCurrentEntry(true);
}

void TfrmMain::mnuApplyClick() {
  ApplySettings();
  context_.player.Displays().RefreshList(true);
}

void TfrmMain::mnuFormClick(HWND hwnd) {
  TfrmInit frmInit({context_.settings, context_.associator, context_.shortcutFiles, ProgramPath(),
                    [this] { mnuApplyClick(); }});
  frmInit.ShowModal(instance_, hwnd);
}

// --- document view and information panel -------------------------------------------

void TfrmMain::ShowDocument(bool load) {
  std::u16string text;
  const MediaList& list = context_.list;
  if (load && list.Count() > 0) {
    std::string base;
    if (context_.player.State() != PlayState::Closed) {
      base = context_.player.Controller().PreparedPath();
    } else if (const MediaEntry* entry = list.CurrentEntry()) {
      base = ResolveEntryPath(entry->path, list.ListPath());
    }
    if (!base.empty()) {
      if (std::optional<std::u16string> document = LoadDocument(context_.files, context_.settings, base)) {
        text = std::move(*document);
      }
    }
  }
  SetWindowTextW(mmoDoc_.Handle(), reinterpret_cast<const wchar_t*>(text.c_str()));
  SendMessageW(mmoDoc_.Handle(), EM_SETSEL, 0, 0);
  SendMessageW(mmoDoc_.Handle(), EM_SCROLLCARET, 0, 0);
}

int TfrmMain::ShownEntryIndex() const {
  return context_.settings.image.list == 1 ? lsvList_.FirstSelectedRow() : context_.list.CurrentIndex();
}

void TfrmMain::ShowMediaInfo() {
  context_.player.Displays().ShowStatus("");
  ShowMediaInfoPanel();
}

void TfrmMain::ShowMediaInfoPanel() {
  const Settings& settings = context_.settings;
  const int index = ShownEntryIndex();
  const MediaEntry* entry = index >= 0 && index < context_.list.Count() ? &context_.list.Entry(index) : nullptr;
  pnlData_.Show(MakeInfoPanelTexts(entry, {.fontName = settings.font.name,
                                           .hideInformation = settings.image.data == 1,
                                           .titleEditMode = titleEdit_.On(),
                                           .compactBlanks = settings.opt.blank == 1}));
}

// --- title edit mode ------------------------------------------------------------

void TfrmMain::mnuTitleClick() {
  if (titleEdit_.Toggle(context_.settings.image)) viewMode_ = ViewMode::List;
  ApplySettings();
  ShowMediaInfo();
  if (titleEdit_.On() && context_.list.Count() > 0) pnlData_.FocusTitle();
}

void TfrmMain::mnuDataClick() {
  ImageSettings& image = context_.settings.image;
  if (image.data == 1) {
    image.data = 0;
  } else {
    image.data = 1;
    if (titleEdit_.On()) mnuTitleClick();
  }
  ApplySettings();
}

void TfrmMain::mnuImageClick() {
  ImageSettings& image = context_.settings.image;
  if (image.file.empty()) return;
  image.image = image.image == 1 ? 0 : 1;
  ApplySettings();
}

void TfrmMain::edtStat2Enter() { DisableListShortcuts(); }

void TfrmMain::edtStat2Exit() { EnableListShortcuts(); }

void TfrmMain::EnableListShortcuts() {
  shortcuts_ = listShortcuts_;
  titleBoxFocused_ = false;
  for (HMENU menu : {GetMenu(Handle()), GetSubMenu(pumList_.Get(), 0)}) {
    if (!menu) continue;
    for (const ListShortcut& shortcut : kListShortcuts) SetShortcutText(menu, static_cast<UINT>(shortcut.command), shortcut.text);
  }
}

// While the title box has the focus, Delete, Alt+Up, Alt+Down and the
// keypad's plus and minus are its own; Enter stores the title.
void TfrmMain::DisableListShortcuts() {
  shortcuts_ = titleShortcuts_;
  titleBoxFocused_ = true;
  for (HMENU menu : {GetMenu(Handle()), GetSubMenu(pumList_.Get(), 0)}) {
    if (!menu) continue;
    for (const ListShortcut& shortcut : kListShortcuts) SetShortcutText(menu, static_cast<UINT>(shortcut.command), nullptr);
  }
}

void TfrmMain::CommitTitleEdit() {
  MediaList& list = context_.list;
  const int index = context_.settings.image.list != 1 ? list.CurrentIndex() : lsvList_.FirstSelectedRow();
  if (index < 0 || index >= list.Count()) return;
  CommitTitle(list.Entry(index), pnlData_.TitleText());
  context_.player.Displays().RefreshList(true);
  pnlData_.SelectAllTitle();
}

}  // namespace koru
