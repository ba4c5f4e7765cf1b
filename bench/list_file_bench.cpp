// Loading and saving a full list (9,999 entries) on the real file system,
// beside the floor every reader pays: reading the file and finding its line
// ends. LoadList should stay within four times that floor.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "medialist/list_file.h"
#include "platform/cp932.h"
#include "platform/posix_file_system.h"

namespace {

constexpr int kEntries = 9999;

// A temporary folder with one full list file in it, made once for all runs.
class FullListOnDisk {
 public:
  FullListOnDisk() : files_(koru::MakePosixFileSystem()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "koru-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    list_ = std::make_unique<koru::MediaList>(folder_ + "/");
    list_->SetListPath(folder_ + "/full.mpl");
    const std::string title = koru::cp932::FromUtf8(u8"交響曲第九番 第四楽章 ");
    for (int i = 0; i < kEntries; ++i) {
      const std::string n = std::to_string(i);
      koru::MediaEntry entry;
      entry.path = "D:\\Music\\MIDI\\Collection " + std::to_string(i / 100) + "\\song" + n + ".mid";
      entry.member = i % 5 == 0 ? "inner\\track" + n + ".mid" : "";
      entry.title = title + n;
      entry.time = std::to_string(60000 + i * 37);
      entry.kind = "SMF";
      entry.producer = "Producer " + n;
      entry.copyright = "Copyright (C) 1998 Someone";
      entry.source = "SC-88Pro";
      entry.rate = std::to_string(i % 4);
      list_->AppendRaw(entry);
    }
    koru::SaveList(*list_, *files_, {});
  }
  ~FullListOnDisk() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  koru::FileSystem& files() { return *files_; }
  koru::MediaList& list() { return *list_; }
  const std::string& path() const { return list_->ListPath(); }
  std::string folder() const { return folder_ + "/"; }

 private:
  std::unique_ptr<koru::FileSystem> files_;
  std::string folder_;
  std::unique_ptr<koru::MediaList> list_;
};

FullListOnDisk& Fixture() {
  static FullListOnDisk fixture;
  return fixture;
}

void BM_ReadFileAndFindLineEnds(benchmark::State& state) {
  FullListOnDisk& fixture = Fixture();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::optional<std::string> data = fixture.files().ReadWholeFile(fixture.path());
    std::size_t lines = 0;
    const char* at = data->data();
    const char* end = at + data->size();
    while (const void* lf = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
      ++lines;
      at = static_cast<const char*>(lf) + 1;
    }
    benchmark::DoNotOptimize(lines);
    bytes = data->size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ReadFileAndFindLineEnds)->Unit(benchmark::kMillisecond);

void BM_LoadList(benchmark::State& state) {
  FullListOnDisk& fixture = Fixture();
  koru::MediaList list(fixture.folder());
  for (auto _ : state) {
    if (koru::LoadList(list, fixture.files(), fixture.path()) != koru::ListRead::kRead || list.Count() != kEntries) {
      state.SkipWithError("load failed");
    }
  }
}
BENCHMARK(BM_LoadList)->Unit(benchmark::kMillisecond);

void BM_FormatOwnList(benchmark::State& state) {
  FullListOnDisk& fixture = Fixture();
  for (auto _ : state) benchmark::DoNotOptimize(koru::FormatOwnList(fixture.list()));
}
BENCHMARK(BM_FormatOwnList)->Unit(benchmark::kMillisecond);

// With the flush to the disk that a safe save needs.
void BM_SaveList(benchmark::State& state) {
  FullListOnDisk& fixture = Fixture();
  for (auto _ : state) {
    if (!koru::SaveList(fixture.list(), fixture.files(), {})) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
