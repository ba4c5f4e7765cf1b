// The MIDIPLAY importer on any bytes: a file it does not read (no numtracks,
// or too many tracks) leaves the list alone, and the entries never outnumber
// the "=" lines the file really has.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "medialist/list_import.h"
#include "fuzz/fuzz_list.h"
#include "support/fake_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  koru::testing::FakeFileSystem files;
  files.AddFile("D:\\mp\\fuzz.mpl", bytes);
  koru::MediaList& list = koru::fuzzing::EmptyList();
  list.AppendRaw(koru::MediaEntry{.path = "E:\\kept.mid"});

  if (koru::ImportMidiplayList(list, files, "D:\\mp\\fuzz.mpl") != koru::ListRead::kRead) {
    const bool untouched = list.Count() == 1 && list.Entry(0).path == "E:\\kept.mid" &&
                           list.ListPath() == "C:\\KORU\\_default.mpl";
    if (!untouched) std::abort();
    return 0;
  }
  const auto keyLines = std::count(bytes.begin(), bytes.end(), '=');
  if (list.Count() > list.Capacity() || list.Count() > keyLines) std::abort();
  if (list.ListPath() != "C:\\KORU\\fuzz.mpl") std::abort();
  // An empty key must not turn into the folder of the list, unless the file
  // itself names that folder.
  const bool folderNamed = bytes.find("D:\\mp\\") != std::string::npos;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Entry(i).path == "D:\\mp\\" && !folderNamed) std::abort();
  }
  return 0;
}
