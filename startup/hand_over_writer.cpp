#include "startup/hand_over_writer.h"

namespace koru {

bool IsNoRepeatOption(const std::string& option) { return option.size() >= 2 && option[1] == '1'; }

HandOverWriterResult HandOverWriter(CommandHandOver* record, const std::vector<HandOverArgument>& arguments,
                                    std::atomic<std::uint8_t>& noRepeat, const std::function<void()>& sleep,
                                    int maxWaits) {
  HandOverWriterResult result;
  noRepeat.store(0);
  // The batch ends with the last path that is sent: an unusable path after
  // it sends nothing, so it cannot end the batch, while a trailing option
  // keeps it open (nothing plays).
  std::size_t n = arguments.size();
  while (n > 0 && arguments[n - 1].kind == HandOverArgument::Kind::Unusable) --n;
  for (std::size_t i = 0; i < n; ++i) {
    const HandOverArgument& argument = arguments[i];
    if (argument.kind == HandOverArgument::Kind::Option) {
      if (IsNoRepeatOption(argument.text)) noRepeat.store(1);
      continue;
    }
    if (argument.kind == HandOverArgument::Kind::Unusable) continue;

    for (int waits = 0; record && IsPending(*record) && waits < maxWaits; ++waits) sleep();
    if (!record || IsPending(*record)) {
      result.gaveUp = true;
      return result;
    }
    if (PublishPath(*record, argument.text, i + 1 < n)) ++result.handedOver;
  }
  return result;
}

}  // namespace koru
