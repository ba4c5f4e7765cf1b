// Shell links made by the shell itself, read back by ResolveShortcut: only a
// link whose target data report a file with content is followed. Windows
// reports the data stored in the link; Wine stores none and reports the
// target as it is now, so a link to a file deleted since is not tested here.
#include "desktop/shell_link_win32.h"

#include <windows.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/com_pointer_win32.h"
#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

class ShellLinkTest : public ::testing::Test {
 protected:
  // A link at `linkName` to `target`, saved by the shell's link object.
  void MakeLink(const std::wstring& linkName, const std::wstring& target) {
    ComPointer<IShellLinkW> link;
    ASSERT_TRUE(SUCCEEDED(
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())));
    ASSERT_TRUE(SUCCEEDED(link->SetPath(target.c_str())));
    ComPointer<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid())));
    ASSERT_TRUE(SUCCEEDED(file->Save((scratch / linkName).c_str(), TRUE)));
  }
  std::string Cp932(const std::wstring& path) { return Narrow(path).value(); }
  // The target path the shell reads back from a link.
  std::wstring StoredTarget(const std::wstring& linkName) {
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    wchar_t target[MAX_PATH] = {};
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) &&
        SUCCEEDED(file->Load((scratch / linkName).c_str(), STGM_READ))) {
      link->GetPath(target, MAX_PATH, nullptr, 0);
    }
    return target;
  }

  ComApartment apartment;
  testing::ScratchFolder scratch;
};

TEST_F(ShellLinkTest, LinkToAFileWithContentGivesItsTarget) {
  scratch.WriteFile(L"song.mid", "MThd");
  MakeLink(L"song.lnk", scratch / L"song.mid");
  EXPECT_EQ(ResolveShortcut(Cp932(scratch / L"song.lnk")), Cp932(scratch / L"song.mid"));

  // A Japanese target comes back as code page 932 bytes.
  const std::wstring japanese = L"\u8868\u793a\u30bd\u30f3\u30b0.mid";  // 表示ソング.mid
  scratch.WriteFile(japanese, "MThd");
  MakeLink(L"\u66f2.lnk", scratch / japanese);
  EXPECT_EQ(ResolveShortcut(Cp932(scratch / L"\u66f2.lnk")),
            Cp932(scratch.Path()) + cp932::FromUtf8(u8"表示ソング.mid"));
}

TEST_F(ShellLinkTest, TargetCodePage932CannotHoldGoesByItsShortNameOrNotAtAll) {
  const std::wstring korean = L"\ud55c\uad6d.mid";  // 한국.mid
  scratch.WriteFile(korean, "MThd-korean");
  MakeLink(L"korean.lnk", scratch / korean);
  if (StoredTarget(L"korean.lnk") != scratch / korean) {
    GTEST_SKIP() << "this shell stores the target in the ANSI code page only (Wine 8)";
  }
  const std::string link = Cp932(scratch / L"korean.lnk");
  const std::string resolved = ResolveShortcut(link);

  // Some volumes keep no short names.
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD length = ::GetShortPathNameW((scratch / korean).c_str(), shortPath, MAX_PATH);
  const bool haveShortName = length > 0 && length < MAX_PATH && Narrow(shortPath).has_value();
  if (!haveShortName) {
    EXPECT_EQ(resolved, link) << "never a lossy name with \"?\" in it";
    return;
  }
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(::GetFileAttributesExW(Widen(resolved).c_str(), GetFileExInfoStandard, &data)) << resolved;
  EXPECT_EQ(data.nFileSizeLow, 11u) << "the short name reaches the same file";
}

TEST_F(ShellLinkTest, LinksToFoldersAndEmptyFilesAreNotFollowed) {
  ASSERT_TRUE(::CreateDirectoryW((scratch / L"albums").c_str(), nullptr));
  MakeLink(L"albums.lnk", scratch / L"albums");
  scratch.WriteFile(L"empty.mid", "");
  MakeLink(L"empty.lnk", scratch / L"empty.mid");

  for (const wchar_t* name : {L"albums.lnk", L"empty.lnk"}) {
    const std::string link = Cp932(scratch / name);
    EXPECT_EQ(ResolveShortcut(link), link) << Cp932(name);
  }
}

TEST_F(ShellLinkTest, PathsThatAreNoLinksComeBackUnchanged) {
  scratch.WriteFile(L"fake.lnk", "this is not a shell link");
  scratch.WriteFile(L"tune.mid", "MThd");
  scratch.WriteFile(L"short.lnk", "L");
  for (const std::wstring& path : {scratch / L"fake.lnk", scratch / L"tune.mid", scratch / L"short.lnk",
                                   scratch / L"missing.lnk", scratch.Path()}) {
    const std::string narrow = Cp932(path);
    EXPECT_EQ(ResolveShortcut(narrow), narrow);
  }
  EXPECT_EQ(ResolveShortcut(""), "");
}

TEST_F(ShellLinkTest, WorksOnAThreadWithoutCom) {
  scratch.WriteFile(L"song.mid", "MThd");
  MakeLink(L"song.lnk", scratch / L"song.mid");
  const std::string link = Cp932(scratch / L"song.lnk");
  std::string resolved;
  // A fresh thread has not joined any apartment; the resolver joins and
  // leaves one itself.
  std::thread([&] { resolved = ResolveShortcut(link); }).join();
  EXPECT_EQ(resolved, Cp932(scratch / L"song.mid"));
}

}  // namespace
}  // namespace koru
