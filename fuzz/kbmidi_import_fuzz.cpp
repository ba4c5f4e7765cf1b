// The KbMIDI importer on any bytes: a refused file leaves the list as it was,
// an accepted one never fills more than the capacity.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "medialist/list_import.h"
#include "support/fake_file_system.h"

namespace {

// Building a list allocates all its slots; one list per process, emptied for
// each input, keeps the fuzzer fast.
koru::MediaList& EmptyList(int which = 0) {
  static koru::MediaList lists[2] = {koru::MediaList("C:\\KORU\\"), koru::MediaList("C:\\KORU\\")};
  koru::MediaList& list = lists[which];
  list.SetCapacity(32);
  list.ResetList();
  list.readInfoOnAdd = false;
  list.SetListPath("C:\\KORU\\_default.mpl");
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  koru::testing::FakeFileSystem files;
  files.AddFile("D:\\kb\\fuzz.kbm", std::string(reinterpret_cast<const char*>(data), size));
  files.AddFile("D:\\kb\\fuzz.mpl", "");
  koru::MediaList& list = EmptyList();
  list.AppendRaw(koru::MediaEntry{.path = "E:\\kept.mid"});

  if (koru::ImportKbMidiList(list, files, "D:\\kb\\fuzz.kbm")) {
    if (list.Count() > list.Capacity() || list.ListPath() != "D:\\kb\\fuzz_2.mpl") std::abort();
  } else if (list.Count() != 1 || list.Entry(0).path != "E:\\kept.mid") {
    std::abort();
  }
  return 0;
}
