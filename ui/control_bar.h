// The control bar of the main window (pnlMain), a child window across its
// top: the counter, the title panel with its title line, time slider and
// volume bar, and the speed buttons with their caption labels. It lays out
// design pixels at the screen's DPI, paints its panels and captions, and its
// controls handle their own events. The buttons carry command ids
// (ui/commands.h): their clicks go on to the main window.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "platform/unique_handle_win32.h"
#include "playback/player_view.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace koru {

class ControlBar : public Window {
 public:
  static constexpr wchar_t kClassName[] = L"TpnlMain";
  static constexpr int kDesignHeight = 64;  // Hbar
  static constexpr int kButtonCount = 9;

  // Where the controls' events go.
  struct Events {
    std::function<void()> screen0DblClick;
    std::function<void()> lblTitleDblClick;
    std::function<void(int code, int position)> scbTitleScroll;
    std::function<void(int position)> trbTitleChange;
  };

  ControlBar();
  ~ControlBar() override;

  bool Create(HWND parent, const std::wstring& fontName, Events events);

  int Dpi() const { return dpi_; }
  // Hbar at the screen's DPI.
  int Height() const;
  // Places the items by [BUTTON] order and check; returns the smallest
  // client width at the screen's DPI.
  int Layout(const std::string& order, const std::string& check);
  void SetTextColour(COLORREF colour);
  // [FONT] name for the title line and the buttons' glyphs.
  void SetFontName(const std::wstring& fontName);
  // A view button (IDM_WINDOW_*) drawn down or up.
  void SetViewButtonDown(int command, bool down);

  void SetCounter(const std::wstring& text, int points);
  void SetTitle(const std::wstring& text);
  // The speed button of `command` (ui/commands.h), when the bar has one.
  void EnableCommand(int command, bool enabled);
  void SetPausedMark(bool paused);  // lblSpotF green while paused
  void Show(TitlePanel panel);
  void EnableSlider(bool enabled) { scbTitle_.Enable(enabled); }
  void SetSliderRange(const SliderRange& range) { scbTitle_.SetRange(range.maximum, range.smallStep, range.largeStep); }
  void SetSliderPosition(int position) { scbTitle_.SetPosition(position); }
  void SetVolume(int percent, const std::wstring& hint);

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;
  void Resize(int clientWidth);
  void AddTip(HWND control, const wchar_t* text);
  // The tooltip keeps a pointer to the text: it must live in a member.
  void UpdateTip(HWND control, std::wstring& text);
  int Px(int designPixels) const;
  RECT CaptionArea(int button) const;

  int dpi_;
  Label lblScreen0_;
  Label lblTitle_;
  ScrollBar scbTitle_;
  TrackBar trbTitle_;
  std::array<Control, kButtonCount> buttons_;
  HWND tips_ = nullptr;  // a window of our own, destroyed with the bar
  std::array<int, kButtonCount> buttonLefts_{};  // design pixels
  std::array<bool, kButtonCount> buttonVisible_{};
  RECT screen0_ = {};  // pnlScreen0 at the screen's DPI, empty while hidden
  RECT title_ = {};    // pnlTitle
  int counterPoints_ = 18;
  bool paused_ = false;
  COLORREF textColour_ = RGB(0, 255, 0);
  std::wstring titleText_;
  std::wstring volumeHint_;

  UniqueFont counterFont_;
  UniqueFont titleFont_;
  UniqueFont captionFont_;
  UniqueFont buttonFont_;
  UniqueBrush blackBrush_;
  UniqueBrush greyBrush_;
};

}  // namespace koru
