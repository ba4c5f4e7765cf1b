// The master volume through mixer device 0. Under Wine the harness's sound
// server provides the mixer.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "playback/mixer_volume_win32.h"

namespace koru {
namespace {

// Puts the volume back as it was found, whatever the test did.
class VolumeRestorer {
 public:
  VolumeRestorer() { original_ = MixerVolume().ReadPercent(); }
  ~VolumeRestorer() {
    if (original_) MixerVolume().WritePercent(*original_);
  }
  std::optional<int> Original() const { return original_; }

 private:
  std::optional<int> original_;
};

TEST(MixerVolume, OpensMixerZeroAndKeepsTheHandle) {
  MixerVolume mixer;
  EXPECT_EQ(mixer.Handle(), nullptr);
  ASSERT_TRUE(mixer.Open()) << "no mixer device";
  const HMIXER held = mixer.Handle();
  ASSERT_NE(held, nullptr);
  UINT device = 99;
  ASSERT_EQ(::mixerGetID(reinterpret_cast<HMIXEROBJ>(held), &device, MIXER_OBJECTF_HMIXER), MMSYSERR_NOERROR);
  EXPECT_EQ(device, 0u) << "mixer device 0";
  EXPECT_TRUE(mixer.Open());
  EXPECT_EQ(mixer.Handle(), held) << "a second open keeps the handle it holds";
  mixer.Close();
  EXPECT_EQ(mixer.Handle(), nullptr);
  mixer.Close();
  EXPECT_TRUE(mixer.Open());
  EXPECT_NE(mixer.Handle(), nullptr);
}

TEST(MixerVolume, WrittenPercentReadsBack) {
  VolumeRestorer restorer;
  ASSERT_TRUE(restorer.Original().has_value());
  EXPECT_GE(*restorer.Original(), 0);
  EXPECT_LE(*restorer.Original(), 100);

  MixerVolume mixer;
  ASSERT_TRUE(mixer.Open());
  for (const int percent : {37, 0, 100, 50, 1}) {
    EXPECT_TRUE(mixer.WritePercent(percent));
    EXPECT_EQ(mixer.ReadPercent(), percent);
  }
  // Another instance sees what this one wrote: it is the system's volume.
  EXPECT_TRUE(mixer.WritePercent(63));
  EXPECT_EQ(MixerVolume().ReadPercent(), 63);
}

TEST(MixerVolume, ControlIsLookedUpOnFirstUseAndForgottenOnClose) {
  MixerVolume mixer;
  EXPECT_FALSE(mixer.ControlRange().has_value());
  // Reading opens the mixer by itself.
  ASSERT_TRUE(mixer.ReadPercent().has_value());
  const std::optional<VolumeRange> range = mixer.ControlRange();
  ASSERT_TRUE(range.has_value());
  EXPECT_LT(range->minimum, range->maximum);
  mixer.Close();
  EXPECT_FALSE(mixer.ControlRange().has_value());
  // A read after close opens and looks up again.
  EXPECT_TRUE(mixer.ReadPercent().has_value());
  EXPECT_TRUE(mixer.ControlRange().has_value());
}

}  // namespace
}  // namespace koru
