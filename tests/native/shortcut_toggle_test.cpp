// The shortcut buttons' questions and outcomes over fake files and answers,
// and the working folder LUMETRIX gives a new shortcut.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "desktop/link_working_folder.h"
#include "desktop/shortcut_toggle.h"
#include "platform/cp932.h"
#include "platform/user_dialogs.h"

namespace koru {
namespace {

std::string Text(const char8_t* utf8) { return cp932::FromUtf8(utf8); }

class FakeShortcutFiles : public ShortcutFiles {
 public:
  std::set<std::string> links;
  ShortcutOutcome outcome = ShortcutOutcome::Made;
  std::vector<std::string> created;  // link|target|arguments
  bool Exists(const std::string& link) override { return links.count(link) != 0; }
  void Remove(const std::string& link) override { links.erase(link); }
  ShortcutOutcome Create(const std::string& link, const std::string& target, const std::string& arguments) override {
    created.push_back(link + "|" + target + "|" + arguments);
    if (outcome == ShortcutOutcome::Made) links.insert(link);
    return outcome;
  }
};

class FakeShortcutDialog : public ShortcutDialog {
 public:
  int reply = answer::kYes;
  std::vector<std::string> log;  // "flags text" and "front"
  int Ask(std::string_view text, int flags) override {
    log.push_back(std::to_string(flags) + " " + std::string(text));
    return reply;
  }
  void BringToFront() override { log.push_back("front"); }
};

class ShortcutToggleTest : public ::testing::Test {
 protected:
  void Toggle(const std::string& folder = "C:\\Users\\u\\SendTo") {
    ToggleShortcut(folder, ShortcutPlaceName(ShortcutPlace::SendTo), "C:\\KORU\\KORU.exe", files, dialog);
  }
  FakeShortcutFiles files;
  FakeShortcutDialog dialog;
  const std::string link = "C:\\Users\\u\\SendTo\\KORU.lnk";
  const std::string createQuestion = "68 " + Text(u8"「送る」にKORUのｼｮｰﾄｶｯﾄを作成します。\nよろしいですか？");
  const std::string deleteQuestion = "52 " + Text(u8"「送る」のKORUのｼｮｰﾄｶｯﾄを削除します。\nよろしいですか？");
};

TEST_F(ShortcutToggleTest, YesCreatesTheShortcutAndASecondYesDeletesIt) {
  Toggle();
  EXPECT_EQ(files.created, std::vector<std::string>{link + "|C:\\KORU\\KORU.exe|"});
  Toggle();
  EXPECT_TRUE(files.links.empty());
  EXPECT_EQ(dialog.log, (std::vector<std::string>{createQuestion, deleteQuestion}));
}

TEST_F(ShortcutToggleTest, NoLeavesEverythingAsItWas) {
  dialog.reply = answer::kNo;
  Toggle();
  EXPECT_TRUE(files.created.empty());
  files.links.insert(link);
  Toggle();
  EXPECT_EQ(files.links.count(link), 1u);
}

TEST_F(ShortcutToggleTest, AMissingLibraryIsReportedInFrontAndAFailedSaveIsNot) {
  files.outcome = ShortcutOutcome::LibraryMissing;
  Toggle();
  EXPECT_EQ(dialog.log, (std::vector<std::string>{createQuestion, "front", "16 " + Text(u8"LUMETRIX.DLLが見つかりません。")}));

  dialog.log.clear();
  files.outcome = ShortcutOutcome::Failed;
  Toggle();
  EXPECT_EQ(dialog.log, std::vector<std::string>{createQuestion});
}

TEST_F(ShortcutToggleTest, AFolderTheShellDoesNotHaveAsksNothingAndARootGetsNoSecondBackslash) {
  Toggle("");
  EXPECT_TRUE(dialog.log.empty());
  Toggle("D:\\");
  EXPECT_EQ(files.created, std::vector<std::string>{"D:\\KORU.lnk|C:\\KORU\\KORU.exe|"});
}

TEST(LinkWorkingFolder, IsTheTargetsFolderWithABackslashOnlyInADriveRoot) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\KORU.exe", "C:\\"},
      {"C:\\tools\\KORU.exe", "C:\\tools"},
      {Text(u8"C:\\ソ\\KORU.exe"), Text(u8"C:\\ソ")},  // the trail byte 0x5C of "ソ" is no separator
      {Text(u8"C:\\ソ.exe"), "C:\\"},
      {"C:/tools/KORU.exe", "C:/tools"},
      {"\\\\server\\share\\KORU.exe", "\\\\server\\share"},
      {"KORU.exe", ""},
  };
  for (const auto& [target, folder] : cases) EXPECT_EQ(LinkWorkingFolder(target), folder) << target;
}

}  // namespace
}  // namespace koru
