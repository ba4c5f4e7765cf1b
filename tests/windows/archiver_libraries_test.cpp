// The archiver binding on Windows against the library doubles: each adapter
// bound to its double by name extracts a real ZIP, the libraries' progress
// messages reach the manager's window, reduced libraries degrade as they
// should, and a library of the wrong architecture counts as missing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "archive/archiver_binding_win32.h"
#include "platform/wide_text_win32.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::DoublesFolder;
using testing::FixturePath;
using testing::ReadBytes;
using testing::ScratchFolder;

struct LogLine {
  std::string library, function, arguments;
};

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ArchiverLibrariesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"KORU_DOUBLE_LOG", (scratch / L"calls.log").c_str());
    SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", nullptr);
    UseDoubles(L"x86_64");
  }
  void TearDown() override {
    SetDllDirectoryW(nullptr);
    SetEnvironmentVariableW(L"KORU_DOUBLE_LOG", nullptr);
    SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", nullptr);
  }
  static void UseDoubles(const std::wstring& folder) { SetDllDirectoryW(DoublesFolder(folder).c_str()); }

  std::vector<LogLine> Log() const {
    std::vector<LogLine> lines;
    const std::string bytes = ReadBytes(scratch / L"calls.log");
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
      const std::string line = bytes.substr(start, end - start);
      const std::size_t tab1 = line.find('\t');
      const std::size_t tab2 = line.find('\t', tab1 + 1);
      lines.push_back({line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
    }
    return lines;
  }
  int Count(const std::string& function) const {
    int n = 0;
    for (const LogLine& line : Log()) n += line.function == function;
    return n;
  }
  // songs.zip under another name; its path in code page 932.
  std::string Archive(const std::wstring& extension) {
    const std::wstring path = scratch / (L"songs" + extension);
    CopyFileW(FixturePath(L"songs.zip").c_str(), path.c_str(), FALSE);
    return *Narrow(path);
  }
  std::string Folder(const std::wstring& name) { return *Narrow(scratch / (name + L"\\")); }

  ScratchFolder scratch;
  ArchiverBinding binding{GetModuleHandleW(nullptr), nullptr};
  ArchiverN::TArchiver& archiver = binding.Archiver();
};

TEST_F(ArchiverLibrariesTest, EachAdapterExtractsARealZipThroughItsDouble) {
  struct Kind {
    const wchar_t* extension;
    const char* library;
    const char* prefix;
  };
  const Kind kinds[] = {{L".lzh", "unlha32.dll", "Unlha"}, {L".zip", "unzip32.dll", "UnZip"},
                        {L".cab", "cab32.dll", "Cab"},      {L".tar", "tar32.dll", "Tar"},
                        {L".rar", "unrar32.dll", "Unrar"},  {L".arj", "unarj32j.dll", "Unarj"},
                        {L".gza", "Bga32.dll", "Bga"},      {L".gca", "UnGCA32.dll", "UnGCA"},
                        {L".yz1", "Yz1.dll", "Yz1"},        {L".7z", "7-zip32.dll", "SevenZip"}};
  for (const Kind& kind : kinds) {
    const std::wstring out = std::wstring(L"out") + kind.extension;
    const std::string archive = Archive(kind.extension);
    archiver.SetArchive(archive);
    archiver.SetOutputFolder(Folder(out));
    EXPECT_EQ(archiver.Extract("\"tune.*\""), 0) << kind.library;
    // Every default line keeps the stored folders.
    EXPECT_EQ(ReadBytes(scratch / (out + L"\\album\\tune.wav")).size(), 8044u) << kind.library;
    EXPECT_TRUE(Exists(scratch / (out + L"\\album\\tune.txt"))) << kind.library;

    LogLine line;
    for (const LogLine& call : Log()) {
      if (call.function == kind.prefix) line = call;
    }
    EXPECT_EQ(line.library, kind.library);
    const std::string tail = " \"" + archive + "\" \"" + Folder(out) + "\" \"tune.*\"";
    EXPECT_EQ(line.arguments.substr(line.arguments.size() - tail.size()), tail) << line.arguments;
  }
  EXPECT_FALSE(Exists(scratch / L"escape.wav"));
  // Each double reported every file to the manager's window, which let it go on.
  for (const LogLine& line : Log()) {
    if (line.function == "wm_arcextract") {
      EXPECT_EQ(line.arguments.substr(line.arguments.size() - 2), " 0");
    }
  }
  EXPECT_EQ(Count("wm_arcextract"), 10 * 3);
}

