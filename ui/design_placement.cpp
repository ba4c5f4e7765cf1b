#include "ui/design_placement.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/dpi.h"

namespace koru {
namespace {

constexpr int kFontPixels = 12;   // ＭＳ Ｐゴシック 9 pt, the templates' font
constexpr int kUpDownWidth = 16;

}  // namespace

UniqueFont PlaceDialogInDesignPixels(HWND hwnd, int clientWidth, int clientHeight) {
  const int dpi = ScreenDpi();
  RECT client;
  GetClientRect(hwnd, &client);
  const int width = Scaled(clientWidth, dpi);
  const int height = Scaled(clientHeight, dpi);
  UniqueFont font = MakeFont(L"ＭＳ Ｐゴシック", kFontPixels, dpi, SHIFTJIS_CHARSET);
  if (client.right <= 0 || client.bottom <= 0) return font;
  const auto boundsInDialog = [hwnd](HWND control) {
    RECT bounds;
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
  };
  const auto place = [&](HWND control, const RECT& bounds) {
    const int left = MulDiv(bounds.left, width, client.right);
    const int top = MulDiv(bounds.top, height, client.bottom);
    SetWindowPos(control, nullptr, left, top, MulDiv(bounds.right, width, client.right) - left,
                 MulDiv(bounds.bottom, height, client.bottom) - top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  // An up-down and its buddy share one box, the up-down at its right edge.
  struct UpDownBox {
    HWND upDown;
    HWND buddy;
    RECT box;
  };
  struct Placed {
    HWND control;
    RECT bounds;  // before the move
  };
  std::vector<Placed> controls;
  std::vector<UpDownBox> upDowns;
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    RECT bounds = boundsInDialog(child);
    if (_wcsicmp(className, WC_COMBOBOXW) == 0) {  // its height is the dropped list's
      SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&bounds));
      MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&bounds), 2);
    }
    if (_wcsicmp(className, UPDOWN_CLASSW) != 0) {
      controls.push_back({child, bounds});
      continue;
    }
    // Where the system already put it beside its buddy, the box reaches its
    // right edge; elsewhere the buddy's box is the design's.
    HWND buddy = reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0));
    RECT box = boundsInDialog(buddy);
    const bool beside = bounds.left >= box.left && bounds.top >= box.top && bounds.bottom <= box.bottom;
    if (beside) box.right = std::max(box.right, bounds.right);
    upDowns.push_back({child, buddy, box});
  }
  for (const Placed& placed : controls) place(placed.control, placed.bounds);
  const int upDownWidth = Scaled(kUpDownWidth, dpi);
  for (const UpDownBox& upDown : upDowns) {
    place(upDown.buddy, upDown.box);
    const RECT box = boundsInDialog(upDown.buddy);
    SetWindowPos(upDown.buddy, nullptr, 0, 0, box.right - box.left - upDownWidth, box.bottom - box.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(upDown.upDown, nullptr, box.right - upDownWidth, box.top, upDownWidth, box.bottom - box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int frameWidth = frame.right - frame.left;
  const int frameHeight = frame.bottom - frame.top;
  SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - frameWidth) / 2,
               work.top + (work.bottom - work.top - frameHeight) / 2, frameWidth, frameHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return font;
}

}  // namespace koru
