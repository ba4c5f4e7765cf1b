#include "ui/layout/design_scale.h"

namespace koru {

int Scaled(int designPixels, int dpi) {
  const long long product = static_cast<long long>(designPixels) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : (product - half) / kDesignDpi);
}

Bounds Scaled(const Bounds& design, int dpi) {
  return {Scaled(design.left, dpi), Scaled(design.top, dpi), Scaled(design.width, dpi), Scaled(design.height, dpi)};
}

}  // namespace koru
