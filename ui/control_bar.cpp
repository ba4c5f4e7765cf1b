#include "ui/control_bar.h"

#include <commctrl.h>

#include "ui/dpi.h"
#include "ui/layout/control_bar_layout.h"
#include "ui/main_window_ids.h"

namespace koru {
namespace {

struct ButtonDesign {
  int command;
  int width;
  const wchar_t* glyph;
  const wchar_t* caption;  // the B and F labels
  const wchar_t* hint;
};

// In the order of the control-bar items 1 to 9.
const std::array<ButtonDesign, ControlBar::kButtonCount> kButtons = {{
    {IDM_FILE_OPEN, 23, L"\u25B2", L"OPEN", L"開く"},
    {IDM_FUNC_PLAY, 47, L"\u25B6", L"PLAY", L"演奏開始"},
    {IDM_FUNC_SPOT, 23, L"II", L"PAUSE", L"一時停止"},
    {IDM_FUNC_STOP, 23, L"\u25A0", L"STOP", L"演奏停止"},
    {IDM_FUNC_PREV, 23, L"\u25C0", L"PREV", L"前ﾄﾗｯｸ"},
    {IDM_FUNC_NEXT, 23, L"\u25B6", L"NEXT", L"次ﾄﾗｯｸ"},
    {IDM_WINDOW_LIST, 23, L"L", L"LIST", L"ﾘｽﾄの表示"},
    {IDM_WINDOW_DOC, 23, L"D", L"DOC", L"ﾄﾞｷｭﾒﾝﾄの表示"},
    {IDM_WINDOW_DATA, 23, L"i", L"DATA", L"ﾒﾃﾞｨｱ情報の表示"},
}};
constexpr int kSpot = 2;  // sbtFuncSpot's place in kButtons

// Design pixels.
constexpr int kButtonTop = 5;
constexpr int kButtonHeight = 22;
constexpr int kCaptionTopB = 30;
constexpr int kCaptionTopF = 29;
constexpr Bounds kScreen0{0, 2, 140, 33};     // pnlScreen0, its left from the layout
constexpr Bounds kLblScreen0{2, 2, 134, 27};  // inside pnlScreen0
constexpr int kTitleTop = 37;                 // pnlTitle: 2, 37, client width - 6, 23
constexpr int kTitleHeight = 23;
constexpr int kTitleItemTop = kTitleTop + 2;  // lblTitle, scbTitle, trbTitle at 2, 2 inside it
constexpr int kLblTitleHeight = 15;
constexpr int kBarHeight = 16;  // scbTitle, trbTitle

}  // namespace

ControlBar::ControlBar()
    : dpi_(kDesignDpi), blackBrush_(CreateSolidBrush(RGB(0, 0, 0))), greyBrush_(CreateSolidBrush(RGB(192, 192, 192))) {}

ControlBar::~ControlBar() = default;

int ControlBar::Px(int designPixels) const { return Scaled(designPixels, dpi_); }

int ControlBar::Height() const { return Px(kDesignHeight); }

bool ControlBar::Create(HWND parent, const std::wstring& fontName, Events events) {
  dpi_ = ScreenDpi();
  RECT client;
  GetClientRect(parent, &client);
  if (!Window::Create({.className = kClassName,
                       .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                       .left = 0,
                       .top = 0,
                       .width = client.right,
                       .height = Height(),
                       .parent = parent,
                       .background = nullptr})) {
    return false;
  }
  HWND bar = Handle();
  counterFont_ = MakeFont(L"Times New Roman", DesignPixelsOfPoints(counterPoints_), dpi_);
  titleFont_ = MakeFont(fontName, 15, dpi_);
  captionFont_ = MakeFont(L"Small Fonts", 8, dpi_);
  buttonFont_ = MakeFont(fontName, 10, dpi_);

  const DWORD label = WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX;
  if (!lblScreen0_.Create(bar, L"STATIC", L"[00]<00:00>", label | SS_CENTER, IDC_LBL_SCREEN0) ||
      !lblTitle_.Create(bar, L"STATIC", L"", label | SS_LEFTNOWORDWRAP, IDC_LBL_TITLE) ||
      !scbTitle_.Create(bar, L"SCROLLBAR", L"", SBS_HORZ | WS_DISABLED, IDC_SCB_TITLE) ||
      !trbTitle_.Create(bar, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_AUTOTICKS | TBS_FIXEDLENGTH, IDC_TRB_TITLE)) {
    return false;
  }
  lblScreen0_.onDoubleClick = std::move(events.screen0DblClick);
  lblTitle_.onDoubleClick = std::move(events.lblTitleDblClick);
  scbTitle_.onScroll = std::move(events.scbTitleScroll);
  trbTitle_.onChange = std::move(events.trbTitleChange);
  lblScreen0_.SetFont(counterFont_.Get());
  lblTitle_.SetFont(titleFont_.Get());
  SetTextColour(textColour_);
  HWND volume = trbTitle_.Handle();
  SendMessageW(volume, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SendMessageW(volume, TBM_SETPAGESIZE, 0, 10);
  SendMessageW(volume, TBM_SETTICFREQ, 10, 0);
  SendMessageW(volume, TBM_SETTHUMBLENGTH, Px(11), 0);

  for (int i = 0; i < kButtonCount; ++i) {
    if (!buttons_[i].Create(bar, L"BUTTON", kButtons[i].glyph, WS_VISIBLE | BS_PUSHBUTTON, kButtons[i].command)) {
      return false;
    }
    buttons_[i].SetFont(buttonFont_.Get());
  }

  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                          bar, nullptr, nullptr, nullptr);
  for (int i = 0; i < kButtonCount; ++i) AddTip(buttons_[i].Handle(), kButtons[i].hint);
  AddTip(scbTitle_.Handle(), L"ﾀｲﾑｽﾗｲﾀﾞｰ");
  AddTip(trbTitle_.Handle(), L"ﾎﾞﾘｭｰﾑ設定");
  AddTip(lblTitle_.Handle(), L"");
  Resize(client.right);
  return true;
}

LRESULT ControlBar::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // The speed buttons' commands are the main window's.
      return SendMessageW(GetParent(hwnd), WM_COMMAND, wParam, lParam);
    case WM_PAINT: {
      PaintDc dc(hwnd);
      Paint(dc.Get());
      return 0;
    }
    case WM_SIZE:
      Resize(LOWORD(lParam));
      return 0;
    default:
      return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
}

