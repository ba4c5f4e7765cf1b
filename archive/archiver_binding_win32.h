// The extraction manager as the program runs it: the hidden window, the
// system side and TArchiver, with the faces the rest of the player uses
// (Archiver for adding paths, MemberExtractor for playback).
#pragma once

#include <windows.h>

#include "archive/archive_manager.h"
#include "archive/archiver_platform_win32.h"
#include "archive/archiver_window_win32.h"

namespace koru {

class ArchiverBinding {
 public:
  // `mainWindow` is the owner window every library gets.
  ArchiverBinding(HINSTANCE instance, HWND mainWindow);
  ~ArchiverBinding();
  ArchiverBinding(const ArchiverBinding&) = delete;
  ArchiverBinding& operator=(const ArchiverBinding&) = delete;

  ArchiverN::TArchiver& Archiver() { return archiver_; }
  MemberExtractor& Extractor() { return extractor_; }
  HWND MessageWindow() const { return window_.Handle(); }
  // How the libraries are loaded, for whoever loads one of its own.
  ArchiverN::ArchiverPlatform& Libraries() { return platform_; }

 private:
  Win32ArchiverPlatform platform_;
  ArchiverMessageWindow window_;
  ArchiverN::TArchiver archiver_;
  ArchiverN::ArchiverExtractor extractor_;
};

}  // namespace koru
