// The message dialog's placement, label centring and button choice, without
// a window.
#include <gtest/gtest.h>

#include "ui/layout/message_dialog_layout.h"

namespace koru::message_dialog {
namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
// The dialog's outer size: client 301 x 88 plus a frame and a caption.
constexpr int kDialogWidth = 307;
constexpr int kDialogHeight = 117;

Point Place(const Bounds& owner) { return PlaceOnOwner(owner, kDialogWidth, kDialogHeight, kScreenWidth, kScreenHeight); }

TEST(MessageDialogPlacement, CentredOnTheOwner) {
  EXPECT_EQ(Place({100, 100, 400, 300}), (Point{146, 191}));
}

TEST(MessageDialogPlacement, HalvesTruncateTowardsZero) {
  // (100 - 307) / 2 is -103.5: -103, not -104, so the dialog sits one pixel
  // further right than a floor division would put it.
  EXPECT_EQ(Place({500, 500, 100, 30}), (Point{397, 457}));
}

TEST(MessageDialogPlacement, OwnerNearTheLeftEdgeGivesLeftZero) {
  EXPECT_EQ(Place({-50, 200, 200, 300}).x, 0);
  EXPECT_EQ(Place({10, -300, 200, 300}).y, 0);
}

TEST(MessageDialogPlacement, EdgesBeyondTheScreenAreBroughtBack) {
  const Point place = Place({1200, 950, 400, 300});
  EXPECT_EQ(place, (Point{kScreenWidth - kDialogWidth, kScreenHeight - kDialogHeight}));
}

TEST(MessageDialogPlacement, ADialogWiderThanTheScreenEndsAtItsRightEdge) {
  // Negative coordinates are cleared before the far edges are checked.
  EXPECT_EQ(PlaceOnOwner({0, 0, 200, 100}, 500, 100, 400, 300), (Point{-100, 0}));
}

TEST(MessageDialogLabel, ThreeLinesMoveTheLabelUpByHalfTheExtraHeight) {
  EXPECT_EQ(CenteredLabelTop(24, 12, 36), 12);
  EXPECT_EQ(CenteredLabelTop(24, 12, 24), 18);
  EXPECT_EQ(CenteredLabelTop(24, 12, 12), 24);
  // An odd extra height loses its half pixel towards the design top.
  EXPECT_EQ(CenteredLabelTop(24, 12, 37), 12);
}

TEST(MessageDialogLabel, ThreeLinesAtOneAndAHalfTimesTheDesignDpi) {
  const Bounds label = Scaled(kLabelBounds, 144);
  EXPECT_EQ(label.top, 36);
  EXPECT_EQ(label.height, 18);
  EXPECT_EQ(CenteredLabelTop(label.top, label.height, 3 * 18), 18);
}

TEST(MessageDialogIcon, ChosenByTheIconBitsAlone) {
  EXPECT_EQ(ImageIndexFor(0x10), 0);
  EXPECT_EQ(ImageIndexFor(0x24), 1);
  EXPECT_EQ(ImageIndexFor(48), 2);
  EXPECT_EQ(ImageIndexFor(68), 3);
  EXPECT_EQ(ImageIndexFor(0x04), -1);
  EXPECT_EQ(ImageIndexFor(0x50), -1);
  EXPECT_EQ(ImageIndexFor(0x110), 0) << "bits above the icon bits are not the icon's";
}

TEST(MessageDialogButtons, YesNoWithChoiceOneFocusesNoSoEnterAnswersNo) {
  const ButtonSetup setup = ButtonsFor(68, 1);
  EXPECT_TRUE(setup.noFirst);
  EXPECT_EQ(setup.focused, Button::kNo);
  EXPECT_EQ(ResultOf(setup, setup.focused), 7);
  EXPECT_EQ(ResultOf(setup, Button::kYes), 6);
}

TEST(MessageDialogButtons, YesNoWithChoiceZeroFocusesYes) {
  const ButtonSetup setup = ButtonsFor(68, 0);
  EXPECT_FALSE(setup.okShown);
  EXPECT_TRUE(setup.yesShown && setup.noShown);
  EXPECT_FALSE(setup.noFirst);
  EXPECT_EQ(ResultOf(setup, setup.focused), 6);
  EXPECT_EQ(setup.enterResult, 6);
  EXPECT_EQ(setup.escapeResult, 7);
  EXPECT_EQ(setup.yesCaption, "\x82\xCD\x82\xA2(&Y)");
  EXPECT_EQ(setup.noCaption, "\x82\xA2\x82\xA2\x82\xA6(&N)");
}

TEST(MessageDialogButtons, OkAnswersOneToEnterAndEscape) {
  for (int choice : {0, 1}) {
    const ButtonSetup setup = ButtonsFor(48, choice);
    EXPECT_TRUE(setup.okShown);
    EXPECT_FALSE(setup.yesShown || setup.noShown);
    EXPECT_EQ(setup.focused, Button::kOk) << "a hidden No button cannot take the focus";
    EXPECT_EQ(setup.enterResult, 1);
    EXPECT_EQ(setup.escapeResult, 1);
    EXPECT_EQ(ResultOf(setup, Button::kNo), 0);
  }
}

TEST(MessageDialogButtons, OkCancelBorrowsTheYesAndNoButtons) {
  const ButtonSetup setup = ButtonsFor(0x31, 0);
  EXPECT_FALSE(setup.okShown);
  EXPECT_EQ(setup.yesCaption, "OK");
  EXPECT_EQ(setup.noCaption, "\xB7\xAC\xDD\xBE\xD9");  // halfwidth ｷｬﾝｾﾙ
  EXPECT_EQ(ResultOf(setup, Button::kYes), 1);
  EXPECT_EQ(ResultOf(setup, Button::kNo), 7);
  EXPECT_EQ(setup.escapeResult, 7);
}

TEST(MessageDialogButtons, OtherButtonKindsShowNone) {
  for (int flags : {0x02, 0x03, 0x05, 0x4F}) {
    const ButtonSetup setup = ButtonsFor(flags, 1);
    EXPECT_FALSE(setup.okShown || setup.yesShown || setup.noShown) << flags;
    EXPECT_EQ(setup.focused, Button::kNone) << flags;
    EXPECT_EQ(setup.enterResult, 0) << flags;
    EXPECT_EQ(setup.escapeResult, 0) << flags;
  }
}

}  // namespace
}  // namespace koru::message_dialog
