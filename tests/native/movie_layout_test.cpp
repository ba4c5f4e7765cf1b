// The movie windows' arithmetic: letterbox, zoom sizes, the control strip
// and its auto-hide band, the caption.
#include <gtest/gtest.h>

#include "ui/layout/movie_layout.h"

namespace koru::movie_layout {
namespace {

constexpr DisplayRect k320x240{0, 0, 320, 240};

TEST(MovieLayoutTest, ThePanelKeepsThePicturesProportionsCentredInTheClientArea) {
  const struct {
    int width, height;
    DisplayRect picture;
    Bounds panel;
  } cases[] = {
      {800, 400, k320x240, {133, 0, 533, 400}},   // wider than the picture: full height
      {400, 600, k320x240, {0, 150, 400, 300}},   // higher: full width
      {640, 480, k320x240, {0, 0, 640, 480}},     // same proportions
      {321, 240, {10, 20, 330, 260}, {0, 0, 320, 240}},  // an offset picture; a pixel left over
      {800, 400, {0, 0, 0, 240}, {0, 0, 800, 400}},      // no picture width
      {800, 400, {0, 0, 320, -1}, {0, 0, 800, 400}},     // negative picture height
      {0, 400, k320x240, {0, 0, 0, 400}},                // empty client area
      {800, 0, k320x240, {0, 0, 800, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PanelBounds(c.width, c.height, c.picture), c.panel) << c.width << "x" << c.height;
  }
}

TEST(MovieLayoutTest, ZoomSizesAreThePictureTimesTheFactorCutToWholePixels) {
  const DisplayRect odd{0, 0, 321, 241};
  EXPECT_EQ(ZoomedClientSize(odd, 50), (Bounds{0, 0, 160, 120}));
  EXPECT_EQ(ZoomedClientSize(odd, 100), (Bounds{0, 0, 321, 241}));
  EXPECT_EQ(ZoomedClientSize(odd, 200), (Bounds{0, 0, 642, 482}));
  EXPECT_EQ(ZoomedClientSize({0, 0, 0, 240}, 100), std::nullopt);
  EXPECT_EQ(ZoomedClientSize({5, 5, 320, 0}, 200), std::nullopt);
}

TEST(MovieLayoutTest, TheStripLiesAcrossTheBottomOfANonEmptyClientArea) {
  EXPECT_EQ(StripBounds(1280, 1024, 26), (Bounds{0, 998, 1280, 26}));
  EXPECT_EQ(StripBounds(1280, 1024, 39), (Bounds{0, 985, 1280, 39}));
  EXPECT_EQ(StripBounds(0, 1024, 26), std::nullopt);
  EXPECT_EQ(StripBounds(1280, 0, 26), std::nullopt);
}

TEST(MovieLayoutTest, TheStripShowsAtTheLastRowAndHidesAboveItsBand) {
  constexpr int S = 1024;
  const struct {
    bool visible;
    int y;
    bool after;
  } cases[] = {
      {false, S - 1, true},  {false, S, true},       {false, S - 2, false}, {true, S - 26, true},
      {true, S - 27, false}, {true, S - 2, true},    {false, 0, false},     {true, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StripVisibleAfterMove(c.visible, c.y, S, kStripHeight), c.after) << c.visible << " " << c.y;
  }
}

TEST(MovieLayoutTest, TheCaptionNamesTheClientSize) {
  EXPECT_EQ(MovieCaption(320, 240), "320x240 - MEDIA-PLAYER - KORU");
  EXPECT_EQ(MovieCaption(1280, 1024), "1280x1024 - MEDIA-PLAYER - KORU");
}

}  // namespace
}  // namespace koru::movie_layout