TEST_F(ArchiverLibrariesTest, TheLibraryIsToldTheManagersWindowAndStopsWhenItSaysSo) {
  archiver.SetArchive(Archive(L".zip"));
  char window[32];
  std::snprintf(window, sizeof window, "%llx %llx", static_cast<unsigned long long>(
                    reinterpret_cast<std::uintptr_t>(binding.MessageWindow())), 0ull);
  EXPECT_EQ(Log().front().function, "UnZipSetOwnerWindowEx");
  EXPECT_EQ(Log().front().arguments, window);
  EXPECT_EQ(Log().at(1).function, "UnZipSetCursorMode");
  EXPECT_EQ(Log().at(1).arguments, "0");

  archiver.OnArcExtract = [](ArchiverN::TArchiver&, std::uintptr_t, std::intptr_t) { return false; };
  archiver.SetOutputFolder(Folder(L"out"));
  EXPECT_NE(archiver.Extract("\"tune.*\""), 0);
  EXPECT_EQ(Log().back().function, "wm_arcextract");
  EXPECT_EQ(Log().back().arguments, "0 1");
  EXPECT_FALSE(Exists(scratch / L"out\\album\\tune.wav"));
}

TEST_F(ArchiverLibrariesTest, ListingReturnsTheStoredNamesAsTheyAre) {
  archiver.SetArchive(Archive(L".7z"));
  std::vector<std::string> names;
  archiver.FirstMember("*.*");
  while (archiver.NextMember()) names.push_back(archiver.MemberInfo().value_or("?"));
  ASSERT_EQ(names.size(), 13u);
  EXPECT_EQ(names[1], "album/tune.wav");
  EXPECT_EQ(names[3], cp932::FromUtf8(u8"曲.wav"));
  EXPECT_EQ(names[4], "../escape.wav");
}

TEST_F(ArchiverLibrariesTest, ReducedLibrariesDegradeAndTheWrongArchitectureIsMissing) {
  const std::string archive = Archive(L".lzh");
  {
    UseDoubles(L"x86_64\\main-only");
    ArchiverBinding mainOnly(GetModuleHandleW(nullptr), nullptr);
    mainOnly.Archiver().SetArchive(archive);
    mainOnly.Archiver().SetOutputFolder(Folder(L"main-only"));
    EXPECT_EQ(mainOnly.Archiver().Extract("\"tune.*\""), 0);
    EXPECT_TRUE(Exists(scratch / L"main-only\\album\\tune.wav"));
    EXPECT_FALSE(mainOnly.Archiver().FirstMember("*.*"));
    EXPECT_FALSE(mainOnly.Archiver().NextMember());
    EXPECT_EQ(Count("wm_arcextract"), 0) << "no owner window was given";
  }
  {
    UseDoubles(L"x86_64\\no-owner-window");
    ArchiverBinding noOwner(GetModuleHandleW(nullptr), nullptr);
    noOwner.Archiver().SetArchive(archive);
    noOwner.Archiver().SetOutputFolder(Folder(L"no-owner"));
    EXPECT_EQ(noOwner.Archiver().Extract("\"tune.*\""), 0);
    EXPECT_TRUE(noOwner.Archiver().FirstMember("*.*"));
    EXPECT_EQ(Count("UnlhaSetOwnerWindowEx") + Count("UnlhaSetCursorMode"), 0);
  }
  {
    const std::size_t calls = Log().size();
    UseDoubles(L"i686");
    ArchiverBinding wrong(GetModuleHandleW(nullptr), nullptr);
    wrong.Archiver().SetArchive(archive);
    ASSERT_NE(wrong.Archiver().Adapter(), nullptr);
    EXPECT_FALSE(wrong.Archiver().Adapter()->Bound());
    wrong.Archiver().SetOutputFolder(Folder(L"i686"));
    EXPECT_EQ(wrong.Archiver().Extract("\"tune.*\""), -1);
    EXPECT_FALSE(wrong.Archiver().FirstMember("*.*"));
    EXPECT_EQ(Log().size(), calls);
  }
}

