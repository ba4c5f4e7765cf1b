// The movie windows: TfrmMovWn, an ordinary sizeable window, and TfrmMovFl,
// a borderless window over the whole monitor with a control strip that shows
// when the pointer touches the bottom row. Each lends the media device its
// panel pnlMovie to draw the picture into; the device draws into one of them
// at a time, and the user switches between them. Both are created hidden
// with the main window and live as long as it does; closing one only hides
// it.
#pragma once

#include <windows.h>

#include <functional>

#include "playback/media_device.h"
#include "playback/player_view.h"
#include "platform/unique_handle_win32.h"
#include "ui/controls.h"
#include "ui/layout/design_scale.h"
#include "ui/window.h"

namespace koru {

// What the movie windows need of the player.
struct MovieWindowContext {
  MediaDevice& device;
  // The picture's own size, as the device reported it at the last open.
  std::function<DisplayRect()> picture;
  // The full-screen time slider's scroll events: the SB_ code and position.
  std::function<void(int code, int position)> sliderScroll;
};

// pnlMovie: the black panel the picture is drawn into.
class MoviePanel : public Window {
 public:
  static constexpr wchar_t kClassName[] = L"TfrmMovPanel";

  std::function<void(HDC dc)> onPaint;
  std::function<void(int y)> onMouseMove;
  std::function<void()> onDoubleClick;

  bool Create(HWND parent);
  void Place(const Bounds& bounds) const;

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TfrmMovFl;

// What both windows share: the panel, the pop-up menu, the shortcut table,
// the re-entrance flag and the commands that go to the main window.
class MovieWindowBase : public Window {
 public:
  // Creates the hidden window, owned by `mainWindow`, which gets the play,
  // pause and stop commands and the dropped files.
  virtual bool Create(HINSTANCE instance, HWND mainWindow) = 0;

  bool Exists() const { return Handle() != nullptr; }
  bool Visible() const { return Handle() && IsWindowVisible(Handle()); }
  HWND Panel() const { return pnlMovie_.Handle(); }
  void Hide() const;
  // The play, pause and stop items (and what else a window shows of them).
  virtual void SetTransport(const TransportState& state);
  // The window's shortcuts for a message meant for it or one of its
  // controls; true when one was run.
  bool TranslateShortcut(MSG& message) const;

 protected:
  explicit MovieWindowBase(MovieWindowContext context) : context_(std::move(context)) {}

  // Creates the panel and loads the menu and shortcuts (FormCreate's share).
  bool CreateParts(HINSTANCE instance, HWND mainWindow, int menuId, int shortcutsId);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void RunCommand(int command);
  virtual void FormResize() = 0;
  virtual void FormDblClick() = 0;
  // The device draws into the panel at `bounds`: (0, 0, width, height) of it.
  void PlacePanel(const Bounds& bounds);
  void HandDisplayRect(int width, int height) const;
  int ClientWidth() const;
  int ClientHeight() const;
  int Px(int designPixels) const { return Scaled(designPixels, dpi_); }

  MovieWindowContext context_;
  HWND mainWindow_ = nullptr;
  MoviePanel pnlMovie_;
  UniqueMenu pumMovie_;
  HACCEL shortcuts_ = nullptr;  // a resource of the module: never destroyed
  // Set while the window changes its own size: its layout does nothing.
  bool resizing_ = false;
  int dpi_ = kDesignDpi;

 private:
  void FormDestroy();
  void CloseClick() const { Hide(); }
};

// frmMovWn.
class TfrmMovWn : public MovieWindowBase {
 public:
  static constexpr wchar_t kClassName[] = L"TfrmMovWn";

  TfrmMovWn(MovieWindowContext context, TfrmMovFl& fullScreen)
      : MovieWindowBase(std::move(context)), frmMovFl_(fullScreen) {}
  ~TfrmMovWn() override { Destroy(); }

  bool Create(HINSTANCE instance, HWND mainWindow) override;
  void SetTransport(const TransportState& state) override;

  // Client size = the picture's size (a picture without a positive size
  // leaves it alone).
  void FitToMovieSize();
  // The letterbox layout; nothing while the window sizes itself.
  void LayoutMoviePanel();
  void Movie050Click() { Zoom(50); }
  void Movie100Click() { Zoom(100); }
  void Movie200Click() { Zoom(200); }
  void SwitchToFullScreen();
  // Shows the window in its normal state.
  void ShowNormal() const;

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void RunCommand(int command) override;
  void FormResize() override;
  void FormDblClick() override { SwitchToFullScreen(); }

 private:
  void Zoom(int percent);
  void SetClientSize(int width, int height);
  void UpdateCaption() const;

  TfrmMovFl& frmMovFl_;
  bool paused_ = false;
};

// frmMovFl.
class TfrmMovFl : public MovieWindowBase {
 public:
  static constexpr wchar_t kClassName[] = L"TfrmMovFl";
  static constexpr wchar_t kStripClassName[] = L"TfrmMovFlStrip";

  TfrmMovFl(MovieWindowContext context, TfrmMovWn& windowed)
      : MovieWindowBase(std::move(context)), frmMovWn_(windowed) {}
  ~TfrmMovFl() override { Destroy(); }

  bool Create(HINSTANCE instance, HWND mainWindow) override;
  void SetTransport(const TransportState& state) override;

  // Shows the window maximised over `monitor` (also where no window manager
  // maximises it).
  void ShowOn(HMONITOR monitor);
  // The device's display rectangle = the whole client area.
  void ResetDisplayRect();
  // The letterbox layout and the control strip's place.
  void LayoutFullScreen();
  void SwitchToWindow();

  // The time slider scbTitle.
  void EnableSlider(bool enabled) const { scbTitle_.Enable(enabled); }
  void SetSliderRange(int maximum, int smallStep, int largeStep) { scbTitle_.SetRange(maximum, smallStep, largeStep); }
  void SetSliderPosition(int position) const { scbTitle_.SetPosition(position); }
  bool StripShown() const { return pnlPlay_.Handle() && IsWindowVisible(pnlPlay_.Handle()); }
  HWND StripWindow() const { return pnlPlay_.Handle(); }

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void RunCommand(int command) override;
  void FormResize() override { LayoutFullScreen(); }
  void FormDblClick() override { SwitchToWindow(); }

 private:
  // pnlPlay: hands its buttons' commands to the window.
  class StripPanel : public Window {
   public:
    explicit StripPanel(TfrmMovFl& owner) : owner_(owner) {}
    bool Create(HWND parent);

   protected:
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    TfrmMovFl& owner_;
  };

  void FormPaint(HWND hwnd);
  void FormMouseMove(int y);
  void pnlMovieMouseMove(int y);
  void StripFollowsPointer(int y, bool overPanel);
  void CreateStrip();
  int ScreenHeight() const;

  TfrmMovWn& frmMovWn_;
  StripPanel pnlPlay_{*this};
  Control sbtMovieChange_;
  Control sbtFuncPlay_;
  Control sbtFuncSpot_;
  Control sbtFuncStop_;
  ScrollBar scbTitle_;
  HWND hints_ = nullptr;  // a child of the window: goes with it
  RECT monitor_ = {};
};

}  // namespace koru
