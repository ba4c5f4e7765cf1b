// LUMETRIX.dll as its users see it: loaded by path, each of the seven
// exports found by name through GetProcAddress and called with code page
// 932 paths; the versions come from test doubles with known resources.
#include "lumetrix/lumetrix.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/cp932.h"
#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"
#include "windows/support/stored_link.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

class LumetrixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library) << "LUMETRIX.dll did not load";
    for (const char* name : {"CopyFileDateTime", "CompareFileDateTime", "SetFileDateTime", "CompareVersion",
                             "GetFileVersion", "RegistDll", "CreateShortcut"}) {
      ASSERT_NE(GetProcAddress(library.Get(), name), nullptr) << name;
    }
  }

  std::string Path(const std::wstring& name) const { return Narrow(scratch / name).value(); }
  std::string Double(const wchar_t* name) const { return Narrow(testing::BuildFolder() + name).value(); }

  FILETIME LastWrite(const std::wstring& name) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW((scratch / name).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
  }
  static bool SameTime(const FILETIME& a, const FILETIME& b) { return CompareFileTime(&a, &b) == 0; }
  void SetLastWrite(const std::wstring& name, WORD year) const {
    const SYSTEMTIME when = {year, 6, 0, 15, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&when, &time);
    UniqueFileHandle file(CreateFileW((scratch / name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    SetFileTime(file.Get(), &time, &time, &time);
  }
  static double OleDate(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    const SYSTEMTIME when = {year, month, 0, day, hour, minute, second, 0};
    double date = 0;
    SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&when), &date);
    return date;
  }

  UniqueModule library{LoadLibraryExW((testing::BuildFolder() + L"LUMETRIX.dll").c_str(), nullptr,
                                      LOAD_WITH_ALTERED_SEARCH_PATH)};
  decltype(&CopyFileDateTime) copyTimes = Export<decltype(&CopyFileDateTime)>(library.Get(), "CopyFileDateTime");
  decltype(&CompareFileDateTime) compareTimes =
      Export<decltype(&CompareFileDateTime)>(library.Get(), "CompareFileDateTime");
  decltype(&SetFileDateTime) setTimes = Export<decltype(&SetFileDateTime)>(library.Get(), "SetFileDateTime");
  decltype(&CompareVersion) compareVersion = Export<decltype(&CompareVersion)>(library.Get(), "CompareVersion");
  decltype(&GetFileVersion) getVersion = Export<decltype(&GetFileVersion)>(library.Get(), "GetFileVersion");
  decltype(&RegistDll) registDll = Export<decltype(&RegistDll)>(library.Get(), "RegistDll");
  decltype(&CreateShortcut) createShortcut = Export<decltype(&CreateShortcut)>(library.Get(), "CreateShortcut");
  testing::ScratchFolder scratch;
};

TEST_F(LumetrixTest, FileTimesAreCopiedAndCompared) {
  scratch.WriteFile(L"old.txt", "a");
  scratch.WriteFile(L"\u8868.txt", "b");  // 表.txt
  SetLastWrite(L"old.txt", 1999);
  SetLastWrite(L"\u8868.txt", 2010);
  const std::string older = Path(L"old.txt");
  const std::string newer = Path(L"\u8868.txt");

  int order = 5;
  EXPECT_EQ(compareTimes(older.c_str(), newer.c_str(), &order), 1);
  EXPECT_EQ(order, -1);
  EXPECT_EQ(compareTimes(newer.c_str(), older.c_str(), &order), 1);
  EXPECT_EQ(order, 1);
  EXPECT_EQ(compareTimes(older.c_str(), older.c_str(), nullptr), 1);

  EXPECT_NE(copyTimes(older.c_str(), newer.c_str()), 0);
  EXPECT_TRUE(SameTime(LastWrite(L"old.txt"), LastWrite(L"\u8868.txt")));

  // Missing files, patterns, null and over-long paths are refused; out values stay.
  order = 5;
  const std::string longPath = Path(std::wstring(260, L'x'));
  EXPECT_EQ(compareTimes(older.c_str(), Path(L"missing.txt").c_str(), &order), 0);
  EXPECT_EQ(compareTimes(nullptr, older.c_str(), &order), 0);
  EXPECT_EQ(compareTimes(longPath.c_str(), older.c_str(), &order), 0);
  EXPECT_EQ(order, 5);
  EXPECT_EQ(copyTimes(Path(L"*.txt").c_str(), older.c_str()), 0);
  EXPECT_EQ(copyTimes(Path(L"ol?.txt").c_str(), older.c_str()), 0);
  EXPECT_EQ(copyTimes(older.c_str(), nullptr), 0);
  EXPECT_EQ(copyTimes("\x81", older.c_str()), 0) << "not code page 932";
}

