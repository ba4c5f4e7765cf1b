#include "ui/info_panel.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/wide_text_win32.h"
#include "ui/dpi.h"
#include "ui/layout/main_window_layout.h"

namespace koru {
namespace {

// Design pixels inside pnlData.
constexpr int kLabelLeft = 8;
constexpr int kCaptionWidth = 72;
constexpr int kValueLeft = 81;
constexpr int kLabelHeight = 16;
constexpr int kHeadTop = 6;
constexpr int kFirstRowTop = 28;
constexpr int kRowPitch = 24;
constexpr int kTitleBoxHeight = 20;
constexpr int kFontPixels = 12;
constexpr UINT kTitleLimit = 255;

constexpr COLORREF kAqua = RGB(0x00, 0xFF, 0xFF);
constexpr COLORREF kYellow = RGB(0xFF, 0xFF, 0x00);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

int RowTop(int row) { return row == 0 ? kHeadTop : kFirstRowTop + (row - 1) * kRowPitch; }

}  // namespace

// --- PicturePane --------------------------------------------------------------

bool PicturePane::Create(HWND parent) {
  return Window::Create({.className = kClassName,
                         .style = WS_CHILD | WS_CLIPSIBLINGS,
                         .left = 0,
                         .top = 0,
                         .width = 0,
                         .height = 0,
                         .parent = parent,
                         .background = nullptr,
                         .classStyle = CS_DBLCLKS});
}

void PicturePane::SetPicture(PictureBitmap picture) {
  picture_ = std::move(picture);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void PicturePane::ClearPicture() { SetPicture({}); }

void PicturePane::SetPlacement(bool centre, bool stretch) {
  centre_ = centre;
  stretch_ = stretch;
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT PicturePane::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintDc dc(hwnd);
      Paint(dc.Get());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // Paint covers everything
    case WM_LBUTTONDBLCLK:
      if (onDoubleClick) onDoubleClick();
      return 0;
    case WM_SIZE:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    default:
      return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
}

void PicturePane::Paint(HDC dc) const {
  RECT area;
  GetClientRect(Handle(), &area);
  // What the picture leaves shows the panel's colour.
  const auto background = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(Handle()), WM_CTLCOLORSTATIC,
                                                                 reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(Handle())));
  FillRect(dc, &area, background ? background : GetSysColorBrush(COLOR_BTNFACE));
  if (!picture_.bitmap) return;
  UniqueMemoryDc source(CreateCompatibleDC(dc));
  ScopedSelect selected(source.Get(), picture_.bitmap.Get());
  if (stretch_) {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, area.right, area.bottom, source.Get(), 0, 0, picture_.width, picture_.height, SRCCOPY);
    return;
  }
  const int left = centre_ ? (area.right - picture_.width) / 2 : 0;
  const int top = centre_ ? (area.bottom - picture_.height) / 2 : 0;
  BitBlt(dc, left, top, picture_.width, picture_.height, source.Get(), 0, 0, SRCCOPY);
}

// --- TitleBox -----------------------------------------------------------------

bool TitleBox::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_COMMAND) return false;
  const int code = HIWORD(wParam);
  if (code == EN_SETFOCUS && onEnter) onEnter();
  if (code == EN_KILLFOCUS && onExit) onExit();
  result = 0;
  return code == EN_SETFOCUS || code == EN_KILLFOCUS;
}

// --- InfoPanel ----------------------------------------------------------------

InfoPanel::InfoPanel() : background_(CreateSolidBrush(colour_)) {}

InfoPanel::~InfoPanel() = default;

int InfoPanel::Px(int designPixels) const { return Scaled(designPixels, dpi_); }

bool InfoPanel::Create(HWND parent, int dpi, Events events) {
  dpi_ = dpi;
  events_ = std::move(events);
  if (!Window::Create({.className = kClassName,
                       .style = WS_CHILD | WS_CLIPCHILDREN,
                       .left = 0,
                       .top = 0,
                       .width = 0,
                       .height = 0,
                       .parent = parent,
                       .background = nullptr,
                       .classStyle = CS_DBLCLKS})) {
    return false;
  }
  HWND panel = Handle();
  if (!imgPanel_.Create(panel)) return false;
  imgPanel_.onDoubleClick = [this] {
    if (events_.doubleClick) events_.doubleClick();
  };
  const DWORD label = WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP | WS_CLIPSIBLINGS;
  for (int i = 0; i < 7; ++i) {
    if (!items_[i].Create(panel, L"STATIC", L"", label, 0)) return false;
    items_[i].Move(Px(kLabelLeft), Px(RowTop(i)), Px(i == 0 ? kValueLeft + main_window::kValueWidth - kLabelLeft
                                                             : kCaptionWidth),
                   Px(kLabelHeight));
    items_[i].onDoubleClick = imgPanel_.onDoubleClick;
    if (i == 0) continue;
    if (!stats_[i].Create(panel, L"STATIC", L"", label, 0)) return false;
    stats_[i].Move(Px(kValueLeft), Px(RowTop(i)), Px(main_window::kValueWidth), Px(kLabelHeight));
    stats_[i].onDoubleClick = imgPanel_.onDoubleClick;
  }
  if (!edtStat2_.Create(panel, L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_CLIPSIBLINGS, 0)) {
    return false;
  }
  SendMessageW(edtStat2_.Handle(), EM_LIMITTEXT, kTitleLimit, 0);
  edtStat2_.Move(Px(kValueLeft), Px(RowTop(2)) - Px(kTitleBoxHeight - kLabelHeight) / 2, Px(main_window::kValueWidth),
                 Px(kTitleBoxHeight));
  edtStat2_.onEnter = std::move(events_.titleEnter);
  edtStat2_.onExit = std::move(events_.titleExit);
  // The picture lies beneath the labels.
  SetWindowPos(imgPanel_.Handle(), HWND_BOTTOM, Px(main_window::kImageBounds.left), Px(main_window::kImageBounds.top),
               Px(main_window::kImageBounds.width), Px(main_window::kImageBounds.height), SWP_NOACTIVATE);

  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                          0, panel, nullptr, nullptr, nullptr);
  SetColour(colour_);
  return true;
}