void ControlBar::AddTip(HWND control, const wchar_t* text) {
  if (!tips_) return;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ControlBar::UpdateTip(HWND control, std::wstring& text) {
  if (!tips_) return;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

int ControlBar::Layout(const std::string& order, const std::string& check) {
  const ControlBarLayout layout = LayoutControlBar(order, check);
  const ControlBarItemPlace& counter = layout.items[0];
  screen0_ = {Px(counter.left), Px(kScreen0.top), Px(counter.left + kScreen0.width),
              Px(kScreen0.top + kScreen0.height)};
  if (!counter.visible) SetRectEmpty(&screen0_);
  lblScreen0_.Move(Px(counter.left + kLblScreen0.left), Px(kScreen0.top + kLblScreen0.top), Px(kLblScreen0.width),
                   Px(kLblScreen0.height));
  lblScreen0_.Show(counter.visible);
  for (int i = 0; i < kButtonCount; ++i) {
    const ControlBarItemPlace& place = layout.items[static_cast<std::size_t>(i + 1)];
    buttonLefts_[i] = place.left;
    buttonVisible_[i] = place.visible;
    buttons_[i].Move(Px(place.left), Px(kButtonTop), Px(kButtons[i].width), Px(kButtonHeight));
    buttons_[i].Show(place.visible);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
  return Px(layout.minClientWidth);
}

void ControlBar::Resize(int clientWidth) {
  title_ = {Px(2), Px(kTitleTop), clientWidth - Px(4), Px(kTitleTop + kTitleHeight)};
  const int width = clientWidth - Px(10);  // Wt + (CW - W0)
  if (width <= 0) return;
  lblTitle_.Move(Px(4), Px(kTitleItemTop), width, Px(kLblTitleHeight));
  scbTitle_.Move(Px(4), Px(kTitleItemTop), width, Px(kBarHeight));
  trbTitle_.Move(Px(4), Px(kTitleItemTop), width, Px(kBarHeight));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ControlBar::SetTextColour(COLORREF colour) {
  textColour_ = colour;
  lblScreen0_.SetColours(colour, RGB(0, 0, 0));
  lblTitle_.SetColours(colour, RGB(0, 0, 0));
}

void ControlBar::SetFontName(const std::wstring& fontName) {
  titleFont_ = MakeFont(fontName, 15, dpi_);
  buttonFont_ = MakeFont(fontName, 10, dpi_);
  lblTitle_.SetFont(titleFont_.Get());
  for (Control& button : buttons_) button.SetFont(buttonFont_.Get());
}

void ControlBar::SetViewButtonDown(int command, bool down) {
  for (int i = 0; i < kButtonCount; ++i) {
    if (kButtons[i].command == command) SendMessageW(buttons_[i].Handle(), BM_SETSTATE, down ? TRUE : FALSE, 0);
  }
}

RECT ControlBar::CaptionArea(int button) const {
  return {Px(buttonLefts_[button] - 8), Px(kCaptionTopF), Px(buttonLefts_[button] + 32), Px(kCaptionTopB + 12)};
}

void ControlBar::Paint(HDC dc) const {
  RECT bar;
  GetClientRect(Handle(), &bar);
  FillRect(dc, &bar, greyBrush_.Get());
  for (const RECT& panel : {screen0_, title_}) {
    if (IsRectEmpty(&panel)) continue;
    RECT inside = panel;
    FillRect(dc, &inside, blackBrush_.Get());
    DrawEdge(dc, &inside, BDR_SUNKENOUTER, BF_RECT);
  }
  // Each caption is drawn twice: black, then yellow one pixel up and right,
  // which gives the drop shadow of the speed buttons.
  ScopedSelect font(dc, captionFont_.Get());
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < kButtonCount; ++i) {
    if (!buttonVisible_[i]) continue;
    const std::wstring caption = kButtons[i].caption;
    SIZE size = {};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const int left = CaptionLeft(Px(buttonLefts_[i]), Px(kButtons[i].width), size.cx);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, left, Px(kCaptionTopB), caption.c_str(), static_cast<int>(caption.size()));
    const bool pausedMark = i == kSpot && paused_;
    SetTextColor(dc, pausedMark ? RGB(0, 255, 0) : RGB(255, 255, 0));
    TextOutW(dc, left + Px(1), Px(kCaptionTopF), caption.c_str(), static_cast<int>(caption.size()));
  }
}

void ControlBar::SetCounter(const std::wstring& text, int points) {
  if (points != counterPoints_) {
    counterPoints_ = points;
    counterFont_ = MakeFont(L"Times New Roman", DesignPixelsOfPoints(points), dpi_);
    lblScreen0_.SetFont(counterFont_.Get());
  }
  lblScreen0_.SetText(text.c_str());
  UpdateWindow(lblScreen0_.Handle());
}

void ControlBar::SetTitle(const std::wstring& text) {
  titleText_ = text;
  lblTitle_.SetText(text.c_str());
  UpdateWindow(lblTitle_.Handle());
  UpdateTip(lblTitle_.Handle(), titleText_);
}

void ControlBar::SetVolume(int percent, const std::wstring& hint) {
  trbTitle_.SetPosition(percent);
  volumeHint_ = hint;
  UpdateTip(trbTitle_.Handle(), volumeHint_);
}

void ControlBar::EnableCommand(int command, bool enabled) {
  for (int i = 0; i < kButtonCount; ++i) {
    if (kButtons[i].command == command) buttons_[i].Enable(enabled);
  }
}

void ControlBar::SetPausedMark(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  const RECT caption = CaptionArea(kSpot);
  InvalidateRect(Handle(), &caption, TRUE);
  UpdateWindow(Handle());
}

void ControlBar::Show(TitlePanel panel) {
  lblTitle_.Show(panel == TitlePanel::Title);
  scbTitle_.Show(panel == TitlePanel::Slider);
  trbTitle_.Show(panel == TitlePanel::Volume);
}

}  // namespace koru
