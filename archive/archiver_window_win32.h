// The extraction manager's hidden window: the archiver libraries report
// their progress to it with the registered message "wm_arcextract", and it
// answers through TArchiver::AnswerArcExtract.
#pragma once

#include <windows.h>

#include "archive/archive_manager.h"

namespace koru {

class ArchiverMessageWindow {
 public:
  static constexpr wchar_t kClassName[] = L"KoruArchiverMessages";

  explicit ArchiverMessageWindow(HINSTANCE instance);
  ~ArchiverMessageWindow();
  ArchiverMessageWindow(const ArchiverMessageWindow&) = delete;
  ArchiverMessageWindow& operator=(const ArchiverMessageWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  UINT ExtractMessage() const { return extractMessage_; }
  // The manager that answers "wm_arcextract"; none: every message gets 0.
  void AnswerFor(ArchiverN::TArchiver* archiver) { archiver_ = archiver; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  UINT extractMessage_ = 0;
  ArchiverN::TArchiver* archiver_ = nullptr;
  HWND hwnd_ = nullptr;
};

}  // namespace koru
