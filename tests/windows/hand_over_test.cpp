// The named record and the hand-over between two real processes: this test
// plays the running player (it owns "VELTA.KORU") and starts KORU.exe as a
// later instance.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/wide_text_win32.h"
#include "startup/command_line_win32.h"
#include "startup/shared_record_win32.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::KoruExePath;
using testing::ScratchFolder;

struct Received {
  std::string path;
  int moreFollows;
};

struct SenderRun {
  DWORD exitCode = 0;
  DWORD milliseconds = 0;
  std::vector<Received> received;
};

// Starts KORU.exe with `arguments` in `folder` and takes every record it
// hands over (when `consume`), until it ends.
SenderRun RunSender(SharedRecord& record, const std::wstring& arguments, const std::wstring& folder,
                    bool consume = true) {
  SenderRun run;
  std::wstring line = L"\"" + KoruExePath() + L"\" " + arguments;
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  const DWORD start = GetTickCount();
  if (!CreateProcessW(KoruExePath().c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    ADD_FAILURE() << "KORU.exe did not start";
    return run;
  }
  for (;;) {
    CommandHandOver copy;
    if (consume && TakeRecord(*record.Record(), copy)) run.received.push_back({PathOf(copy), copy.moreFollows});
    if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
      if (consume && TakeRecord(*record.Record(), copy)) run.received.push_back({PathOf(copy), copy.moreFollows});
      break;
    }
    if (GetTickCount() - start > 60000) {
      TerminateProcess(process.hProcess, 99);
      ADD_FAILURE() << "KORU.exe did not end";
      break;
    }
  }
  run.milliseconds = GetTickCount() - start;
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

class HandOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    record_ = SharedRecord::Create(L"VELTA.KORU");
    ASSERT_TRUE(record_) << "another KORU runs in this session";
    record_.Record()->pending = 0;
    record_.Record()->moreFollows = 0;
  }
  SharedRecord record_;
  ScratchFolder folder_;
};

TEST(SharedRecordTest, CreateOpenAndClose) {
  SharedRecord owner = SharedRecord::Create(L"KORU.test.record");
  ASSERT_TRUE(owner);
  EXPECT_FALSE(SharedRecord::Create(L"KORU.test.record")) << "a second owner must not exist";
  SharedRecord sender = SharedRecord::Open(L"KORU.test.record");
  ASSERT_TRUE(sender);
  ASSERT_TRUE(PublishPath(*sender.Record(), "C:\\a.mid", false));
  EXPECT_TRUE(IsPending(*owner.Record())) << "both views show the same memory";
  EXPECT_EQ(PathOf(*owner.Record()), "C:\\a.mid");
  sender.Close();
  owner.Close();
  EXPECT_FALSE(SharedRecord::Open(L"KORU.test.record")) << "the section goes with its last handle";
}

TEST_F(HandOverTest, ThreePathsArriveInOrderAndTheLastEndsTheBatch) {
  SenderRun run = RunSender(record_, L"C:\\music\\a.mid \"C:\\my music\\b.mid\" C:\\c.mid", folder_.Path());
  EXPECT_EQ(run.exitCode, 1u);
  ASSERT_EQ(run.received.size(), 3u);
  EXPECT_EQ(run.received[0].path, "C:\\music\\a.mid");
  EXPECT_EQ(run.received[1].path, "C:\\my music\\b.mid");
  EXPECT_EQ(run.received[2].path, "C:\\c.mid");
  EXPECT_EQ(run.received[0].moreFollows, 1);
  EXPECT_EQ(run.received[1].moreFollows, 1);
  EXPECT_EQ(run.received[2].moreFollows, 0);
}

TEST_F(HandOverTest, NoArgumentsEndsAtOnceAndChangesNothing) {
  record_.Record()->reserved[0] = 0x5A;
  SenderRun run = RunSender(record_, L"", folder_.Path());
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(run.received.empty());
  EXPECT_FALSE(IsPending(*record_.Record()));
  EXPECT_EQ(record_.Record()->reserved[0], 0x5A);
}

