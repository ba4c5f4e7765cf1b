// The list commands at the list's full size, over the fakes of the tests: a
// drop of 9,999 files into an empty list (beside the list's own AddEntry of
// the same paths), and deleting 5,000 selected rows of 9,999 (every other row
// and then some).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "archive/null_archiver.h"
#include "playback/list_commands.h"
#include "support/player_rig.h"

namespace koru {
namespace {

constexpr int kEntries = 9999;

class Selection : public ListSelectionView {
 public:
  std::vector<int> rows;
  bool ListShown() override { return true; }
  std::vector<int> SelectedRows() override { return rows; }
  void SelectRows(const std::vector<int>& selected) override { rows = selected; }
  void AutoSizeColumns(bool) override {}
  void CommitTitleEdit() override {}
};

class Quiet : public FileDialogs, public ShellOpener, public CursorControl, public ShortcutResolver,
              public MainWindowFront {
 public:
  std::optional<std::string> ChooseFileToOpen(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const FileDialogRequest&) override { return std::nullopt; }
  bool OpenDocument(const std::string&) override { return true; }
  CursorToken ShowHourglass() override { return 0; }
  void RestoreCursor(CursorToken) override {}
  std::string ResolveShortcut(const std::string& path) override { return path; }
  void BringMainWindowToFront() override {}
};

struct Rig {
  testing::PlayerRig player;
  NullArchiver archiver;
  Quiet quiet;
  Selection rows;
  AddGate gate;
  ListPathAdder adder{{player.list, player.settings, player.files, archiver, quiet, player.controller(),
                       player.dialogs, quiet, quiet}};
  ListCommands commands{{player.list, player.settings, player.files, player.player, player.view, adder, gate, rows,
                         quiet, player.dialogs, player.sstp, quiet, quiet, nullptr}};
};

std::vector<std::string> DroppedPaths() {
  std::vector<std::string> paths;
  for (int i = 0; i < kEntries; ++i) paths.push_back("C:\\Drop\\" + std::to_string(i) + ".mid");
  return paths;
}

void BM_DropIntoAnEmptyList(benchmark::State& state) {
  const std::vector<std::string> paths = DroppedPaths();
  for (auto _ : state) {
    state.PauseTiming();
    auto rig = std::make_unique<Rig>();
    rig->player.list.SetCapacity(kEntries);
    for (const std::string& path : paths) rig->player.files.AddFile(path, "x");
    state.ResumeTiming();
    rig->commands.DropFiles(paths);
    benchmark::DoNotOptimize(rig->player.list.Count());
  }
}
BENCHMARK(BM_DropIntoAnEmptyList)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor under the drop: the list's own AddEntry of the same paths, each
// looked up among the entries before it for a duplicate.
void BM_AddEntryAlone(benchmark::State& state) {
  const std::vector<std::string> paths = DroppedPaths();
  for (auto _ : state) {
    state.PauseTiming();
    MediaList list("C:\\KORU\\");
    list.readInfoOnAdd = false;
    list.SetCapacity(kEntries);
    state.ResumeTiming();
    for (const std::string& path : paths) list.AddEntry(path, "");
    benchmark::DoNotOptimize(list.Count());
  }
}
BENCHMARK(BM_AddEntryAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DeleteFiveThousandSelectedRows(benchmark::State& state) {
  Rig rig;
  rig.player.list.SetCapacity(kEntries);
  for (auto _ : state) {
    state.PauseTiming();
    rig.player.list.ResetList();
    for (int i = 0; i < kEntries; ++i) rig.player.list.AddEntry("C:\\m\\" + std::to_string(i) + ".mid", "");
    rig.rows.rows.clear();
    for (int i = 0; i < kEntries && rig.rows.rows.size() < 5000; i += 2) rig.rows.rows.push_back(i);
    for (int i = 1; rig.rows.rows.size() < 5000; i += 2) rig.rows.rows.push_back(i);
    std::sort(rig.rows.rows.begin(), rig.rows.rows.end());
    state.ResumeTiming();
    rig.commands.mnuDeleteClick();
    benchmark::DoNotOptimize(rig.player.list.Count());
  }
}
BENCHMARK(BM_DeleteFiveThousandSelectedRows)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace koru

BENCHMARK_MAIN();
