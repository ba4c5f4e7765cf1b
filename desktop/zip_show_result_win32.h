// The ZIP archiver library's "ShowResult" under
// HKCU\Software\ArchiverDll\UNZIP32\Settings. The registry ignores the case
// of key names, so "ArchiverDLL" names the same key.
#pragma once

#include <cstdint>

#include "desktop/zip_show_result.h"

namespace koru {

// Opens the key read-only: nothing is created.
ShowResultValue ReadZipShowResult();
// Creates the key when missing and writes a REG_DWORD.
void WriteZipShowResult(std::uint32_t value);
void DeleteZipShowResult();

class RegistryShowResultStore : public ShowResultStore {
 public:
  ShowResultValue Read() override { return ReadZipShowResult(); }
  void Write(std::uint32_t value) override { WriteZipShowResult(value); }
  void Remove() override { DeleteZipShowResult(); }
};

}  // namespace koru