void InfoPanel::SetFontName(const std::wstring& face) {
  font_ = MakeFont(face, kFontPixels, dpi_);
  LOGFONTW bold = {};
  GetObjectW(font_.Get(), sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  boldFont_.Reset(CreateFontIndirectW(&bold));
  for (int i = 0; i < 7; ++i) {
    items_[i].SetFont(i == 0 ? boldFont_.Get() : font_.Get());
    if (i > 0) stats_[i].SetFont(font_.Get());
  }
  edtStat2_.SetFont(font_.Get());
}

void InfoPanel::SetColour(COLORREF colour) {
  colour_ = colour;
  background_.Reset(CreateSolidBrush(colour));
  for (int i = 0; i < 7; ++i) {
    items_[i].SetColours(i == 0 ? kAqua : kYellow, colour);
    if (i > 0) stats_[i].SetColours(kWhite, colour);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
  InvalidateRect(imgPanel_.Handle(), nullptr, TRUE);
}

void InfoPanel::Resize(std::optional<int> valueWidth, std::optional<int> imageWidth, std::optional<int> imageHeight) {
  if (valueWidth) {
    for (int i = 1; i < 7; ++i) {
      RECT bounds;
      GetWindowRect(stats_[i].Handle(), &bounds);
      MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
      stats_[i].Move(bounds.left, bounds.top, *valueWidth, bounds.bottom - bounds.top);
    }
    RECT bounds;
    GetWindowRect(edtStat2_.Handle(), &bounds);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    edtStat2_.Move(bounds.left, bounds.top, *valueWidth, bounds.bottom - bounds.top);
  }
  RECT image;
  GetWindowRect(imgPanel_.Handle(), &image);
  MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&image), 2);
  MoveWindow(imgPanel_.Handle(), image.left, image.top, imageWidth.value_or(image.right - image.left),
             imageHeight.value_or(image.bottom - image.top), TRUE);
}

void InfoPanel::Show(const InfoPanelTexts& texts) {
  for (int i = 0; i < 7; ++i) {
    items_[i].SetText(Widen(texts.items[i]).c_str());
    const bool shown = i < 4 ? texts.headShown : texts.detailsShown;
    items_[i].Show(shown);
    if (i == 0) continue;
    const std::wstring value = Widen(texts.stats[i]);
    stats_[i].SetText(value.c_str());
    stats_[i].Show(shown);
    SetHint(i, value);
  }
  edtStat2_.SetText(Widen(texts.editText).c_str());
  edtStat2_.Show(texts.editShown);
}

void InfoPanel::SetHint(int stat, const std::wstring& text) {
  if (!tips_) return;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(stats_[stat].Handle());
  SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  hints_[stat] = text;
  if (text.empty()) return;  // no text, no hint
  tool.lpszText = hints_[stat].data();
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string InfoPanel::TitleText() const {
  const int length = GetWindowTextLengthW(edtStat2_.Handle());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edtStat2_.Handle(), text.data(), length + 1)));
  return NarrowLossy(text);
}

void InfoPanel::FocusTitle() { SetFocus(edtStat2_.Handle()); }

void InfoPanel::SelectAllTitle() { SendMessageW(edtStat2_.Handle(), EM_SETSEL, 0, -1); }

bool InfoPanel::TitleFocused() const { return GetFocus() == edtStat2_.Handle(); }

LRESULT InfoPanel::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(hwnd, &area);
      FillRect(reinterpret_cast<HDC>(wParam), &area, background_.Get());
      // Raised inside, lowered outside, as the panel's bevels.
      DrawEdge(reinterpret_cast<HDC>(wParam), &area, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      // imgPanel asks for the colour it leaves around its picture.
      SetBkColor(reinterpret_cast<HDC>(wParam), colour_);
      return reinterpret_cast<LRESULT>(background_.Get());
    case WM_LBUTTONDBLCLK:
      if (events_.doubleClick) events_.doubleClick();
      return 0;
    default:
      return Window::HandleMessage(hwnd, message, wParam, lParam);
  }
}

}  // namespace koru
