// One SSTP request from connection to the end of the reply, each step held
// to a time limit, so that a mascot that never answers cannot hold on to
// the sender for long.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "desktop/sstp_transport.h"

namespace koru {

struct SstpLimits {
  // The second port is tried, on a new connection, when the first refuses.
  std::array<std::uint16_t, 2> ports = {11000, 9801};
  Milliseconds connect{1000};  // per port
  Milliseconds send{1000};
  Milliseconds reply{2000};  // the whole reply, until the mascot closes
  std::size_t replyCap = 4096;
  Milliseconds exitWait{3000};  // at exit, for everything still to send
};

// A moment no step may run past; far in the future until it is set.
class StopDeadline {
 public:
  void Set(Milliseconds at) { at_.store(at.count(), std::memory_order_release); }
  Milliseconds Get() const { return Milliseconds(at_.load(std::memory_order_acquire)); }

 private:
  std::atomic<Milliseconds::rep> at_{Milliseconds::max().count()};
};

// Connects (first port, then the second), sends the request and reads the
// reply in pieces of up to 200 bytes until the mascot closes the
// connection; the reply itself is dropped. True when the request was sent
// and the whole reply read within the limits; false on any failure, on a
// time-out, on a reply longer than the cap, and when `stop` has passed. The
// connection is closed on every path.
bool ExchangeSstpRequest(SstpTransport& transport, MonotonicClock& clock, const SstpLimits& limits,
                         std::string_view request, const StopDeadline& stop);

}  // namespace koru
