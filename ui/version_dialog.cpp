#include "ui/version_dialog.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>
#include <utility>

#include "platform/wide_text_win32.h"
#include "ui/dpi.h"
#include "ui/layout/design_scale.h"
#include "ui/version_dialog_ids.h"

namespace koru {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kAqua = RGB(0, 255, 255);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The list's lines, in design pixels.
constexpr int kItemHeight = 12;

// The form's design, in pixels at 96 DPI. The template's dialog units
// depend on the font the system finds for its face, so the dialog is placed
// again in pixels when it opens.
constexpr int kClientWidth = 226;
constexpr int kClientHeight = 163;
constexpr Bounds kShape{4, 4, 217, 57};
const struct {
  int id;
  Bounds bounds;
} kControls[] = {
    {IDC_VER_LOGO, {8, 12, 73, 33}},    {IDC_VER_NAME, {92, 32, 126, 12}}, {IDC_VER_COPY, {16, 44, 202, 12}},
    {IDC_VER_TITLE, {100, 20, 110, 12}}, {IDOK, {72, 138, 80, 21}},         {IDC_VER_LIST, {4, 68, 217, 65}},
};

// Centred on the owner, and kept on its monitor's work area: a small owner
// near the screen's edge would push the caption off it.
void CentreOn(HWND dialog, HWND owner) {
  RECT outer, own;
  GetWindowRect(dialog, &outer);
  if (!owner || !GetWindowRect(owner, &own)) return;
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  LONG left = own.left + (own.right - own.left - width) / 2;
  LONG top = own.top + (own.bottom - own.top - height) / 2;
  MONITORINFO monitor = {sizeof monitor};
  if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    left = std::max<LONG>(work.left, std::min<LONG>(left, work.right - width));
    top = std::max<LONG>(work.top, std::min<LONG>(top, work.bottom - height));
  }
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A label as wide and high as its text in its font.
void SizeToText(HWND label, HFONT font) {
  wchar_t text[128] = {};
  GetWindowTextW(label, text, 128);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void TfrmVer::ShowModal(HINSTANCE instance, HWND owner) {
  if (RunModal(instance, kTemplateName, owner) == -1) throw std::runtime_error("The version dialog cannot be created");
}

INT_PTR TfrmVer::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate(hwnd);
      return TRUE;
    case WM_PAINT:
      FormPaint(hwnd);
      return TRUE;
    case WM_DRAWITEM:
      if (wParam == IDC_VER_LOGO) {
        imgVeltaDraw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      // OK, and Esc as the dialog's cancel button.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        btnOkClick();
        return TRUE;
      }
      return FALSE;
    default:
      return Dialog::HandleMessage(hwnd, message, wParam, lParam);
  }
}

void TfrmVer::FormCreate(HWND hwnd) {
  dpi_ = ScreenDpi();
  RECT outer = {0, 0, Scaled(kClientWidth, dpi_), Scaled(kClientHeight, dpi_)};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
  SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const auto& control : kControls) {
    const Bounds b = Scaled(control.bounds, dpi_);
    MoveWindow(Item(control.id), b.left, b.top, b.width, b.height, FALSE);
  }
  CentreOn(hwnd, GetWindow(hwnd, GW_OWNER));
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  boldFont_.Reset(CreateFontIndirectW(&font));
  const std::pair<Label*, std::pair<int, COLORREF>> labels[] = {
      {&lblName_, {IDC_VER_NAME, kAqua}}, {&lblCopy_, {IDC_VER_COPY, kLime}}, {&lblTitle_, {IDC_VER_TITLE, kWhite}}};
  for (const auto& [label, look] : labels) {
    label->Attach(Item(look.first));
    label->SetFont(boldFont_.Get());
    SizeToText(label->Handle(), boldFont_.Get());
    label->SetColours(look.second, kBlack);
  }

  HWND list = Item(IDC_VER_LIST);
  SendMessageW(list, LB_SETITEMHEIGHT, 0, Scaled(kItemHeight, dpi_));
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : LibraryVersionLines(loader_, rcpVersion_)) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
  }
}

// shpVer: a rounded black rectangle, its frame inside its bounds.
void TfrmVer::FormPaint(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  const Bounds b = Scaled(kShape, dpi_);
  const RECT shape = {b.left, b.top, b.left + b.width, b.top + b.height};
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  RoundRect(dc, shape.left, shape.top, shape.right, shape.bottom, 16, 16);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  EndPaint(hwnd, &paint);
}

// imgVelta: the maker's mark, a ring around the name.
void TfrmVer::imgVeltaDraw(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  UniquePen ring(CreatePen(PS_SOLID, 2, kAqua));
  HGDIOBJ oldPen = SelectObject(dc, ring.Get());
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Ellipse(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  UniqueFont face(CreateFontW(-(r.bottom - r.top) / 2, 0, 0, 0, FW_HEAVY, TRUE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS,
                              L"Arial"));
  HGDIOBJ oldFont = SelectObject(dc, face.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kWhite);
  RECT text = r;
  DrawTextW(dc, L"VELTA", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

}  // namespace koru
