// Every window is laid out in design pixels, the sizes its form was drawn in
// at 96 DPI, and scaled to the DPI of the screen it shows on.
#pragma once

namespace koru {

inline constexpr int kDesignDpi = 96;

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

// A design length at `dpi`, rounded to the nearest pixel as MulDiv rounds.
int Scaled(int designPixels, int dpi);
Bounds Scaled(const Bounds& design, int dpi);

}  // namespace koru
