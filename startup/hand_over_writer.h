// Writes the arguments of a command line into the hand-over record, one per
// record, waiting for the running instance to take each.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "startup/command_hand_over.h"

namespace koru {

// An argument of the command line, already prepared: an option, a path in
// its final code page 932 form, or a path that cannot be handed over (no
// form of it fits the record), which is skipped as if it were not there.
struct HandOverArgument {
  enum class Kind { Option, Path, Unusable };
  Kind kind = Kind::Path;
  std::string text;  // the option as given, or the path
};

// True when the option is "/1" (no repeat): its second character, upper-cased,
// is "1".
bool IsNoRepeatOption(const std::string& option);

struct HandOverWriterResult {
  int handedOver = 0;
  bool gaveUp = false;  // the running instance did not take a record in time
};

// Runs the writer over the arguments. `noRepeat` is cleared first and set by
// "/1". `sleep` waits 100 ms; the writer waits at most `maxWaits` times for
// the slot to become free before it drops the rest of the command line.
HandOverWriterResult HandOverWriter(CommandHandOver* record, const std::vector<HandOverArgument>& arguments,
                                    std::atomic<std::uint8_t>& noRepeat, const std::function<void()>& sleep,
                                    int maxWaits = 100);

}  // namespace koru
