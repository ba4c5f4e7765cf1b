// The paths of a shell drop as KORU reads them: each at its full length, in
// code page 932, by its short name when code page 932 cannot hold the long
// one, left out when it has neither.
#include "ui/dropped_files.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/wide_text_win32.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

// A drop block as the shell hands it over: DROPFILES, then the wide paths,
// each ended by a zero, and one more zero.
class DropBlock {
 public:
  explicit DropBlock(const std::vector<std::wstring>& paths) {
    std::size_t characters = 1;
    for (const std::wstring& path : paths) characters += path.size() + 1;
    memory_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory_));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& path : paths) {
      std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
      text += path.size() + 1;
    }
    GlobalUnlock(memory_);
  }
  ~DropBlock() { GlobalFree(memory_); }
  DropBlock(const DropBlock&) = delete;
  DropBlock& operator=(const DropBlock&) = delete;
  HDROP Handle() const { return static_cast<HDROP>(memory_); }

 private:
  HGLOBAL memory_;
};

TEST(DroppedFilesTest, PathsComeInOrderAtFullLengthAndInCodePage932) {
  testing::ScratchFolder scratch;
  // 한국.mid: code page 932 has no Hangul; the file's short name stands in.
  const std::wstring korean = scratch / L"\uD55C\uAD6D.mid";
  scratch.WriteFile(L"\uD55C\uAD6D.mid", "MThd");
  const std::wstring missingKorean = scratch / L"\uC5C6\uC74C.mid";  // no file, no short name
  const std::wstring japanese = L"C:\\\u66F2\\\u6B4C.mid";           // C:\曲\歌.mid
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L".mid";

  DropBlock drop({japanese, korean, missingKorean, longPath});
  const std::vector<std::wstring> dropped = DroppedPaths(drop.Handle());
  EXPECT_EQ(dropped, (std::vector<std::wstring>{japanese, korean, missingKorean, longPath}));
  const std::vector<std::string> paths = PathsInCodePage932(dropped);

  ASSERT_EQ(paths.size(), 3u);
  EXPECT_EQ(paths[0], cp932::FromUtf8(u8"C:\\曲\\歌.mid"));
  // The short name names the same file.
  const std::wstring shortName = Widen(paths[1]);
  EXPECT_NE(shortName, korean);
  EXPECT_NE(GetFileAttributesW(shortName.c_str()), INVALID_FILE_ATTRIBUTES) << paths[1];
  EXPECT_EQ(paths[2], "C:\\" + std::string(300, 'a') + ".mid");
}

}  // namespace
}  // namespace koru
