#include "ui/layout/main_window_layout.h"

#include <algorithm>

namespace koru::main_window {
namespace {

// Room the image control leaves inside pnlData, each way.
constexpr int kImageMargin = kDataWidth - kImageBounds.width;  // 6
// The client area around the image control: W0 - (Wd - 6), H0 - (Hd - 6).
constexpr int kAroundImageWidth = kDesignClientWidth - (kDataWidth - kImageMargin);     // 12
constexpr int kAroundImageHeight = kDesignClientHeight - (kDataHeight - kImageMargin);  // 72

std::optional<int> IfPositive(int length) { return length > 0 ? std::optional<int>(length) : std::nullopt; }

}  // namespace

std::optional<Size> CorrectedClientSize(Size proposed, int minClientWidth, bool viewShown, int dpi) {
  const int bar = Scaled(kBarHeight, dpi);
  Size corrected = proposed;
  corrected.width = std::max(corrected.width, minClientWidth);
  corrected.height = viewShown ? std::max(corrected.height, bar) : bar;
  if (corrected == proposed) return std::nullopt;
  return corrected;
}

ViewAreaLayout LayoutViewArea(Size client, bool infoUnderList, int dpi) {
  ViewAreaLayout layout;
  layout.listTop = Scaled(kViewBounds.top, dpi);
  const int available = client.height - Scaled(kDesignClientHeight - kDataHeight, dpi);  // A
  const int margin = Scaled(kImageMargin, dpi);
  if (infoUnderList) {
    layout.dataTop = layout.listTop + available / 2;
    if (available > 0) {
      layout.listHeight = available / 2;
      layout.dataHeight = available / 2;
      layout.imageHeight = std::max(0, (available - margin) / 2);
    }
  } else {
    layout.dataTop = layout.listTop;
    if (available > 0) {
      layout.listHeight = available;
      layout.dataHeight = available;
      layout.imageHeight = std::max(0, available - margin);
    }
  }
  if (available > 0) layout.documentHeight = available;
  const int view = client.width - Scaled(kDesignClientWidth - kDataWidth, dpi);  // V
  if (view > 0) {
    layout.viewWidth = view;
    layout.imageWidth = std::max(0, view - margin);
  }
  layout.titleWidth = IfPositive(client.width - Scaled(kDesignClientWidth - kTitleWidth, dpi));
  layout.valueWidth = IfPositive(client.width - Scaled(kDataWidth - kValueWidth + kDesignClientWidth - kDataWidth, dpi));
  return layout;
}

ViewModeHeight HeightForViewMode(bool viewShown, int expandedClientHeight, std::optional<int> maximisedHeight,
                                 int dpi) {
  const int bar = Scaled(kBarHeight, dpi);
  if (!viewShown) return {bar, expandedClientHeight};
  if (expandedClientHeight == bar) expandedClientHeight = Scaled(kDesignClientHeight, dpi);
  return {maximisedHeight ? *maximisedHeight : expandedClientHeight, expandedClientHeight};
}

std::optional<PictureFit> FitToPicture(Size picture, Size imageControl, bool stretch, bool infoUnderList,
                                       Size largestClient, int dpi) {
  if (picture.width < 1 || picture.height < 1) return std::nullopt;
  long long targetWidth = picture.width;
  long long targetHeight = picture.height;
  if (stretch) {
    if (imageControl.width < 1 || imageControl.height < 1) return std::nullopt;
    // Scaled by the larger factor (Iw / Pw against Ih / Ph, compared and
    // applied as exact fractions); the window grows the other way.
    if (static_cast<long long>(imageControl.width) * picture.height >
        static_cast<long long>(imageControl.height) * picture.width) {
      targetWidth = imageControl.width;
      targetHeight = static_cast<long long>(picture.height) * imageControl.width / picture.width;
    } else {
      targetWidth = static_cast<long long>(picture.width) * imageControl.height / picture.height;
      targetHeight = imageControl.height;
    }
  }
  const long long height = infoUnderList ? 2 * targetHeight : targetHeight;
  const long long width = targetWidth + Scaled(kAroundImageWidth, dpi);
  const long long expanded = height + Scaled(kAroundImageHeight, dpi);
  return PictureFit{static_cast<int>(std::clamp<long long>(width, 1, std::max(1, largestClient.width))),
                    static_cast<int>(std::clamp<long long>(expanded, 1, std::max(1, largestClient.height)))};
}

Bounds MovedOnto(const Bounds& window, const Bounds& workArea) {
  Bounds moved = window;
  const int right = workArea.left + workArea.width;
  const int bottom = workArea.top + workArea.height;
  moved.left = std::max(workArea.left, std::min(window.left, right - window.width));
  moved.top = std::max(workArea.top, std::min(window.top, bottom - window.height));
  return moved;
}

}  // namespace koru::main_window
