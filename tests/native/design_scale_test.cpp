// Design pixels at the screen's DPI.
#include <gtest/gtest.h>

#include "ui/layout/design_scale.h"

namespace koru {
namespace {

TEST(DesignScale, RoundsToTheNearestPixel) {
  EXPECT_EQ(Scaled(301, 96), 301);
  EXPECT_EQ(Scaled(301, 144), 452);  // 451.5
  EXPECT_EQ(Scaled(301, 120), 376);  // 376.25
}

}  // namespace
}  // namespace koru
