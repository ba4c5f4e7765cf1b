// The plain-list importer on any bytes: no control byte and no comment line
// reaches the list, and the list is either filled or left alone.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "medialist/list_import.h"
#include "medialist/list_lines.h"
#include "fuzz/fuzz_list.h"
#include "support/fake_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  koru::testing::FakeFileSystem files;
  files.AddFile("D:\\l\\fuzz.m3u", std::string(reinterpret_cast<const char*>(data), size));
  koru::MediaList& list = koru::fuzzing::EmptyList();
  list.AppendRaw(koru::MediaEntry{.path = "E:\\kept.mid"});

  const bool imported = koru::ImportPlainList(list, files, "D:\\l\\fuzz.m3u") == koru::ListRead::kRead;
  if (!imported) {
    const bool untouched = list.Count() == 1 && list.Entry(0).path == "E:\\kept.mid" &&
                           list.ListPath() == "C:\\KORU\\_default.mpl";
    if (!untouched) std::abort();
    return 0;
  }
  if (list.Count() > list.Capacity()) std::abort();
  const bool folderNamed = std::string_view(reinterpret_cast<const char*>(data), size).find("D:\\l\\") != std::string_view::npos;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string& path = list.Entry(i).path;
    if (path.empty() || koru::FindControlByte(path, 0) != path.size()) std::abort();
    // A comment or empty line turns into such a path only when the list
    // does not name the folder itself.
    const bool fromSkippedLine = path.rfind("D:\\l\\#", 0) == 0 || path == "D:\\l\\";
    if (fromSkippedLine && !folderNamed) std::abort();
  }
  return 0;
}
