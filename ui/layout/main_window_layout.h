// The sizing arithmetic of the main window (TfrmMain): the design metrics,
// the sizes a resize may take, where the views go when the client area
// changes, the height a view mode gives, fitting the window to a picture
// and keeping restored bounds on a screen. Lengths are screen pixels; the
// design values are scaled by `dpi`.
#pragma once

#include <optional>

#include "ui/layout/design_scale.h"

namespace koru::main_window {

// designMetrics, in design pixels.
inline constexpr int kDesignClientWidth = 400;   // W0, the width of pnlMain
inline constexpr int kDesignClientHeight = 256;  // H0, the bottom of pnlExtend
inline constexpr int kBarHeight = 64;            // Hbar, the height of pnlMain
inline constexpr int kDataWidth = 394;           // Wd
inline constexpr int kDataHeight = 190;          // Hd
inline constexpr int kTitleWidth = 390;          // Wt
inline constexpr int kValueWidth = 305;          // Wv, the width of lblStat1
inline constexpr int kFirstButtonLeft = 4;       // X0
inline constexpr int kGroupGap = 5;              // G
inline constexpr int kViewListLeft = 180;        // the design left of sbtWindowList, the first minClientWidth
// lsvList, mmoDoc and pnlData; imgPanel inside pnlData.
inline constexpr Bounds kViewBounds{2, 64, 394, 190};
inline constexpr Bounds kImageBounds{2, 2, 388, 182};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// FormCanResize: the client size a proposed one is corrected to (no
// narrower than minClientWidth; with a view, no lower than the bar;
// without, exactly the bar), or nothing when it needs no correction.
std::optional<Size> CorrectedClientSize(Size proposed, int minClientWidth, bool viewShown, int dpi);

// FormResize: the sizes the views take in a client area. A length is
// given only when the rule applies it (a positive room).
struct ViewAreaLayout {
  int listTop = 0;
  int dataTop = 0;
  std::optional<int> listHeight;      // lsvList
  std::optional<int> dataHeight;      // pnlData
  std::optional<int> documentHeight;  // mmoDoc
  std::optional<int> imageHeight;     // imgPanel
  std::optional<int> viewWidth;       // lsvList, mmoDoc, pnlData
  std::optional<int> imageWidth;
  std::optional<int> titleWidth;  // lblTitle, scbTitle, trbTitle
  std::optional<int> valueWidth;  // lblStat1..6, edtStat2
};
// With `infoUnderList` ([IMAGE] list 1) the list and the data panel share
// the view area's height, the panel below.
ViewAreaLayout LayoutViewArea(Size client, bool infoUnderList, int dpi);

// UpdateViewMode: the client height for the view mode, and
// expandedClientHeight after it. `maximisedHeight` is the client height a
// maximised window has (desktop height less the frame), when it is
// maximised.
struct ViewModeHeight {
  int clientHeight = 0;
  int expandedClientHeight = 0;
};
ViewModeHeight HeightForViewMode(bool viewShown, int expandedClientHeight, std::optional<int> maximisedHeight,
                                 int dpi);

// Fitting the window to the image's picture: the client width and
// expandedClientHeight that show the picture at its natural size (with
// `stretch`, scaled by the larger of the image control's factors), twice
// as high when the information shares the view with the list, and never
// beyond `largestClient` (the monitor's work area less the frame).
// Nothing for a picture or an image control smaller than 1 x 1.
struct PictureFit {
  int clientWidth = 0;
  int expandedClientHeight = 0;
  friend bool operator==(const PictureFit&, const PictureFit&) = default;
};
std::optional<PictureFit> FitToPicture(Size picture, Size imageControl, bool stretch, bool infoUnderList,
                                       Size largestClient, int dpi);

// Restored [FORM] bounds that lie on no monitor, moved onto the work area
// of the nearest one: as far as needed to lie inside it, the top-left
// corner kept inside when the window is larger.
Bounds MovedOnto(const Bounds& window, const Bounds& workArea);

}  // namespace koru::main_window
