// The named, page-file-backed section that holds the hand-over record.
#pragma once

#include <windows.h>

#include "platform/unique_handle_win32.h"
#include "startup/command_hand_over.h"

namespace koru {

class SharedRecord {
 public:
  SharedRecord() = default;
  // Creates the section (read/write) and maps all of it with write access.
  // Succeeds only when the section did not exist yet.
  static SharedRecord Create(const wchar_t* name);
  // Opens an existing section and maps it with write access.
  static SharedRecord Open(const wchar_t* name);

  explicit operator bool() const { return static_cast<bool>(mapping_); }
  CommandHandOver* Record() const { return static_cast<CommandHandOver*>(view_.Get()); }
  // Unmaps the view, then closes the section.
  void Close() {
    view_.Reset();
    mapping_.Reset();
  }
  ~SharedRecord() { Close(); }
  SharedRecord(SharedRecord&&) = default;
  SharedRecord& operator=(SharedRecord&& other) noexcept {
    Close();
    mapping_ = std::move(other.mapping_);
    view_ = std::move(other.view_);
    return *this;
  }

 private:
  UniqueHandleObject mapping_;
  UniqueMappedView view_;  // declared after the mapping: unmapped first
};

}  // namespace koru
