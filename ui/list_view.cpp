#include "ui/list_view.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"
#include "playback/list_view_texts.h"
#include "ui/layout/design_scale.h"

namespace koru {
namespace {

constexpr int kCheckedImage = 2;
constexpr int kUncheckedImage = 1;

bool SelectionChanged(UINT oldState, UINT newState) { return ((oldState ^ newState) & LVIS_SELECTED) != 0; }

}  // namespace

// The list view's header: the list view hands the header's notifications
// on with the header as their sender, so they come here.
class ListView::Header : public Control {
 public:
  explicit Header(ListView& owner) : owner_(owner) {}

  bool Reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
    if (message != WM_NOTIFY) return false;
    const auto& header = *reinterpret_cast<const NMHEADERW*>(lParam);
    switch (header.hdr.code) {
      case HDN_BEGINTRACKW:
      case HDN_BEGINTRACKA:
        owner_.ColumnsTouched(header, result, true);
        return true;
      case HDN_ENDTRACKW:
      case HDN_ENDTRACKA:
      case HDN_DIVIDERDBLCLICKW:
      case HDN_DIVIDERDBLCLICKA:
        owner_.ColumnsTouched(header, result, false);
        return true;
      default:
        return false;
    }
  }

 private:
  ListView& owner_;
};

ListView::ListView(MediaList& list, const Settings& settings) : list_(list), settings_(settings) {}

ListView::~ListView() = default;

int ListView::Px(int designPixels) const { return Scaled(designPixels, dpi_); }

bool ListView::Create(HWND parent, int id, int dpi, Events events) {
  dpi_ = dpi;
  events_ = std::move(events);
  const DWORD style = LVS_REPORT | LVS_OWNERDATA | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS | WS_TABSTOP;
  if (!Control::Create(parent, WC_LISTVIEWW, L"", style, id, WS_EX_CLIENTEDGE)) return false;
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // An owner-data list asks for the check boxes too.
  ListView_SetCallbackMask(Handle(), LVIS_STATEIMAGEMASK);
  header_ = std::make_unique<Header>(*this);
  header_->Attach(ListView_GetHeader(Handle()));
  RebuildColumns();
  return true;
}

void ListView::SetListFont(HFONT font) {
  font_ = font;
  SetFont(font);
  textWidths_.reset();
  widestTexts_.reset();
}

// --- columns ------------------------------------------------------------------

void ListView::RebuildColumns() {
  while (ListView_DeleteColumn(Handle(), 0)) {
  }
  for (int column = 0; column < kListColumnCount; ++column) {
    LVCOLUMNW info = {};
    info.mask = LVCF_WIDTH | LVCF_SUBITEM;
    info.cx = 0;
    info.iSubItem = column;
    ListView_InsertColumn(Handle(), column, &info);
  }
  SetCaptions();
  widestTexts_.reset();
}

void ListView::SetCaptions() {
  for (int column = 0; column < kListColumnCount; ++column) {
    std::wstring caption = Widen(ColumnCaption(column, settings_.font.name));
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT;
    info.pszText = caption.data();
    ListView_SetColumn(Handle(), column, &info);
  }
}

int ListView::ColumnWidth(int column) const { return ListView_GetColumnWidth(Handle(), column); }

void ListView::SetColumnWidth(int column, int width) {
  if (width == -1) {
    ColumnFlags only{};
    only[static_cast<std::size_t>(column)] = true;
    width = FitWidth(column, MeasureTexts(only)[static_cast<std::size_t>(column)], dpi_);
  }
  ListView_SetColumnWidth(Handle(), column, std::max(0, width));
}

ColumnFlags ListView::ShownColumns() const {
  ColumnFlags shown{};
  for (int column = 0; column < kListColumnCount; ++column) shown[column] = settings_.ColumnShown(column);
  return shown;
}

ColumnSizing ListView::Sizing() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return {.shown = ShownColumns(),
          .clientWidth = client.right,
          .entryCount = list_.Count(),
          .fullWidthCaptions = settings_.font.name == kFullWidthCaptionFont,
          .dpi = dpi_};
}

void ListView::AutoSizeColumns(bool byText) {
  const ColumnSizing sizing = Sizing();
  ColumnWidths widths;
  if (byText) {
    if (!widestTexts_) {
      ColumnFlags flexible{};
      for (int column = 0; column < kListColumnCount; ++column) {
        flexible[column] = sizing.shown[column] && IsFlexibleColumn(column);
      }
      widestTexts_ = MeasureTexts(flexible);
    }
    widths = ColumnWidthsByText(sizing, *widestTexts_);
  } else {
    widths = ColumnWidthsByWindow(sizing);
  }
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  for (int column = 0; column < kListColumnCount; ++column) {
    if (ColumnWidth(column) != widths[column]) ListView_SetColumnWidth(Handle(), column, widths[column]);
  }
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
}

void ListView::ZeroHiddenColumns() {
  for (int column = 0; column < kListColumnCount; ++column) {
    if (!settings_.ColumnShown(column) && ColumnWidth(column) != 0) ListView_SetColumnWidth(Handle(), column, 0);
  }
}

