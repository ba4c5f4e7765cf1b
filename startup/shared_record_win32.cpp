#include "startup/shared_record_win32.h"

#include <utility>

namespace koru {

SharedRecord SharedRecord::Create(const wchar_t* name) {
  SharedRecord record;
  UniqueHandleObject mapping(
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(CommandHandOver), name));
  // Another instance may have won the race between our open and create.
  if (!mapping || GetLastError() == ERROR_ALREADY_EXISTS) return record;
  record.mapping_ = std::move(mapping);
  record.view_ = UniqueMappedView(MapViewOfFile(record.mapping_.Get(), FILE_MAP_WRITE, 0, 0, sizeof(CommandHandOver)));
  if (!record.view_.Get()) record.Close();
  return record;
}

SharedRecord SharedRecord::Open(const wchar_t* name) {
  SharedRecord record;
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
  if (!mapping) return record;
  record.mapping_.Reset(mapping);
  record.view_ = UniqueMappedView(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(CommandHandOver)));
  if (!record.view_.Get()) record.Close();
  return record;
}

}  // namespace koru
