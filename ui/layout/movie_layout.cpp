#include "ui/layout/movie_layout.h"

#include "platform/program_title.h"

namespace koru::movie_layout {

Bounds PanelBounds(int clientWidth, int clientHeight, const DisplayRect& picture) {
  // 64 bits: a device may report any width.
  const long long w = static_cast<long long>(picture.right) - picture.left;
  const long long h = static_cast<long long>(picture.bottom) - picture.top;
  if (clientWidth <= 0 || clientHeight <= 0 || w <= 0 || h <= 0) return {0, 0, clientWidth, clientHeight};
  // W / H >= w / h, compared without rounding.
  if (static_cast<long long>(clientWidth) * h >= w * clientHeight) {
    const int width = static_cast<int>(static_cast<double>(w) * (static_cast<double>(clientHeight) / h));
    return {(clientWidth - width) / 2, 0, width, clientHeight};
  }
  const int height = static_cast<int>(static_cast<double>(h) * (static_cast<double>(clientWidth) / w));
  return {0, (clientHeight - height) / 2, clientWidth, height};
}

std::optional<Bounds> ZoomedClientSize(const DisplayRect& picture, int percent) {
  const long long w = static_cast<long long>(picture.right) - picture.left;
  const long long h = static_cast<long long>(picture.bottom) - picture.top;
  if (w <= 0 || h <= 0) return std::nullopt;
  return Bounds{0, 0, static_cast<int>(w * percent / 100), static_cast<int>(h * percent / 100)};
}

std::optional<Bounds> StripBounds(int clientWidth, int clientHeight, int stripHeight) {
  if (clientWidth <= 0 || clientHeight <= 0) return std::nullopt;
  return Bounds{0, clientHeight - stripHeight, clientWidth, stripHeight};
}

bool StripVisibleAfterMove(bool visible, int y, int screenHeight, int stripHeight) {
  if (y >= screenHeight - 1) visible = true;
  if (visible && y < screenHeight - stripHeight) visible = false;
  return visible;
}

std::string MovieCaption(int clientWidth, int clientHeight) {
  return std::to_string(clientWidth) + "x" + std::to_string(clientHeight) + " - " + kProgramTitle;
}

}  // namespace koru::movie_layout
