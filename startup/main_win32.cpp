// The program's entry point: one instance per desktop. A later instance hands
// its command line to the running one through the record "VELTA.KORU" and
// ends; the first instance feeds its own command line through the same record
// from a short-lived thread, so that one consumer (the main window's timer)
// takes every path.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "startup/application_win32.h"
#include "startup/command_line_win32.h"
#include "startup/hand_over_writer.h"
#include "startup/shared_record_win32.h"
#include "ui/exception_report.h"

namespace {

constexpr wchar_t kRecordName[] = L"VELTA.KORU";

int RunPlayer(HINSTANCE instance, koru::CommandHandOver* handOver, std::atomic<std::uint8_t>& noRepeat) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  koru::Application application(instance, handOver, noRepeat);
  return application.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The outside libraries are loaded by file name: one planted in the
  // current folder (where an archive or a list was opened from) must not be
  // the one found. The program's own folder and the system's stay searched.
  SetDllDirectoryW(L"");
  std::atomic<std::uint8_t> noRepeat{0};
  const auto sleep100 = [] { Sleep(100); };

  koru::SharedRecord record = koru::SharedRecord::Open(kRecordName);
  if (record) {
    // Another instance runs: hand the command line over and end.
    koru::HandOverWriter(record.Record(), koru::PrepareArguments(koru::CommandLineArguments()), noRepeat, sleep100);
    return 1;
  }

  record = koru::SharedRecord::Create(kRecordName);
  if (!record) {
    // Lost the race to another instance starting at the same moment.
    if (koru::SharedRecord other = koru::SharedRecord::Open(kRecordName)) {
      koru::HandOverWriter(other.Record(), koru::PrepareArguments(koru::CommandLineArguments()), noRepeat, sleep100);
      return 1;
    }
  }

  // Declared after the record, so the thread is joined before the record is
  // unmapped. Asked to stop, it stops waiting for the slot at once.
  std::jthread startupThread;
  if (record) {
    koru::CommandHandOver* handOver = record.Record();
    handOver->moreFollows = 0;
    koru::SetPending(*handOver, 0);
    startupThread = std::jthread([handOver, &noRepeat](std::stop_token stop) {
      try {
        const auto sleepUnlessStopped = [&stop] {
          if (!stop.stop_requested()) Sleep(100);
        };
        koru::HandOverWriter(handOver, koru::PrepareArguments(koru::CommandLineArguments()), noRepeat,
                             sleepUnlessStopped);
      } catch (...) {
        // The command line is lost; the player runs on without it.
      }
    });
  }

  int exitCode = 0;
  koru::ReportExceptions(nullptr, [&] { exitCode = RunPlayer(instance, record ? record.Record() : nullptr, noRepeat); });
  startupThread.request_stop();
  return exitCode;
}