void ListView::ColumnsTouched(const NMHEADERW& header, LRESULT& result, bool begins) {
  const bool hidden = header.iItem >= 0 && header.iItem < kListColumnCount && !settings_.ColumnShown(header.iItem);
  result = hidden && begins ? TRUE : FALSE;  // a hidden column cannot be dragged open
  if (hidden && !begins && events_.hiddenColumnTouched) events_.hiddenColumnTouched();
}

ColumnWidths ListView::MeasureTexts(const ColumnFlags& columns) {
  if (!textWidths_) {
    // The font's advance widths of 256 code page 932 codes at a time.
    textWidths_ = std::make_unique<TextWidths>([this](int block, std::array<int, 256>& widths) {
      WindowDc measuring(Handle());
      ScopedSelect selected(measuring.Get(), font_ ? font_ : reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
      for (int code = 0; code < 256; ++code) {
        char bytes[2] = {static_cast<char>(block == 0 ? code : block), static_cast<char>(code)};
        wchar_t wide[2] = {};
        const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, block == 0 ? 1 : 2, wide, 2);
        SIZE size = {};
        if (length > 0 && GetTextExtentPoint32W(measuring.Get(), wide, length, &size)) widths[static_cast<std::size_t>(code)] = size.cx;
      }
    });
  }
  const bool compact = settings_.opt.blank == 1;
  return WidestTexts(list_.Count(), columns, [this, compact](int row, int column) {
    return CellText(list_.Entry(row), row, column, compact);
  }, *textWidths_);
}

// --- rows ---------------------------------------------------------------------

void ListView::RefreshAllRows() {
  ListView_SetItemCountEx(Handle(), list_.Count(), LVSICF_NOSCROLL);
  InvalidateRect(Handle(), nullptr, FALSE);
  widestTexts_.reset();
}

void ListView::RefreshRow(int row) {
  if (row < 0 || row >= list_.Count()) return;
  ListView_RedrawItems(Handle(), row, row);
  widestTexts_.reset();
}

std::vector<int> ListView::SelectedRows() const {
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(Handle(), row, LVNI_SELECTED)) {
    rows.push_back(row);
  }
  return rows;
}

int ListView::FirstSelectedRow() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

void ListView::SelectRows(const std::vector<int>& rows, bool scroll) {
  ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  bool first = true;
  for (int row : rows) {
    if (row < 0 || row >= list_.Count()) continue;
    ListView_SetItemState(Handle(), row, first ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    if (first) {
      ListView_SetSelectionMark(Handle(), row);
      if (scroll) ScrollIntoView(row);
    }
    first = false;
  }
}

void ListView::ScrollIntoView(int row) {
  if (row >= 0 && row < list_.Count()) ListView_EnsureVisible(Handle(), row, FALSE);
}

void ListView::TogglePlayed(int row) {
  if (row < 0 || row >= list_.Count()) return;
  // The flag is the entry's: the list view only shows it.
  MediaEntry& entry = list_.Entry(row);
  entry.played = entry.played ? 0 : 1;
  ListView_RedrawItems(Handle(), row, row);
  UpdateWindow(Handle());
}

void ListView::GetDisplayInfo(LVITEMW& item) {
  if (item.iItem < 0 || item.iItem >= list_.Count()) return;
  const MediaEntry& entry = list_.Entry(item.iItem);
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    cellBuffer_ = Widen(CellText(entry, item.iItem, item.iSubItem, settings_.opt.blank == 1));
    const std::size_t length = std::min(cellBuffer_.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(cellBuffer_.data(), length, item.pszText);
    item.pszText[length] = L'\0';
  }
  if (item.mask & LVIF_STATE) {
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                 INDEXTOSTATEIMAGEMASK(entry.played ? kCheckedImage : kUncheckedImage);
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

bool ListView::Reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY) return false;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  result = 0;
  switch (header->code) {
    case LVN_GETDISPINFOW:
      GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
      return true;
    case NM_CLICK:
    case NM_DBLCLK: {
      // An owner-data list does not toggle its check boxes: a click on one
      // does, once.
      LVHITTESTINFO hit = {};
      hit.pt = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->ptAction;
      const int row = ListView_HitTest(Handle(), &hit);
      if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
        TogglePlayed(row);
      } else if (header->code == NM_DBLCLK && events_.doubleClick) {
        events_.doubleClick();
      }
      return true;
    }
    case LVN_KEYDOWN: {
      const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(lParam);
      if (key->wVKey == VK_SPACE && !(GetKeyState(VK_CONTROL) & 0x8000)) {
        TogglePlayed(ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED));
      }
      return true;
    }
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((change->uChanged & LVIF_STATE) && SelectionChanged(change->uOldState, change->uNewState) &&
          events_.selectItem) {
        events_.selectItem();
      }
      return true;
    }
    case LVN_ODSTATECHANGED: {
      const auto* change = reinterpret_cast<const NMLVODSTATECHANGE*>(lParam);
      if (SelectionChanged(change->uOldState, change->uNewState) && events_.selectItem) events_.selectItem();
      return true;
    }
    case LVN_ODFINDITEMW:
      result = -1;  // typing a name does not search the list
      return true;
    default:
      return false;
  }
}

}  // namespace koru
