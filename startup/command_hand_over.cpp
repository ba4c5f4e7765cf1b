#include "startup/command_hand_over.h"

#include <cstring>

namespace koru {

std::string PathOf(const CommandHandOver& record) {
  const void* end = std::memchr(record.path, '\0', sizeof record.path);
  std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - record.path)
                           : sizeof record.path;
  return std::string(record.path, length);
}

bool PublishPath(CommandHandOver& record, std::string_view path, bool moreFollows) {
  if (path.size() > kMaxHandOverPath || path.find('\0') != std::string_view::npos) return false;
  std::memcpy(record.path, path.data(), path.size());
  record.path[path.size()] = '\0';
  record.moreFollows = moreFollows ? 1 : 0;
  SetPending(record, 1);
  return true;
}

bool TakeRecord(CommandHandOver& shared, CommandHandOver& copy) {
  if (!IsPending(shared)) return false;
  std::memcpy(&copy, &shared, sizeof copy);
  shared.moreFollows = 0;
  SetPending(shared, 0);
  return true;
}

}  // namespace koru
