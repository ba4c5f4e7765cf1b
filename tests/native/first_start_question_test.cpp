// The first start's association question: once per run, only before a
// window position was ever saved, and Yes associates the main media types.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "desktop/first_start_question.h"
#include "platform/cp932.h"
#include "support/fake_file_system.h"
#include "support/playback_fakes.h"
#include "support/recording_associator.h"

namespace koru {
namespace {

// Answers, and can activate the window again while the question is open.
class ReenteringDialogs : public testing::FakeDialogs {
 public:
  std::function<void()> whileOpen;
  int ShowMessageDialog(std::string_view text, int flag, bool noAsDefault) override {
    noDefaults.push_back(noAsDefault);
    if (whileOpen) whileOpen();
    return FakeDialogs::ShowMessageDialog(text, flag, noAsDefault);
  }
  std::vector<bool> noDefaults;
};

class FirstStartQuestionTest : public ::testing::Test {
 protected:
  void Activate() { question.FormActivate(settings, dialogs, associator, "C:\\KORU\\KORU.exe"); }

  testing::FakeFileSystem files;
  Settings settings{files, "C:\\KORU\\", SystemVersion{5, 1, 2600, 2}};
  ReenteringDialogs dialogs;
  testing::RecordingAssociator associator;
  FirstStartQuestion question;
};

TEST_F(FirstStartQuestionTest, YesOnTheFirstStartAssociatesOnceAndAsksNoMore) {
  dialogs.whileOpen = [this] { Activate(); };  // the dialog's closing activates the window again
  Activate();
  Activate();
  EXPECT_EQ(dialogs.asked, std::vector<std::string>{cp932::FromUtf8(
                               u8"主なﾒﾃﾞｨｱﾌｧｲﾙをKORUに関連付けしますか？\n※後から詳細設定より手動で行う事もできます。")});
  EXPECT_EQ(dialogs.flags, std::vector<int>{68});
  EXPECT_EQ(dialogs.noDefaults, std::vector<bool>{true});
  EXPECT_TRUE(associator.AssociatedAny());
  EXPECT_EQ(associator.Changes(), 1);
}

TEST_F(FirstStartQuestionTest, NoOrASavedWindowPositionAssociatesNothing) {
  dialogs.reply = answer::kNo;
  Activate();
  EXPECT_EQ(dialogs.asked.size(), 1u);
  EXPECT_FALSE(associator.AssociatedAny());

  FirstStartQuestion later;
  settings.form.left = 20;
  later.FormActivate(settings, dialogs, associator, "C:\\KORU\\KORU.exe");
  EXPECT_EQ(dialogs.asked.size(), 1u);
}

}  // namespace
}  // namespace koru
