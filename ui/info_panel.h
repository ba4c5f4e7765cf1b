// pnlData, the media information panel: the captions lblItem0 to lblItem6,
// the values lblStat1 to lblStat6 with their hints, the title box edtStat2
// over lblStat2, and the picture imgPanel beneath them. A child window of
// the main window; what it shows is decided by ShowMediaInfo.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "platform/unique_handle_win32.h"
#include "playback/list_view_texts.h"
#include "ui/controls.h"
#include "ui/picture_file.h"
#include "ui/window.h"

namespace koru {

// imgPanel: draws its picture at the natural size from the top left,
// centred, or stretched over the whole control.
class PicturePane : public Window {
 public:
  static constexpr wchar_t kClassName[] = L"TimgPanel";

  std::function<void()> onDoubleClick;

  bool Create(HWND parent);
  void SetPicture(PictureBitmap picture);
  void ClearPicture();
  bool HasPicture() const { return static_cast<bool>(picture_.bitmap); }
  int PictureWidth() const { return picture_.width; }
  int PictureHeight() const { return picture_.height; }
  void SetPlacement(bool centre, bool stretch);

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;

  PictureBitmap picture_;
  bool centre_ = false;
  bool stretch_ = false;
};

// edtStat2: reports when it takes and loses the focus.
class TitleBox : public Control {
 public:
  std::function<void()> onEnter;  // edtStat2Enter
  std::function<void()> onExit;   // edtStat2Exit

  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class InfoPanel : public Window {
 public:
  static constexpr wchar_t kClassName[] = L"TpnlData";

  struct Events {
    std::function<void()> doubleClick;  // the panel, the picture and every label: mnuImageClick
    std::function<void()> titleEnter;
    std::function<void()> titleExit;
  };

  InfoPanel();
  ~InfoPanel() override;

  bool Create(HWND parent, int dpi, Events events);
  void SetFontName(const std::wstring& face);
  void SetColour(COLORREF colour);
  // The sizes FormResize gives: the value labels' width and the picture's.
  void Resize(std::optional<int> valueWidth, std::optional<int> imageWidth, std::optional<int> imageHeight);

  void Show(const InfoPanelTexts& texts);
  // The title box's text, code page 932 (characters it cannot hold as "?").
  std::string TitleText() const;
  void FocusTitle();
  void SelectAllTitle();
  bool TitleFocused() const;

  PicturePane& Picture() { return imgPanel_; }

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetHint(int stat, const std::wstring& text);
  int Px(int designPixels) const;

  int dpi_ = 96;
  Events events_;
  std::array<Label, 7> items_;  // lblItem0 .. 6
  std::array<Label, 7> stats_;  // lblStat1 .. 6 at 1 .. 6
  TitleBox edtStat2_;
  PicturePane imgPanel_;
  HWND tips_ = nullptr;
  std::array<std::wstring, 7> hints_;
  COLORREF colour_ = RGB(0x00, 0x80, 0x00);
  UniqueBrush background_;
  UniqueFont font_;
  UniqueFont boldFont_;
};

}  // namespace koru
