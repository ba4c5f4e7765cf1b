#include "desktop/sstp_exchange.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace koru {
namespace {

constexpr std::size_t kReplyPiece = 200;

// What is left of `limit` from now, no further than `stop`; zero or less
// when nothing is left.
Milliseconds Remaining(MonotonicClock& clock, Milliseconds until, const StopDeadline& stop) {
  return std::min(until, stop.Get()) - clock.Now();
}

}  // namespace

bool ExchangeSstpRequest(SstpTransport& transport, MonotonicClock& clock, const SstpLimits& limits,
                         std::string_view request, const StopDeadline& stop) {
  std::unique_ptr<SstpConnection> connection;
  for (std::uint16_t port : limits.ports) {
    const Milliseconds timeout = Remaining(clock, clock.Now() + limits.connect, stop);
    if (timeout <= Milliseconds::zero()) return false;
    connection = transport.Connect(port, timeout);
    if (connection) break;
  }
  if (!connection) return false;

  const Milliseconds sendTimeout = Remaining(clock, clock.Now() + limits.send, stop);
  if (sendTimeout <= Milliseconds::zero() || !connection->Send(request, sendTimeout)) return false;

  const Milliseconds replyEnd = clock.Now() + limits.reply;
  std::size_t replyLength = 0;
  char piece[kReplyPiece];
  for (;;) {
    const Milliseconds timeout = Remaining(clock, replyEnd, stop);
    if (timeout <= Milliseconds::zero()) return false;
    const std::optional<std::size_t> received = connection->Receive(piece, sizeof piece, timeout);
    if (!received) return false;
    if (*received == 0) return true;
    replyLength += *received;
    if (replyLength > limits.replyCap) return false;
  }
}

}  // namespace koru
