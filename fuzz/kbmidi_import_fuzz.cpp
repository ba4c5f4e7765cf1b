// The KbMIDI importer on any bytes: a refused file leaves the list as it was,
// an accepted one never fills more than the capacity.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "medialist/list_import.h"
#include "fuzz/fuzz_list.h"
#include "support/fake_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  koru::testing::FakeFileSystem files;
  files.AddFile("D:\\kb\\fuzz.kbm", std::string(reinterpret_cast<const char*>(data), size));
  files.AddFile("D:\\kb\\fuzz.mpl", "");
  koru::MediaList& list = koru::fuzzing::EmptyList();
  list.AppendRaw(koru::MediaEntry{.path = "E:\\kept.mid"});

  if (koru::ImportKbMidiList(list, files, "D:\\kb\\fuzz.kbm") == koru::ListRead::kRead) {
    if (list.Count() > list.Capacity() || list.ListPath() != "D:\\kb\\fuzz_2.mpl") std::abort();
  } else if (list.Count() != 1 || list.Entry(0).path != "E:\\kept.mid") {
    std::abort();
  }
  return 0;
}
