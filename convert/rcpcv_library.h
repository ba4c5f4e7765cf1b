// RCPCV.DLL, the converter of RCP sequencer files into standard MIDI files,
// as the program calls it. The Windows binding loads the library at its
// first use; native tests put a library of their own in its place.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace koru {

// An outside library, or one of its functions, that is not there: raised at
// the call that needed it, as a delayed import would be.
class LibraryMissing : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class RcpcvLibrary {
 public:
  using Object = std::uintptr_t;  // 0: no object

  virtual ~RcpcvLibrary() = default;
  // Every call throws LibraryMissing when the library or the function is
  // missing.
  // rcpcvConvertFile(source, 0, 0, 0, 0); 0 when the file was not converted.
  virtual Object ConvertFile(const std::string& source) = 0;
  virtual int GetSmfLength(Object object) = 0;
  // The converted bytes, valid until the object is deleted.
  virtual const void* GetSmf(Object object) = 0;
  virtual void DeleteObject(Object object) = 0;
  virtual int GetVersionMajor() = 0;
  virtual int GetVersionMinor() = 0;
};

}  // namespace koru
