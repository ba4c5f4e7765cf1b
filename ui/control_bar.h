// The control bar of the main window (pnlMain): the counter, the title panel
// with its title line, time slider and volume bar, and the speed buttons with
// their caption labels.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "playback/control_bar_layout.h"
#include "playback/player_view.h"
#include "ui/gdi_objects.h"

namespace koru {

class ControlBar {
 public:
  enum Button { kOpen, kPlay, kSpot, kStop, kPrev, kNext, kList, kDoc, kData, kButtonCount };

  static constexpr int kHeight = 64;  // Hbar

  bool Create(HWND parent, HINSTANCE instance, const std::wstring& fontName);

  // Places the items by [BUTTON] order and check; returns the smallest client width.
  int Layout(const std::string& order, const std::string& check);
  // Widths follow the client width.
  void Resize(int clientWidth);
  void SetTextColour(COLORREF colour);

  void Paint(HDC dc, int clientWidth) const;
  // WM_CTLCOLORSTATIC of the counter and the title line: lime on black.
  HBRUSH ColourStatic(HDC dc, HWND control) const;

  void SetCounter(const std::wstring& text, int points);
  void SetTitle(const std::wstring& text);
  void SetButtonEnabled(Button button, bool enabled);
  void SetPausedMark(bool paused);  // lblSpotF green while paused

  void Show(TitlePanel panel);

  HWND Slider() const { return scbTitle_; }
  HWND VolumeBar() const { return trbTitle_; }
  HWND TitleLabel() const { return lblTitle_; }
  HWND Counter() const { return lblScreen0_; }
  bool IsButton(HWND control, Button button) const { return control == buttons_[button]; }
  void SetVolumeHint(const std::wstring& hint);

 private:
  void AddTip(HWND control, const wchar_t* text);
  // The tooltip keeps a pointer to the text: it must live in a member.
  void UpdateTip(HWND control, std::wstring& text);

  HWND parent_ = nullptr;
  HWND lblScreen0_ = nullptr;
  HWND lblTitle_ = nullptr;
  HWND scbTitle_ = nullptr;
  HWND trbTitle_ = nullptr;
  HWND tips_ = nullptr;
  std::array<HWND, kButtonCount> buttons_{};
  std::array<int, kButtonCount> buttonLefts_{};
  std::array<bool, kButtonCount> buttonVisible_{};
  RECT screen0_ = {255, 2, 395, 35};
  RECT title_ = {2, 37, 396, 60};
  int counterPoints_ = 18;
  bool paused_ = false;
  COLORREF textColour_ = RGB(0, 255, 0);
  std::wstring titleText_;   // the tooltip control keeps a pointer to it
  std::wstring volumeHint_;

  UniqueGdiObject counterFont_;
  UniqueGdiObject titleFont_;
  UniqueGdiObject captionFont_;
  UniqueGdiObject buttonFont_;
  UniqueGdiObject blackBrush_{CreateSolidBrush(RGB(0, 0, 0))};
  UniqueGdiObject greyBrush_{CreateSolidBrush(RGB(192, 192, 192))};
};

}  // namespace koru
