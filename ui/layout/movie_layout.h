// The arithmetic of the movie windows (TfrmMovWn, TfrmMovFl): where the
// picture's panel goes in a client area, the sizes of 50, 100 and 200 %,
// the full-screen control strip and when it shows, and the windowed
// window's caption. Lengths are screen pixels; the picture's own size is
// never scaled by DPI.
#pragma once

#include <optional>
#include <string>

#include "playback/media_device.h"
#include "ui/layout/design_scale.h"

namespace koru::movie_layout {

// The control strip pnlPlay, in design pixels.
inline constexpr int kStripHeight = 26;
// Its speed buttons: left and width.
inline constexpr Bounds kChangeButton{4, 1, 23, 23};
inline constexpr Bounds kPlayButton{32, 1, 47, 23};
inline constexpr Bounds kSpotButton{80, 1, 23, 23};
inline constexpr Bounds kStopButton{104, 1, 23, 23};
// pnlTitle runs from here to the strip's right edge.
inline constexpr int kTitleLeft = 132;

// Letterbox: the panel keeps the picture's proportions, fills the client
// area's height or width and is centred in the other direction. A client
// area or a picture without a positive size gives the whole client area.
Bounds PanelBounds(int clientWidth, int clientHeight, const DisplayRect& picture);

// The client size of a zoom factor in percent (50, 100, 200): the picture's
// size times the factor, cut to whole pixels. Nothing for a picture without
// a positive size, which leaves the window as it is.
std::optional<Bounds> ZoomedClientSize(const DisplayRect& picture, int percent);

// The strip across the bottom of a full-screen client area (its height
// scaled), or nothing for an empty client area.
std::optional<Bounds> StripBounds(int clientWidth, int clientHeight, int stripHeight);

// Whether the strip is visible after the pointer moved to `y` (in the
// receiving control) on a screen `screenHeight` high: it shows at the last
// pixel row and hides once the pointer is above the strip's band.
bool StripVisibleAfterMove(bool visible, int y, int screenHeight, int stripHeight);

// "<width>x<height> - MEDIA-PLAYER - KORU".
std::string MovieCaption(int clientWidth, int clientHeight);

}  // namespace koru::movie_layout
