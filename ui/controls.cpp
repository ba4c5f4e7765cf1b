#include "ui/controls.h"

#include <commctrl.h>

#include <algorithm>

namespace koru {

void Label::SetColours(COLORREF text, COLORREF background) {
  text_ = text;
  if (!brush_ || background != background_) brush_.Reset(CreateSolidBrush(background));
  background_ = background;
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool Label::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == STN_DBLCLK && onDoubleClick) {
    onDoubleClick();
    return true;
  }
  if (message == WM_CTLCOLORSTATIC && brush_) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, text_);
    SetBkColor(dc, background_);
    result = reinterpret_cast<LRESULT>(brush_.Get());
    return true;
  }
  return false;
}

void ScrollBar::SetRange(int maximum, int smallStep, int largeStep) {
  smallStep_ = smallStep;
  largeStep_ = largeStep;
  SCROLLINFO info = {sizeof info, SIF_RANGE};
  info.nMin = 0;
  info.nMax = maximum;
  SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void ScrollBar::SetPosition(int position) const {
  SCROLLINFO info = {sizeof info, SIF_POS};
  info.nPos = position;
  SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

bool ScrollBar::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return false;
  const int code = LOWORD(wParam);
  SCROLLINFO info = {sizeof info, SIF_ALL};
  GetScrollInfo(Handle(), SB_CTL, &info);
  int position = info.nPos;
  switch (code) {
    case SB_LINELEFT: position -= smallStep_; break;
    case SB_LINERIGHT: position += smallStep_; break;
    case SB_PAGELEFT: position -= largeStep_; break;
    case SB_PAGERIGHT: position += largeStep_; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_LEFT: position = info.nMin; break;
    case SB_RIGHT: position = info.nMax; break;
    default: break;
  }
  position = std::clamp(position, info.nMin, std::max(info.nMin, info.nMax));
  SetScrollPos(Handle(), SB_CTL, position, TRUE);
  if (onScroll) onScroll(code, position);
  result = 0;
  return true;
}

void TrackBar::SetPosition(int position) const { SendMessageW(Handle(), TBM_SETPOS, TRUE, position); }

bool TrackBar::Reflected(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return false;
  if (onChange) onChange(static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)));
  result = 0;
  return true;
}

}  // namespace koru