TEST_F(LumetrixTest, SetFileDateTimeTakesLocalDatesFrom1980To2107Only) {
  scratch.WriteFile(L"song.mid", "MThd");
  const std::string song = Path(L"song.mid");
  const double date = OleDate(2001, 2, 3, 4, 5, 6);
  EXPECT_NE(setTimes(song.c_str(), &date), 0);
  FILETIME local;
  SYSTEMTIME read;
  const FILETIME written = LastWrite(L"song.mid");
  FileTimeToLocalFileTime(&written, &local);
  FileTimeToSystemTime(&local, &read);
  EXPECT_EQ((std::to_string(read.wYear) + "-" + std::to_string(read.wMonth) + "-" + std::to_string(read.wDay) + " " +
             std::to_string(read.wHour) + ":" + std::to_string(read.wMinute) + ":" + std::to_string(read.wSecond)),
            "2001-2-3 4:5:6");

  for (const double outside : {OleDate(1979, 12, 31, 23, 59, 58), OleDate(2108, 1, 1, 0, 0, 0)}) {
    EXPECT_EQ(setTimes(song.c_str(), &outside), 0);
    EXPECT_TRUE(SameTime(written, LastWrite(L"song.mid"))) << "the file keeps its time";
  }
  EXPECT_EQ(setTimes(song.c_str(), nullptr), 0);
}

TEST_F(LumetrixTest, VersionsAreReadAndComparedUnsigned) {
  WORD parts[4] = {9, 9, 9, 9};
  EXPECT_EQ(getVersion(Double(L"double_low.dll").c_str(), &parts[0], &parts[1], &parts[2], &parts[3]), 1);
  EXPECT_EQ(std::vector<WORD>(parts, parts + 4), (std::vector<WORD>{32767, 65535, 65535, 65535}));
  EXPECT_EQ(getVersion(Double(L"double_low.dll").c_str(), nullptr, nullptr, nullptr, nullptr), 1);

  const struct {
    const wchar_t* first;
    const wchar_t* second;
    int order;
  } cases[] = {
      {L"double_registers.dll", L"double_plain.dll", -1},  // 1.2.3.4 against 1.2.3.5
      {L"double_plain.dll", L"double_registers.dll", 1},
      {L"double_plain.dll", L"double_plain.dll", 0},
      {L"double_high.dll", L"double_low.dll", 1},  // 0x8000 is above 0x7FFF, not below
  };
  for (const auto& c : cases) {
    int order = 5;
    EXPECT_EQ(compareVersion(Double(c.first).c_str(), Double(c.second).c_str(), &order), 1);
    EXPECT_EQ(order, c.order) << Narrow(c.first).value();
  }
  EXPECT_EQ(compareVersion(Double(L"double_high.dll").c_str(), Double(L"double_low.dll").c_str(), nullptr), 1);

  scratch.WriteFile(L"plain.txt", "no resource");
  int order = 5;
  EXPECT_EQ(compareVersion(Path(L"plain.txt").c_str(), Double(L"double_low.dll").c_str(), &order), 0);
  EXPECT_EQ(getVersion(Path(L"plain.txt").c_str(), &parts[0], nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(order, 5);
  EXPECT_EQ(parts[0], 32767);
}

TEST_F(LumetrixTest, RegistDllSucceedsOnlyWhenTheServerSaysSo) {
  EXPECT_EQ(registDll(Double(L"double_registers.dll").c_str(), 1), 1);
  EXPECT_EQ(registDll(Double(L"double_registers.dll").c_str(), 0), 0) << "S_FALSE is no success";
  EXPECT_EQ(registDll(Double(L"double_plain.dll").c_str(), 1), 0) << "no registration function";
  EXPECT_EQ(registDll(Path(L"missing.dll").c_str(), 1), 0);
  EXPECT_EQ(registDll(nullptr, 1), 0);
}

TEST_F(LumetrixTest, CreateShortcutSavesTargetFolderAndArguments) {
  const std::wstring folder = scratch / L"\u30bd";  // ソ: its trail byte is 0x5C
  CreateDirectoryW(folder.c_str(), nullptr);
  scratch.WriteFile(L"\u30bd\\KORU.exe", "MZ");
  const std::string target = Narrow(folder + L"\\KORU.exe").value();
  ASSERT_EQ(createShortcut(Path(L"\u66f2.lnk").c_str(), target.c_str(), "/1 a"), 1);  // 曲.lnk
  const testing::StoredLink stored = testing::ReadStoredLink(scratch / L"\u66f2.lnk");
  EXPECT_EQ(stored.target, folder + L"\\KORU.exe");
  EXPECT_EQ(stored.folder, folder);
  EXPECT_EQ(stored.arguments, L"/1 a");

  ASSERT_EQ(createShortcut(Path(L"root.lnk").c_str(), "C:\\KORU.exe", nullptr), 1);
  EXPECT_EQ(testing::ReadStoredLink(scratch / L"root.lnk").folder, L"C:\\");

  const std::string longLink = Path(std::wstring(250, L'x') + L".lnk");
  EXPECT_EQ(createShortcut(longLink.c_str(), target.c_str(), nullptr), 0) << "over 259 bytes: refused, not cut";
  EXPECT_EQ(createShortcut(nullptr, target.c_str(), nullptr), 0);
}

TEST_F(LumetrixTest, CreateShortcutLeavesACallersComAsItFoundIt) {
  HRESULT before = E_FAIL;
  HRESULT after = E_FAIL;
  int made = 0;
  const std::string link = Path(L"mta.lnk");
  std::thread([&] {
    before = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    made = createShortcut(link.c_str(), "C:\\KORU.exe", "");
    after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_FALSE: still initialised
    CoUninitialize();
    CoUninitialize();
  }).join();
  EXPECT_EQ(before, S_OK);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(after, S_FALSE);
}

}  // namespace
}  // namespace koru
