// lsvList over 9,999 entries: the virtual list view shows the media list's
// rows and check boxes as the list view itself reports them, toggles a check
// box once per click and per Space, and fits columns to their texts as wide
// as the list view would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "settings/settings.h"
#include "support/fake_file_system.h"
#include "ui/list_view.h"
#include "ui/window.h"

namespace koru {
namespace {

constexpr int kListId = 500;

class ParentWindow : public Window {
 public:
  bool Create() {
    return Window::Create(
        {.className = L"KoruListViewTest", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .width = 700, .height = 500});
  }
};

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(parent.Create());
    ASSERT_TRUE(view.Create(parent.Handle(), kListId, 96,
                            {.selectItem = [this] { ++selectionChanges; },
                             .doubleClick = [this] { ++doubleClicks; },
                             .hiddenColumnTouched = [this] { ++hiddenColumnsTouched; }}));
    view.Move(0, 0, 680, 460);
    view.Show(true);
  }

  void Fill(int count) {
    for (int i = 0; i < count; ++i) {
      MediaEntry entry;
      entry.path = "C:\\music\\album " + std::to_string(i % 7) + "\\song" + std::to_string(i) + ".mid";
      entry.title = "Title " + std::string(static_cast<std::size_t>(i % 23), 'w');
      entry.time = std::to_string(61000 + i);
      entry.rate = std::to_string(i % 4);
      entry.played = i % 3 == 0;
      ASSERT_TRUE(list.AppendRaw(entry));
    }
    view.RefreshAllRows();
    view.AutoSizeColumns(false);
  }

  std::wstring CellText(int row, int column) {
    wchar_t buffer[260] = {};
    ListView_GetItemText(view.Handle(), row, column, buffer, 260);
    return buffer;
  }

  int StateImage(int row) {
    return static_cast<int>(ListView_GetItemState(view.Handle(), row, LVIS_STATEIMAGEMASK) >> 12);
  }

  // A point on the check box of a row, found by the list view's own hit test.
  POINT CheckBoxOf(int row) {
    RECT bounds = {};
    ListView_GetItemRect(view.Handle(), row, &bounds, LVIR_BOUNDS);
    for (int x = bounds.left; x < bounds.left + 60; ++x) {
      LVHITTESTINFO hit = {};
      hit.pt = {x, (bounds.top + bounds.bottom) / 2};
      if (ListView_HitTest(view.Handle(), &hit) == row && (hit.flags & LVHT_ONITEMSTATEICON)) return hit.pt;
    }
    ADD_FAILURE() << "no check box on row " << row;
    return {};
  }

  void Click(POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(view.Handle(), WM_LBUTTONUP, 0, where);
  }

  testing::FakeFileSystem files;
  Settings settings{files, "C:\\KORU\\", SystemVersion{5, 1, 2600, 2}};
  MediaList list{"C:\\KORU\\"};
  ParentWindow parent;
  ListView view{list, settings};
  int selectionChanges = 0;
  int doubleClicks = 0;
  int hiddenColumnsTouched = 0;
};

TEST_F(ListViewTest, ShowsEveryEntryWithItsTextsAndCheckBox) {
  Fill(9999);
  EXPECT_EQ(ListView_GetItemCount(view.Handle()), 9999);
  const std::wstring mark = Widen(cp932::FromUtf8(u8"○"));
  EXPECT_EQ(CellText(0, 0), L"1");
  EXPECT_EQ(CellText(9998, 0), L"9999");
  EXPECT_EQ(CellText(9998, 1), L"album 2");
  EXPECT_EQ(CellText(9998, 2), L"song9998.mid");
  EXPECT_EQ(CellText(9998, 3), Widen(list.Entry(9998).title));
  EXPECT_EQ(CellText(9998, 7), mark + mark);
  EXPECT_EQ(CellText(9998, 8), L"01:10");
  EXPECT_EQ(StateImage(9999 - 1), 2 * (9998 % 3 == 0) + 1 * (9998 % 3 != 0));
  EXPECT_EQ(StateImage(0), 2);
  EXPECT_EQ(StateImage(1), 1);

  // Fewer entries: the rows follow.
  list.SetCapacity(40);
  view.RefreshAllRows();
  EXPECT_EQ(ListView_GetItemCount(view.Handle()), 40);
}

