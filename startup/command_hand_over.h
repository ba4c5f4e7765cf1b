// The hand-over record "VELTA.KORU": a single-slot mailbox through which a
// later instance (or the first instance's start-up thread) passes command-line
// paths to the running player, one at a time.
//
// The writer fills the path and moreFollows first and publishes the record by
// storing pending = 1 last (release); the reader sees pending = 1 (acquire),
// copies the whole record and only then frees the slot. The writer never
// touches the record while pending is 1.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace koru {

struct CommandHandOver {
  std::uint8_t pending;      // 1 = a path waits for the running instance
  std::uint8_t moreFollows;  // 1 = more arguments of the same command line follow
  char path[258];            // code page 932, NUL-terminated
  std::uint8_t reserved[2];  // copied, never interpreted
};

static_assert(sizeof(CommandHandOver) == 0x106, "the shared record is 262 bytes");
static_assert(offsetof(CommandHandOver, pending) == 0);
static_assert(offsetof(CommandHandOver, moreFollows) == 1);
static_assert(offsetof(CommandHandOver, path) == 2);
static_assert(offsetof(CommandHandOver, reserved) == 260);

inline constexpr char kHandOverName[] = "VELTA.KORU";
inline constexpr std::size_t kMaxHandOverPath = sizeof(CommandHandOver::path) - 1;  // 257 bytes

// The flag stores and loads of the protocol, ordered for two threads or two
// processes sharing the record.
inline bool IsPending(CommandHandOver& record) {
  return std::atomic_ref<std::uint8_t>(record.pending).load(std::memory_order_acquire) == 1;
}
inline void SetPending(CommandHandOver& record, std::uint8_t value) {
  std::atomic_ref<std::uint8_t>(record.pending).store(value, std::memory_order_release);
}

// The path of a record as text. The record comes from another process, so a
// path field without a NUL is never read past the field.
std::string PathOf(const CommandHandOver& record);

// Puts a path into a free record and publishes it. False (and nothing
// written) when the path does not fit the field.
bool PublishPath(CommandHandOver& record, std::string_view path, bool moreFollows);

// Takes a pending record: copies it whole, then frees the slot. False when no
// path is waiting.
bool TakeRecord(CommandHandOver& shared, CommandHandOver& copy);

}  // namespace koru
