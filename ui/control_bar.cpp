#include "ui/control_bar.h"

#include <commctrl.h>

#include "ui/main_window_ids.h"

namespace koru {
namespace {

struct ButtonDesign {
  int id;
  int width;
  const wchar_t* glyph;
  const wchar_t* caption;  // the B and F labels
  const wchar_t* hint;
};

const std::array<ButtonDesign, ControlBar::kButtonCount> kButtons = {{
    {IDC_SBT_FILE_OPEN, 23, L"\u25B2", L"OPEN", L"開く"},
    {IDC_SBT_FUNC_PLAY, 47, L"\u25B6", L"PLAY", L"演奏開始"},
    {IDC_SBT_FUNC_SPOT, 23, L"II", L"PAUSE", L"一時停止"},
    {IDC_SBT_FUNC_STOP, 23, L"\u25A0", L"STOP", L"演奏停止"},
    {IDC_SBT_FUNC_PREV, 23, L"\u25C0", L"PREV", L"前ﾄﾗｯｸ"},
    {IDC_SBT_FUNC_NEXT, 23, L"\u25B6", L"NEXT", L"次ﾄﾗｯｸ"},
    {IDC_SBT_WINDOW_LIST, 23, L"L", L"LIST", L"ﾘｽﾄの表示"},
    {IDC_SBT_WINDOW_DOC, 23, L"D", L"DOC", L"ﾄﾞｷｭﾒﾝﾄの表示"},
    {IDC_SBT_WINDOW_DATA, 23, L"i", L"DATA", L"ﾒﾃﾞｨｱ情報の表示"},
}};

constexpr int kButtonTop = 5;
constexpr int kButtonHeight = 22;
constexpr int kCaptionTopB = 30;
constexpr int kCaptionTopF = 29;
constexpr int kScreenWidth = 140;
constexpr int kScreenHeight = 33;

}  // namespace

bool ControlBar::Create(HWND parent, HINSTANCE instance, const std::wstring& fontName) {
  parent_ = parent;
  counterFont_ = MakeFont(L"Times New Roman", PixelsOfPoints(counterPoints_));
  titleFont_ = MakeFont(fontName, 15);
  captionFont_ = MakeFont(L"Small Fonts", 8);
  buttonFont_ = MakeFont(fontName, 10);

  const DWORD label = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX;
  lblScreen0_ = CreateWindowExW(0, L"STATIC", L"[00]<00:00>", label | SS_CENTER, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(IDC_LBL_SCREEN0), instance, nullptr);
  lblTitle_ = CreateWindowExW(0, L"STATIC", L"", label | SS_LEFTNOWORDWRAP, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(IDC_LBL_TITLE), instance, nullptr);
  scbTitle_ = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_HORZ | WS_DISABLED, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(IDC_SCB_TITLE), instance, nullptr);
  trbTitle_ = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | TBS_HORZ | TBS_AUTOTICKS | TBS_FIXEDLENGTH, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(IDC_TRB_TITLE), instance, nullptr);
  if (!lblScreen0_ || !lblTitle_ || !scbTitle_ || !trbTitle_) return false;
  SendMessageW(lblScreen0_, WM_SETFONT, reinterpret_cast<WPARAM>(counterFont_.Font()), FALSE);
  SendMessageW(lblTitle_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Font()), FALSE);
  SendMessageW(trbTitle_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SendMessageW(trbTitle_, TBM_SETPAGESIZE, 0, 10);
  SendMessageW(trbTitle_, TBM_SETTICFREQ, 10, 0);
  SendMessageW(trbTitle_, TBM_SETTHUMBLENGTH, 11, 0);

  for (int i = 0; i < kButtonCount; ++i) {
    buttons_[i] = CreateWindowExW(0, L"BUTTON", kButtons[i].glyph, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtons[i].id)), instance,
                                  nullptr);
    if (!buttons_[i]) return false;
    SendMessageW(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.Font()), FALSE);
  }

  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                          parent, nullptr, instance, nullptr);
  for (int i = 0; i < kButtonCount; ++i) AddTip(buttons_[i], kButtons[i].hint);
  AddTip(scbTitle_, L"ﾀｲﾑｽﾗｲﾀﾞｰ");
  AddTip(trbTitle_, L"ﾎﾞﾘｭｰﾑ設定");
  AddTip(lblTitle_, L"");
  Resize(400);
  return true;
}

