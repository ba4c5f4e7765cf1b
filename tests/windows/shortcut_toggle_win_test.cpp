// The shortcut buttons with the real LUMETRIX.dll and the shell's own Send To
// folder (inside the test prefix), the user's answers faked; the library
// missing, broken or without its export; and the shell's "open" action.
#include "desktop/lumetrix_shortcut_files_win32.h"
#include "desktop/shell_folders_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/program_folder_win32.h"
#include "platform/user_dialogs.h"
#include "platform/wide_text_win32.h"
#include "windows/support/stored_link.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

class AnsweringDialog : public ShortcutDialog {
 public:
  std::vector<int> flags;
  int Ask(std::string_view, int flag) override {
    flags.push_back(flag);
    return answer::kYes;
  }
  void BringToFront() override {}
};

std::string Cp932(const std::wstring& path) { return Narrow(path).value(); }

TEST(ShortcutToggleWin, SendToGetsAShortcutThatReadsBackAndASecondToggleDeletesIt) {
  const std::string sendTo = ShortcutPlacePath(ShortcutPlace::SendTo);
  ASSERT_FALSE(sendTo.empty());
  ASSERT_FALSE(ShortcutPlacePath(ShortcutPlace::Desktop).empty());
  EXPECT_EQ(ShortcutPlacePath(ShortcutPlace::QuickLaunch),
            SpecialFolderPath(CSIDL_APPDATA) + "\\Microsoft\\Internet Explorer\\Quick Launch");
  const std::wstring link = Widen(sendTo) + L"\\KORU.lnk";
  DeleteFileW(link.c_str());

  LumetrixShortcutFiles files(Cp932(testing::BuildFolder()));
  AnsweringDialog dialog;
  const std::string program = ProgramPath();
  ToggleShortcut(sendTo, ShortcutPlaceName(ShortcutPlace::SendTo), program, files, dialog);
  const testing::StoredLink stored = testing::ReadStoredLink(link);
  const std::wstring wideProgram = Widen(program);
  EXPECT_EQ(stored.target, wideProgram);
  EXPECT_EQ(stored.folder, wideProgram.substr(0, wideProgram.find_last_of(L'\\')));
  EXPECT_EQ(stored.arguments, L"");

  ToggleShortcut(sendTo, ShortcutPlaceName(ShortcutPlace::SendTo), program, files, dialog);
  EXPECT_EQ(GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(dialog.flags, (std::vector<int>{mb::kYesNoInformation, mb::kYesNoExclamation}));
}

TEST(ShortcutToggleWin, ALibraryThatIsMissingBrokenOrWithoutTheExportIsReported) {
  testing::ScratchFolder missing;
  testing::ScratchFolder broken;
  broken.WriteFile(L"LUMETRIX.DLL", "MZ but no library");
  testing::ScratchFolder other;
  ASSERT_TRUE(CopyFileW((testing::BuildFolder() + L"double_plain.dll").c_str(), (other / L"LUMETRIX.DLL").c_str(), FALSE));
  testing::ScratchFolder links;
  std::vector<const testing::ScratchFolder*> folders = {&missing, &broken, &other};
  // The 32-bit library of the win32 build, when it has been built beside this one.
  testing::ScratchFolder otherBitness;
  if (CopyFileW((testing::BuildFolder() + L"..\\win32\\LUMETRIX.dll").c_str(), (otherBitness / L"LUMETRIX.DLL").c_str(),
                FALSE)) {
    folders.push_back(&otherBitness);
  }

  for (const testing::ScratchFolder* folder : folders) {
    LumetrixShortcutFiles files(Cp932(folder->Path()));
    EXPECT_EQ(files.Create(Cp932(links / L"KORU.lnk"), "C:\\KORU.exe", ""), ShortcutOutcome::LibraryMissing);
  }
  EXPECT_EQ(GetFileAttributesW((links / L"KORU.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(OpenDocumentWin, TheShellStartsTheOpenActionWithTheParameters) {
  testing::ScratchFolder folder;
  const std::string written = Cp932(folder / L"opened.txt");
  ASSERT_TRUE(OpenDocument("cmd.exe", "/c echo opened> \"" + written + "\""));
  const std::wstring wideWritten = Widen(written);
  const DWORD start = GetTickCount();
  while (GetFileAttributesW(wideWritten.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 30000) {
    Sleep(50);
  }
  EXPECT_NE(GetFileAttributesW(wideWritten.c_str()), INVALID_FILE_ATTRIBUTES) << "the program ran with its parameters";
}

// (A missing file is the shell's to report: it says so in a message box.)
TEST(OpenDocumentWin, NothingStartsForAnEmptyOrUnconvertibleFile) {
  const std::string cases[] = {"", "C:\\\x81"};
  for (const std::string& file : cases) {
    EXPECT_FALSE(OpenDocument(file, "")) << file;
  }
}

}  // namespace
}  // namespace koru
