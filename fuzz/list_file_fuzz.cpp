// The own list reader on any bytes: it must never store more than the
// capacity, and whatever it reads must survive a save and a second load.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "medialist/list_file.h"
#include "medialist/list_lines.h"
#include "fuzz/fuzz_list.h"
#include "support/fake_file_system.h"

namespace {


constexpr const char* kListPath = "D:\\lists\\fuzz.mpl";

void Require(bool condition) {
  if (!condition) std::abort();
}

// What the reader keeps of a value it reads back: up to its first control byte.
std::string AsReadBack(const std::string& value) { return value.substr(0, koru::FindControlByte(value, 0)); }

void RequireSameAfterSave(const koru::MediaList& first, const koru::MediaList& second) {
  Require(first.Count() == second.Count());
  for (int n = 0; n < koru::MediaList::kHeaderFieldCount; ++n) {
    Require(second.HeaderField(n) == AsReadBack(first.HeaderField(n)));
  }
  for (int i = 0; i < first.Count(); ++i) {
    const koru::MediaEntry& a = first.Entry(i);
    const koru::MediaEntry& b = second.Entry(i);
    Require(b.path == AsReadBack(a.path) && b.member == AsReadBack(a.member) && b.title == AsReadBack(a.title) &&
            b.time == AsReadBack(a.time) && b.kind == AsReadBack(a.kind) && b.producer == AsReadBack(a.producer) &&
            b.copyright == AsReadBack(a.copyright) && b.source == AsReadBack(a.source) &&
            b.savedTitle == AsReadBack(a.savedTitle) && b.rate == AsReadBack(a.rate));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  koru::testing::FakeFileSystem files;
  files.AddFile(kListPath, std::string(reinterpret_cast<const char*>(data), size));
  koru::MediaList& list = koru::fuzzing::EmptyList();
  if (koru::LoadList(list, files, kListPath) != koru::ListRead::kRead) return 0;
  Require(list.Count() <= list.Capacity());

  Require(koru::SaveList(list, files, {.backupToProgramFolder = true}));
  koru::MediaList& again = koru::fuzzing::EmptyList(1);
  Require(koru::LoadList(again, files, list.ListPath()) == koru::ListRead::kRead);
  RequireSameAfterSave(list, again);
  return 0;
}