TEST_F(ArchiverLibrariesTest, MisbehavingLibrariesCannotOverrunTheBindingsBuffers) {
  archiver.SetArchive(Archive(L".zip"));
  archiver.SetOutputFolder(Folder(L"out"));

  SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", L"flood-output,flood-name");
  EXPECT_EQ(archiver.Extract("\"tune.*\""), 0);
  EXPECT_EQ(archiver.Adapter()->LastOutput(), std::string(32768, 'X'));
  EXPECT_TRUE(archiver.FirstMember("*.*"));
  EXPECT_TRUE(archiver.NextMember());
  EXPECT_EQ(archiver.MemberInfo(), std::nullopt);

  // A listing that never ends is the caller's to stop.
  SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", L"endless");
  archiver.FirstMember("*.*");
  int listed = 0;
  while (listed < 100 && archiver.NextMember()) ++listed;
  EXPECT_EQ(listed, 100);

  // "Success" with nothing written, and files written beside the folder.
  SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", L"no-write");
  archiver.SetOutputFolder(Folder(L"none"));
  EXPECT_EQ(archiver.Extract("\"tune.*\""), 0);
  EXPECT_FALSE(Exists(scratch / L"none\\album"));
  SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", L"escape");
  archiver.SetOutputFolder(Folder(L"inside"));
  EXPECT_EQ(archiver.Extract("\"tune.*\""), 0);
  EXPECT_TRUE(Exists(scratch / L"album\\tune.wav"));
  EXPECT_FALSE(Exists(scratch / L"inside\\album\\tune.wav"));
}

// A message-only window whose messages start an archive operation, as a
// timer tick or a click would while a library dispatches messages.
struct Intruder {
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && archiver) {
      nestedWorking = archiver->Working();
      archiver->SetArchive("C:\\other.lzh");
      nestedResult = archiver->Extract("\"other.*\"");
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  static inline ArchiverN::TArchiver* archiver = nullptr;
  static inline int nestedResult = 1;
  static inline bool nestedWorking = false;
};

TEST_F(ArchiverLibrariesTest, ALibraryThatDispatchesMessagesCannotBeCalledAgainFromThem) {
  WNDCLASSEXW windowClass = {sizeof windowClass};
  windowClass.lpfnWndProc = Intruder::Proc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"KoruTestIntruder";
  RegisterClassExW(&windowClass);
  HWND intruder = CreateWindowExW(0, L"KoruTestIntruder", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  Intruder::archiver = &archiver;

  SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", L"pump");
  archiver.SetArchive(Archive(L".zip"));
  archiver.SetOutputFolder(Folder(L"out"));
  PostMessageW(intruder, WM_APP, 0, 0);
  EXPECT_EQ(archiver.Extract("\"tune.*\""), 0);
  EXPECT_TRUE(Intruder::nestedWorking);
  EXPECT_EQ(Intruder::nestedResult, -1);
  EXPECT_TRUE(Exists(scratch / L"out\\album\\tune.wav"));
  EXPECT_EQ(Count("Unlha"), 0) << "the adapter in use was not replaced";

  Intruder::archiver = nullptr;
  DestroyWindow(intruder);
}

}  // namespace
}  // namespace koru
