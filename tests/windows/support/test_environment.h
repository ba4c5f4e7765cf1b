// What the Windows tests share: the programs under test and scratch folders.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace koru::testing {

// A Unix path of the build tree as Wine sees it (drive Z: is the root).
std::wstring WindowsPathOfUnixPath(const char* unixPath);

// KORU.exe of this build.
std::wstring KoruExePath();
// The folder of this build's programs and libraries (KORU.exe, LUMETRIX.dll,
// the test doubles), with a trailing backslash.
std::wstring BuildFolder();

// The folder of the library doubles of one architecture ("x86_64", "i686"),
// or of a variant below it ("x86_64\\main-only"), with a trailing backslash.
std::wstring DoublesFolder(const std::wstring& subfolder);

// A generated test file (the archives of tests/doubles/archiver/test_zips.py).
std::wstring FixturePath(const std::wstring& name);

// The bytes of a file another process may be writing; empty when it cannot be
// opened.
std::string ReadBytes(const std::wstring& path);

// Dispatches the thread's messages until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// A fresh folder under the Windows temporary folder, removed with its files
// (not following links) when the test ends.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::wstring& Path() const { return path_; }  // with a trailing backslash
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }
  // Creates a file with the given bytes.
  void WriteFile(const std::wstring& name, const std::string& bytes) const;

 private:
  std::wstring path_;
};

struct ProcessResult {
  bool started = false;
  bool finished = false;
  DWORD exitCode = 0;
  DWORD milliseconds = 0;
};

// Runs a program with a command line (program name included) in a folder and
// waits for it at most `timeoutMs`.
ProcessResult RunProcess(const std::wstring& program, const std::wstring& commandLine,
                         const std::wstring& currentFolder, DWORD timeoutMs);

}  // namespace koru::testing
