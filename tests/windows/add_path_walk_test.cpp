// A folder walk over the real file system: hidden and system entries and
// names beginning with a dot stay out, shell links to files are followed, and
// Unix symbolic links to the folder itself and to its parent end the walk.
// Wine 8 cannot make symbolic links (CreateSymbolicLinkW makes nothing); the
// test's set-up makes them from Linux in KORU_LINK_LOOP_UNIX_DIR.
#include <windows.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "archive/null_archiver.h"
#include "desktop/shell_link_win32.h"
#include "medialist/media_list.h"
#include "platform/com_pointer_win32.h"
#include "platform/cp932.h"
#include "platform/file_system_win32.h"
#include "platform/wide_text_win32.h"
#include "playback/add_path.h"
#include "settings/settings.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

// The walk only needs these when an unknown type turns up; none does here.
class NoPlayback : public PlaybackCommands {
 public:
  void FuncStopClick() override {}
  bool OpenForPlayabilityCheck(const std::string&) override { return false; }
};
class NoDialogs : public UserDialogs {
 public:
  int ShowMessageDialog(std::string_view, int, bool) override { return answer::kOk; }
  int SystemMessageBox(std::string_view, int) override { return answer::kNo; }
};
class NoWindow : public MainWindowFront, public CursorControl {
 public:
  void BringMainWindowToFront() override {}
  CursorToken ShowHourglass() override { return 0; }
  void RestoreCursor(CursorToken) override {}
};

class AddPathWalkTest : public ::testing::Test {
 protected:
  AddPathWalkTest() { list.readInfoOnAdd = false; }

  std::string Cp932(const std::wstring& path) const { return Narrow(path).value(); }
  void MakeFolder(const std::wstring& name) { ASSERT_TRUE(::CreateDirectoryW((scratch / name).c_str(), nullptr)); }
  void SetAttributes(const std::wstring& name, DWORD attributes) {
    ASSERT_TRUE(::SetFileAttributesW((scratch / name).c_str(), attributes));
  }
  std::vector<std::string> SortedEntries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i) entries.push_back(list.Entry(i).path);
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  testing::ScratchFolder scratch;
  Win32FileSystem files;
  Settings settings{files, Cp932(scratch.Path()), SystemVersion{10, 0, 19045, 2}};
  MediaList list{Cp932(scratch.Path())};
  NullArchiver archiver;
  ShellLinkResolver shortcuts;
  NoPlayback playback;
  NoDialogs dialogs;
  NoWindow window;
  ListPathAdder adder{{list, settings, files, archiver, shortcuts, playback, dialogs, window, window}};
};

TEST_F(AddPathWalkTest, HiddenSystemAndDotEntriesStayOut) {
  MakeFolder(L"drop");
  MakeFolder(L"drop\\sub");
  MakeFolder(L"drop\\.cache");
  MakeFolder(L"drop\\hidden-folder");
  scratch.WriteFile(L"drop\\a.mid", "MThd");
  scratch.WriteFile(L"drop\\sub\\b.mp3", "ID3");
  scratch.WriteFile(L"drop\\\u66f2.wav", "RIFF");  // 曲.wav
  scratch.WriteFile(L"drop\\.c.mid", "MThd");
  scratch.WriteFile(L"drop\\.cache\\d.mid", "MThd");
  scratch.WriteFile(L"drop\\e.mid", "MThd");
  SetAttributes(L"drop\\e.mid", FILE_ATTRIBUTE_HIDDEN);
  scratch.WriteFile(L"drop\\f.mid", "MThd");
  SetAttributes(L"drop\\f.mid", FILE_ATTRIBUTE_SYSTEM);
  scratch.WriteFile(L"drop\\hidden-folder\\g.mid", "MThd");
  SetAttributes(L"drop\\hidden-folder", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  scratch.WriteFile(L"drop\\readme.txt", "text");

  const AddResult result = adder.AddPathToList(Cp932(scratch / L"drop"), {}, true);
  EXPECT_TRUE(result.added);
  EXPECT_EQ(result.index, 0);
  const std::string drop = Cp932(scratch / L"drop\\");
  EXPECT_EQ(SortedEntries(), (std::vector<std::string>{drop + "a.mid", drop + "sub\\b.mp3",
                                                       drop + cp932::FromUtf8(u8"曲.wav")}));
}

TEST_F(AddPathWalkTest, ShellLinksInAFolderLeadToTheirFiles) {
  ComApartment apartment;
  MakeFolder(L"music");
  MakeFolder(L"links");
  scratch.WriteFile(L"music\\song.mid", "MThd");
  ComPointer<IShellLinkW> link;
  ASSERT_TRUE(SUCCEEDED(
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())));
  ASSERT_TRUE(SUCCEEDED(link->SetPath((scratch / L"music\\song.mid").c_str())));
  ComPointer<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid())));
  ASSERT_TRUE(SUCCEEDED(file->Save((scratch / L"links\\song.lnk").c_str(), TRUE)));

  EXPECT_TRUE(adder.AddPathToList(Cp932(scratch / L"links"), {}, false).added);
  EXPECT_EQ(SortedEntries(), (std::vector<std::string>{Cp932(scratch / L"music\\song.mid")}));
  EXPECT_EQ(settings.RecentFile(0), Cp932(scratch / L"music\\song.mid"));
}

#ifdef KORU_LINK_LOOP_UNIX_DIR
// The set-up made: a.mid, self -> ., sub/b.mid, sub/up -> ..
TEST_F(AddPathWalkTest, AWalkOverUnixLinksToItsFolderAndItsParentEndsWithEachFileOnce) {
  const std::wstring loop = testing::WindowsPathOfUnixPath(KORU_LINK_LOOP_UNIX_DIR);
  // What the walk relies on: Wine shows the links as reparse points.
  for (const wchar_t* link : {L"\\self", L"\\sub\\up"}) {
    const DWORD attributes = ::GetFileAttributesW((loop + link).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << Cp932(loop + link);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << Cp932(loop + link);
  }
  EXPECT_TRUE(adder.AddPathToList(Cp932(loop), {}, false).added);
  EXPECT_EQ(SortedEntries(), (std::vector<std::string>{Cp932(loop + L"\\a.mid"), Cp932(loop + L"\\sub\\b.mid")}));
}
#endif

}  // namespace
}  // namespace koru