TEST_F(HandOverTest, SenderGivesUpAfterAboutTenSecondsWhenTheOwnerNeverTakes) {
  ASSERT_TRUE(PublishPath(*record_.Record(), "C:\\waiting.mid", false));
  SenderRun run = RunSender(record_, L"C:\\a.mid C:\\b.mid", folder_.Path(), false);
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_GE(run.milliseconds, 9500u);
  EXPECT_LT(run.milliseconds, 20000u);
  EXPECT_EQ(PathOf(*record_.Record()), "C:\\waiting.mid") << "the writer never touches a taken slot";
}

TEST_F(HandOverTest, RelativePathsAreResolvedInTheSendersFolderAndOptionsStayBehind) {
  folder_.WriteFile(L"song.mid", "MThd");
  SenderRun run = RunSender(record_, L"/1 song.mid sub\\missing.mid", folder_.Path());
  ASSERT_EQ(run.received.size(), 2u);
  const std::string folder = *Narrow(ToLongPath(folder_.Path()));
  EXPECT_EQ(run.received[0].path, folder + "song.mid");
  EXPECT_EQ(run.received[1].path, folder + "sub\\missing.mid");
}

TEST_F(HandOverTest, NamesAreHandedOverAsTheFileSystemListsThem) {
  folder_.WriteFile(L"Long Song Name.mid", "MThd");
  // The user typed the name in other letter case.
  SenderRun run = RunSender(record_, L"\"" + folder_.Path() + L"LONG song NAME.MID\"", L"");
  ASSERT_EQ(run.received.size(), 1u);
  EXPECT_EQ(run.received[0].path, *Narrow(ToLongPath(folder_.Path())) + "Long Song Name.mid");
}

TEST_F(HandOverTest, JapaneseNamesArriveInCodePage932AndOthersAsShortNames) {
  folder_.WriteFile(L"\u8868.mid", "MThd");          // 表.mid: its trail byte is 0x5C
  folder_.WriteFile(L"\uD55C\uAE00.mid", "MThd");    // Korean: code page 932 cannot hold it
  SenderRun run = RunSender(record_, L"\u8868.mid \uD55C\uAE00.mid", folder_.Path());
  ASSERT_EQ(run.received.size(), 2u);
  const std::string folder = *Narrow(ToLongPath(folder_.Path()));
  EXPECT_EQ(run.received[0].path, folder + "\x95\x5C.mid");
  const std::string& shortForm = run.received[1].path;
  EXPECT_LE(shortForm.size() - shortForm.find_last_of('\\') - 1, 12u) << shortForm << " is an 8.3 name";
  const std::wstring shortWide = Widen(shortForm);
  EXPECT_NE(GetFileAttributesW(shortWide.c_str()), INVALID_FILE_ATTRIBUTES) << "the short name names the file";
}

TEST_F(HandOverTest, OverLongPathIsShortenedWhenItCanBeAndDroppedOtherwise) {
  // A file whose long path exceeds the 257 bytes of the record.
  std::wstring deep = folder_.Path();
  for (int i = 0; i < 4; ++i) {
    deep += std::wstring(60, static_cast<wchar_t>(L'a' + i)) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  }
  std::wstring file = deep + L"song.mid";
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  const std::wstring missing = deep + L"missing-" + std::wstring(40, L'z') + L".mid";

  SenderRun run = RunSender(record_, L"\"" + file + L"\" \"" + missing + L"\" C:\\last.mid", L"");
  ASSERT_EQ(run.received.size(), 2u) << "the path that no form fits is dropped";
  EXPECT_LE(run.received[0].path.size(), 257u);
  EXPECT_NE(GetFileAttributesW(Widen(run.received[0].path).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(run.received[1].path, "C:\\last.mid");
  EXPECT_EQ(run.received[1].moreFollows, 0);
}

}  // namespace
}  // namespace koru