TEST_F(ListViewTest, OneToggleForEachClickOnACheckBoxAndForEachSpace) {
  Fill(9999);
  const POINT box = CheckBoxOf(1);
  Click(box);
  EXPECT_EQ(list.Entry(1).played, 1);
  EXPECT_EQ(StateImage(1), 2);
  Click(box);
  EXPECT_EQ(list.Entry(1).played, 0);
  EXPECT_EQ(StateImage(1), 1);

  view.SelectRows({4}, true);
  SetFocus(view.Handle());
  SendMessageW(view.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(view.Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(list.Entry(4).played, 1);
  EXPECT_EQ(list.Entry(1).played, 0) << "only the focused row";
  EXPECT_EQ(doubleClicks, 0);
}

TEST_F(ListViewTest, SelectionIsReportedAndReadBack) {
  Fill(9999);
  selectionChanges = 0;
  view.SelectRows({9990, 12, 500}, true);
  EXPECT_EQ(view.SelectedRows(), (std::vector<int>{12, 500, 9990}));
  EXPECT_GT(selectionChanges, 0);
  EXPECT_EQ(ListView_GetNextItem(view.Handle(), -1, LVNI_FOCUSED), 9990) << "the first row given has the focus";
  view.SelectRows({}, false);
  EXPECT_TRUE(view.SelectedRows().empty());
}

TEST_F(ListViewTest, FittingToTextsIsAsWideAsTheListViewWouldMakeIt) {
  settings.list.check = "111111111";
  Fill(40);
  for (int column : {1, 2, 3, 8}) {
    ASSERT_TRUE(ListView_SetColumnWidth(view.Handle(), column, LVSCW_AUTOSIZE));
    const int listViews = view.ColumnWidth(column);
    view.SetColumnWidth(column, -1);
    EXPECT_NEAR(view.ColumnWidth(column), listViews, 3) << "column " << column;
  }
}

TEST_F(ListViewTest, AutoSizeColumnsByWindowAndByText) {
  settings.list.check = "100100001";
  Fill(9999);
  RECT client;
  GetClientRect(view.Handle(), &client);
  view.AutoSizeColumns(false);
  EXPECT_EQ(view.ColumnWidth(0), 46);
  EXPECT_EQ(view.ColumnWidth(1), 0);
  EXPECT_EQ(view.ColumnWidth(8), 38) << "with MS UI Gothic";
  EXPECT_EQ(view.ColumnWidth(3), client.right - 46 - 38);
  view.AutoSizeColumns(true);
  const int byText = view.ColumnWidth(3);
  view.SetColumnWidth(3, -1);
  EXPECT_EQ(view.ColumnWidth(3), byText) << "the widest title, as fitting the one column finds it";
  EXPECT_EQ(view.ColumnWidth(1), 0);
}

// What the header tells the list view's parent about a column being dragged.
LRESULT HeaderTells(HWND parent, HWND header, UINT code, int column) {
  NMHEADERW notice = {};
  notice.hdr.hwndFrom = header;
  notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(header));
  notice.hdr.code = code;
  notice.iItem = column;
  return SendMessageW(parent, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

TEST_F(ListViewTest, AHiddenColumnCannotBeDraggedOpen) {
  settings.list.check = "100100001";
  Fill(10);
  HWND header = ListView_GetHeader(view.Handle());
  EXPECT_EQ(HeaderTells(parent.Handle(), header, HDN_BEGINTRACKW, 1), TRUE) << "the drag of a hidden column is refused";
  EXPECT_EQ(HeaderTells(parent.Handle(), header, HDN_BEGINTRACKW, 3), FALSE);
  HeaderTells(parent.Handle(), header, HDN_DIVIDERDBLCLICKW, 3);
  EXPECT_EQ(hiddenColumnsTouched, 0);
  // A double click on its divider would fit it to its texts: it is closed again.
  HeaderTells(parent.Handle(), header, HDN_DIVIDERDBLCLICKW, 2);
  EXPECT_EQ(hiddenColumnsTouched, 1);
  ListView_SetColumnWidth(view.Handle(), 2, 80);
  view.ZeroHiddenColumns();
  EXPECT_EQ(view.ColumnWidth(2), 0);
  EXPECT_GT(view.ColumnWidth(3), 0) << "a shown column keeps its width";
}

}  // namespace
}  // namespace koru
