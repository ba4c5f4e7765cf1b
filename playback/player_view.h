// What the playback core asks of the main window. The main window implements
// it over its controls; the tests record the calls. The core decides every
// text and every enabled state; the view only puts them on the screen.
#pragma once

#include <string>

#include "playback/media_device.h"
#include "playback/play_order.h"

namespace koru {

// What the title panel shows in its one place. The values are [FORM] title's.
enum class TitlePanel { Title = 0, Slider = 1, Volume = 2 };

// frmMovWn and frmMovFl.
enum class MovieWindow { Windowed, FullScreen };

// The transport controls: sbtFunc*, mnuFunc* and mnuTray* items, and their
// twins on the movie windows.
struct TransportState {
  bool play = false;
  bool pause = false;
  bool next = false;
  bool prev = false;
  bool stop = false;
  // The device is paused: mnuFuncSpot, mnuTraySpot and the movie windows'
  // pause items are checked, lblSpotF is pure green (0, 255, 0) instead of
  // lblPlayF's font colour, and frmMovWn's caption is MovieWindowCaption(base,
  // true). mnuWindowMovie is enabled exactly when `pause` is and a movie
  // window exists.
  bool paused = false;
};

// The time sliders count in units of 10 ms.
struct SliderRange {
  int maximum = 0;
  int smallStep = 0;
  int largeStep = 0;
};

class PlayerView {
 public:
  virtual ~PlayerView() = default;

  // lblTitle: its text and its hint, repainted at once.
  virtual void SetTitleLine(const std::string& text) = 0;
  // The window caption and the application's title; the tray tip (already
  // cut to 127 bytes) while the tray icon exists.
  virtual void SetCaption(const std::string& caption, const std::string& trayTip) = 0;
  // lblScreen0: the text, repainted at once; the font size (16 or 18) is
  // changed only when it differs from the label's.
  virtual void SetCounter(const std::string& text, int fontSize) = 0;

  virtual void SetTransport(const TransportState& state) = 0;

  // The main time slider scbTitle and frmMovFl's slider together.
  virtual void EnableTimeSliders(bool enabled) = 0;
  virtual void SetTimeSliderRange(const SliderRange& range) = 0;
  virtual void SetTimeSliderPosition(int position) = 0;

  // Shows one of title line, time slider and volume bar, hides the other two,
  // and sets the checks: mnuWindowPosition and mnuScreenPosition exactly for
  // Slider, mnuWindowVolume and mnuScreenVolume exactly for Volume.
  virtual void ShowTitlePanel(TitlePanel panel) = 0;
  // trbTitle's position and hint.
  virtual void SetVolumeBar(int percent, const std::string& hint) = 0;

  virtual void HideMovieWindows() = 0;
  virtual bool MovieWindowVisible(MovieWindow window) = 0;
  // The panel a movie's picture is routed to.
  virtual DisplayWindow MoviePanel(MovieWindow window) = 0;
  // The window fits itself to the picture (frmMovFl: ResetDisplayRect and
  // LayoutFullScreen; frmMovWn: FitToMovieSize and LayoutMoviePanel), is
  // shown and brought to the front.
  virtual void FitAndShowMovieWindow(MovieWindow window, const DisplayRect& picture) = 0;

  // mnuFuncRepeat, the three order items and mnuFuncSub mirror the order.
  virtual void ShowOrder(const PlayOrder& order) = 0;

  // The list view's rows only (all, or the current entry's): check boxes from
  // the played flags, cell texts. The counter, document view, information
  // panel and title line that follow are PlaybackDisplays::RefreshList's.
  virtual void RefreshListRows(bool full) = 0;
  // Clears the selection, selects and focuses the current row, scrolls it
  // into view.
  virtual void SelectCurrentRow() = 0;
  // ShowDocument (false only clears the view).
  virtual void ShowDocument(bool load) = 0;
  // The information panel of ShowMediaInfo, without its title line.
  virtual void ShowMediaInfoPanel() = 0;
  // The main window's ApplySettings.
  virtual void ApplySettings() = 0;

  // The player is the active application.
  virtual bool ApplicationActive() = 0;
  // Shows the hourglass cursor (true) or puts the previous cursor back.
  virtual void SetHourglass(bool on) = 0;
};

}  // namespace koru
