#include "ui/layout/main_window_layout.h"

#include <gtest/gtest.h>

namespace koru::main_window {
namespace {

TEST(CorrectedClientSize, BarOnlyWithoutAViewAndNeverBelowTheButtons) {
  struct Case {
    Size proposed;
    bool viewShown;
    std::optional<Size> corrected;
  };
  const Case cases[] = {
      {{400, 300}, true, std::nullopt},
      {{400, 300}, false, Size{400, 64}},  // dragging the lower edge leaves the bar alone
      {{400, 64}, false, std::nullopt},
      {{100, 30}, true, Size{149, 64}},
      {{100, 200}, true, Size{149, 200}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CorrectedClientSize(c.proposed, 149, c.viewShown, 96), c.corrected)
        << c.proposed.width << "x" << c.proposed.height;
  }
  EXPECT_EQ(CorrectedClientSize({400, 90}, 224, false, 144), (Size{400, 96}));
}

TEST(LayoutViewArea, DesignSizeAndTheInformationUnderTheList) {
  const ViewAreaLayout design = LayoutViewArea({400, 256}, false, 96);
  EXPECT_EQ(design.listTop, 64);
  EXPECT_EQ(design.dataTop, 64);
  EXPECT_EQ(design.listHeight, 190);
  EXPECT_EQ(design.dataHeight, 190);
  EXPECT_EQ(design.documentHeight, 190);
  EXPECT_EQ(design.imageHeight, 184);
  EXPECT_EQ(design.viewWidth, 394);
  EXPECT_EQ(design.imageWidth, 388);
  EXPECT_EQ(design.titleWidth, 390);
  EXPECT_EQ(design.valueWidth, 305);

  const ViewAreaLayout shared = LayoutViewArea({500, 301}, true, 96);  // A = 235
  EXPECT_EQ(shared.listHeight, 117);
  EXPECT_EQ(shared.dataHeight, 117);
  EXPECT_EQ(shared.dataTop, 64 + 117);
  EXPECT_EQ(shared.imageHeight, 114);
  EXPECT_EQ(shared.documentHeight, 235);
}

TEST(LayoutViewArea, NoRoomAppliesNothing) {
  const ViewAreaLayout bar = LayoutViewArea({90, 64}, false, 96);
  EXPECT_FALSE(bar.listHeight || bar.dataHeight || bar.documentHeight || bar.imageHeight);
  EXPECT_EQ(bar.viewWidth, 84);
  EXPECT_EQ(bar.titleWidth, 80);
  EXPECT_FALSE(bar.valueWidth) << "CW - 95 is not positive";
  EXPECT_FALSE(LayoutViewArea({6, 64}, false, 96).viewWidth);
}

TEST(LayoutViewArea, ScalesWithTheDpi) {
  const ViewAreaLayout layout = LayoutViewArea({600, 384}, false, 144);
  EXPECT_EQ(layout.listTop, 96);
  EXPECT_EQ(layout.listHeight, 285);
  EXPECT_EQ(layout.viewWidth, 591);
  EXPECT_EQ(layout.valueWidth, 600 - 143);  // 95 design pixels, rounded
}

TEST(HeightForViewMode, ExpandedHeightSurvivesNoView) {
  EXPECT_EQ(HeightForViewMode(false, 300, std::nullopt, 96).clientHeight, 64);
  EXPECT_EQ(HeightForViewMode(false, 300, std::nullopt, 96).expandedClientHeight, 300);
  EXPECT_EQ(HeightForViewMode(true, 300, std::nullopt, 96).clientHeight, 300);
  const ViewModeHeight reset = HeightForViewMode(true, 64, std::nullopt, 96);
  EXPECT_EQ(reset.clientHeight, 256) << "a height saved with only the bar shown comes back as H0";
  EXPECT_EQ(reset.expandedClientHeight, 256);
  EXPECT_EQ(HeightForViewMode(true, 300, 700, 96).clientHeight, 700);
}

TEST(FitToPicture, NaturalStretchedDoubledAndBounded) {
  const Size screen{1280, 1000};
  EXPECT_EQ(FitToPicture({200, 100}, {388, 184}, false, false, screen, 96), (PictureFit{212, 172}));
  EXPECT_EQ(FitToPicture({200, 100}, {388, 184}, false, true, screen, 96), (PictureFit{212, 272}));
  // Stretched by the larger factor: 388/200 = 1.94 against 184/100 = 1.84, so 388 x 194.
  EXPECT_EQ(FitToPicture({200, 100}, {388, 184}, true, false, screen, 96), (PictureFit{400, 266}));
  EXPECT_EQ(FitToPicture({20, 10}, {388, 184}, true, false, screen, 96), (PictureFit{400, 266}));
  // 100 / 10 tall: 388 / 10 beats 184 / 100, so 388 x 3880, held to the screen.
  EXPECT_EQ(FitToPicture({10, 100}, {388, 184}, true, false, screen, 96), (PictureFit{400, 1000}));
  EXPECT_EQ(FitToPicture({100, 10}, {388, 184}, true, false, screen, 96), (PictureFit{1280, 256}));
  EXPECT_EQ(FitToPicture({5000, 4000}, {388, 184}, false, false, screen, 96), (PictureFit{1280, 1000}));
  EXPECT_EQ(FitToPicture({1, 1}, {388, 184}, true, false, screen, 96), (PictureFit{400, 460}));
  EXPECT_EQ(FitToPicture({0, 10}, {388, 184}, false, false, screen, 96), std::nullopt);
  EXPECT_EQ(FitToPicture({10, 10}, {0, 184}, true, false, screen, 96), std::nullopt);
}

TEST(MovedOnto, KeepsTheSizeAndComesInsideTheWorkArea) {
  const Bounds work{0, 0, 1280, 1000};
  EXPECT_EQ(MovedOnto({3000, 2000, 400, 300}, work), (Bounds{880, 700, 400, 300}));
  EXPECT_EQ(MovedOnto({-900, -50, 400, 300}, work), (Bounds{0, 0, 400, 300}));
  EXPECT_EQ(MovedOnto({100, 100, 2000, 300}, work), (Bounds{0, 100, 2000, 300})) << "the top-left corner stays inside";
  EXPECT_EQ(MovedOnto({-3000, 50, 400, 300}, {-1280, 0, 1280, 1000}), (Bounds{-1280, 50, 400, 300}));
}

}  // namespace
}  // namespace koru::main_window
