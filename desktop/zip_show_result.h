// The ZIP archiver library's own result window ("ShowResult" in its registry
// settings) is switched off while the player runs and the user's setting is
// put back at exit.
#pragma once

#include <cstdint>

namespace koru {

struct ShowResultValue {
  enum class Kind {
    Absent,   // no key or no value
    Number,   // a REG_DWORD
    Foreign,  // a value of another type: not ours to touch
  };
  Kind kind = Kind::Absent;
  std::uint32_t number = 0;
};

// Where the value lives (the registry on Windows).
class ShowResultStore {
 public:
  virtual ~ShowResultStore() = default;
  // Reads without creating anything.
  virtual ShowResultValue Read() = 0;
  virtual void Write(std::uint32_t value) = 0;
  virtual void Remove() = 0;
};

class ZipResultWindow {
 public:
  explicit ZipResultWindow(ShowResultStore& store) : store_(store) {}

  // While the main window is created: remember the value, then write 0.
  void SwitchOff();
  // While the main window is destroyed: a value that was not 0 is written
  // back; a value that was absent is removed again, not left at 0.
  void Restore();

 private:
  ShowResultStore& store_;
  ShowResultValue remembered_{ShowResultValue::Kind::Foreign, 0};  // until SwitchOff: touch nothing
};

}  // namespace koru
