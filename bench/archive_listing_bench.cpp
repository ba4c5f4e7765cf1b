// Listing an archive of 65,536 members (the most the add routine asks for)
// through TArchiver and the member-name rules, over a library in memory:
// the time per member, and the most heap the listing holds at once.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "archive/archive_manager.h"
#include "archive/member_name.h"
#include "support/fake_archiver_library.h"

namespace {

std::atomic<std::size_t> g_heapNow{0};
std::atomic<std::size_t> g_heapPeak{0};

constexpr int kMembers = 65536;

}  // namespace

// Every allocation carries its size in front, so the heap in use is known.
void* operator new(std::size_t size) {
  auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
  if (!block) throw std::bad_alloc();
  *block = size;
  const std::size_t now = g_heapNow += size;
  std::size_t peak = g_heapPeak.load();
  while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
  }
  return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}
void operator delete(void* pointer) noexcept {
  if (!pointer) return;
  auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(pointer) - sizeof(std::max_align_t));
  g_heapNow -= *block;
  std::free(block);
}
void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }

namespace {

void BM_ListArchiveMembers(benchmark::State& state) {
  koru::testing::FakeArchiverPlatform platform;
  koru::testing::FakeArchiverLibrary& library = platform.libraries["unzip32.dll"];
  library.prefix = "UnZip";
  for (int i = 0; i < kMembers; ++i) {
    library.members.push_back("Album " + std::to_string(i / 100) + "/track " + std::to_string(i) + ".mid");
  }
  koru::ArchiverN::TArchiver archiver(platform, nullptr, nullptr);
  std::size_t peakAbove = 0;
  for (auto _ : state) {
    const std::size_t before = g_heapNow.load();
    g_heapPeak = before;
    int usable = 0;
    archiver.SetArchive("C:\\music\\big.zip");
    archiver.FirstMember("*.*");
    for (int listed = 0; listed < kMembers && archiver.NextMember(); ++listed) {
      const std::optional<std::string> stored = archiver.MemberInfo();
      if (stored && koru::UsableMemberFileName(*stored)) ++usable;
    }
    benchmark::DoNotOptimize(usable);
    if (usable != kMembers) state.SkipWithError("members were lost");
    peakAbove = std::max(peakAbove, g_heapPeak.load() - before);
  }
  state.SetItemsProcessed(state.iterations() * kMembers);
  state.counters["ns_per_member"] = benchmark::Counter(
      static_cast<double>(kMembers) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["peak_heap_bytes"] = static_cast<double>(peakAbove);
}
BENCHMARK(BM_ListArchiveMembers)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
