// No exception crosses into Windows: window procedures, dialog procedures and
// thread routines run their work through ReportExceptions, which shows what
// went wrong in a message box and lets the program go on.
#pragma once

#include <windows.h>

#include <exception>

#include "platform/program_title.h"
#include "platform/wide_text_win32.h"

namespace koru {

// `what` is code page 932, as every text of the program.
inline void ShowExceptionReport(HWND owner, const char* what) {
  MessageBoxW(owner, Widen(what).c_str(), Widen(kProgramTitle).c_str(), MB_OK | MB_ICONSTOP);
}

template <typename Work>
void ReportExceptions(HWND owner, Work&& work) {
  try {
    work();
  } catch (const std::exception& error) {
    ShowExceptionReport(owner, error.what());
  } catch (...) {
    ShowExceptionReport(owner, "Unknown error");
  }
}

}  // namespace koru
