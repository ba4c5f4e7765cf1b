// No exception crosses into Windows: window procedures, dialog procedures and
// thread routines run their work through ReportExceptions, which shows what
// went wrong in a message box and lets the program go on.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "platform/wide_text_win32.h"
#include "ui/program_title.h"

namespace koru {

inline void ShowExceptionReport(HWND owner, const char* what) {
  std::wstring text(what, what + std::char_traits<char>::length(what));
  MessageBoxW(owner, text.c_str(), kProgramTitle, MB_OK | MB_ICONSTOP);
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
