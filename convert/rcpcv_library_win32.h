// RCPCV.DLL on Windows, bound the way a delayed import binds it: loaded at
// the first call of any of its functions and kept for as long as this object
// lives (the application's lifetime). A missing library or function throws
// LibraryMissing at the call, a C++ exception that every build can catch.
#pragma once

#include "convert/rcpcv_library.h"
#include "platform/unique_handle_win32.h"

namespace koru {

class Win32RcpcvLibrary : public RcpcvLibrary {
 public:
  Object ConvertFile(const std::string& source) override;
  int GetSmfLength(Object object) override;
  const void* GetSmf(Object object) override;
  void DeleteObject(Object object) override;
  int GetVersionMajor() override;
  int GetVersionMinor() override;

 private:
  // The named export, loading the library first when it is not loaded yet.
  template <typename Function>
  Function Bind(const char* exportName);

  UniqueModule module_;
};

}  // namespace koru