void ControlBar::AddTip(HWND control, const wchar_t* text) {
  if (!tips_) return;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = parent_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

int ControlBar::Layout(const std::string& order, const std::string& check) {
  const ControlBarLayout layout = LayoutControlBar(order, check);
  const ControlBarItemPlace& counter = layout.items[0];
  screen0_ = {counter.left, 2, counter.left + kScreenWidth, 2 + kScreenHeight};
  MoveWindow(lblScreen0_, counter.left + 2, 2 + 2, kScreenWidth - 6, kScreenHeight - 6, TRUE);
  ShowWindow(lblScreen0_, counter.visible ? SW_SHOW : SW_HIDE);
  if (!counter.visible) SetRectEmpty(&screen0_);
  for (int i = 0; i < kButtonCount; ++i) {
    const ControlBarItemPlace& place = layout.items[static_cast<std::size_t>(i + 1)];
    buttonLefts_[i] = place.left;
    buttonVisible_[i] = place.visible;
    MoveWindow(buttons_[i], place.left, kButtonTop, kButtons[i].width, kButtonHeight, TRUE);
    ShowWindow(buttons_[i], place.visible ? SW_SHOW : SW_HIDE);
  }
  InvalidateRect(parent_, nullptr, TRUE);
  return layout.minClientWidth;
}

void ControlBar::Resize(int clientWidth) {
  title_ = {2, 37, clientWidth - 4, 60};
  const int width = clientWidth - 10;  // Wt + (CW - W0)
  if (width <= 0) return;
  MoveWindow(lblTitle_, 4, 39, width, 15, TRUE);
  MoveWindow(scbTitle_, 4, 39, width, 16, TRUE);
  MoveWindow(trbTitle_, 4, 39, width, 16, TRUE);
}

void ControlBar::SetTextColour(COLORREF colour) {
  textColour_ = colour;
  InvalidateRect(lblScreen0_, nullptr, TRUE);
  InvalidateRect(lblTitle_, nullptr, TRUE);
}

void ControlBar::Paint(HDC dc, int clientWidth) const {
  RECT bar = {0, 0, clientWidth, kHeight};
  FillRect(dc, &bar, greyBrush_.Brush());
  for (const RECT& panel : {screen0_, title_}) {
    if (IsRectEmpty(&panel)) continue;
    RECT inside = panel;
    FillRect(dc, &inside, blackBrush_.Brush());
    DrawEdge(dc, &inside, BDR_SUNKENOUTER, BF_RECT);
  }
  // Each caption is drawn twice: black, then yellow one pixel up and right,
  // which gives the drop shadow of the speed buttons.
  HGDIOBJ oldFont = SelectObject(dc, captionFont_.Font());
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < kButtonCount; ++i) {
    if (!buttonVisible_[i]) continue;
    SIZE size = {};
    const std::wstring caption = kButtons[i].caption;
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const int left = CaptionLeft(buttonLefts_[i], kButtons[i].width, size.cx);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, left, kCaptionTopB, caption.c_str(), static_cast<int>(caption.size()));
    const bool pausedMark = i == kSpot && paused_;
    SetTextColor(dc, pausedMark ? RGB(0, 255, 0) : RGB(255, 255, 0));
    TextOutW(dc, left + 1, kCaptionTopF, caption.c_str(), static_cast<int>(caption.size()));
  }
  SelectObject(dc, oldFont);
}

HBRUSH ControlBar::ColourStatic(HDC dc, HWND control) const {
  if (control != lblScreen0_ && control != lblTitle_) return nullptr;
  SetTextColor(dc, textColour_);
  SetBkColor(dc, RGB(0, 0, 0));
  return blackBrush_.Brush();
}

void ControlBar::SetCounter(const std::wstring& text, int points) {
  if (points != counterPoints_) {
    counterPoints_ = points;
    counterFont_ = MakeFont(L"Times New Roman", PixelsOfPoints(points));
    SendMessageW(lblScreen0_, WM_SETFONT, reinterpret_cast<WPARAM>(counterFont_.Font()), FALSE);
  }
  SetWindowTextW(lblScreen0_, text.c_str());
  UpdateWindow(lblScreen0_);
}

void ControlBar::SetTitle(const std::wstring& text) {
  titleText_ = text;
  SetWindowTextW(lblTitle_, text.c_str());
  UpdateWindow(lblTitle_);
  UpdateTip(lblTitle_, titleText_);
}

void ControlBar::SetVolumeHint(const std::wstring& hint) {
  volumeHint_ = hint;
  UpdateTip(trbTitle_, volumeHint_);
}

void ControlBar::UpdateTip(HWND control, std::wstring& text) {
  if (!tips_) return;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = parent_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ControlBar::SetButtonEnabled(Button button, bool enabled) { EnableWindow(buttons_[button], enabled); }

void ControlBar::SetPausedMark(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  RECT caption = {buttonLefts_[kSpot] - 8, kCaptionTopF, buttonLefts_[kSpot] + 32, kCaptionTopB + 12};
  InvalidateRect(parent_, &caption, TRUE);
}

void ControlBar::Show(TitlePanel panel) {
  ShowWindow(lblTitle_, panel == TitlePanel::Title ? SW_SHOW : SW_HIDE);
  ShowWindow(scbTitle_, panel == TitlePanel::Slider ? SW_SHOW : SW_HIDE);
  ShowWindow(trbTitle_, panel == TitlePanel::Volume ? SW_SHOW : SW_HIDE);
}

}  // namespace koru
