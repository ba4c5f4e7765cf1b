// What the SSTP sender needs from the network, so that the sending rules
// (ports, time limits, the cap on the reply) can be tested without one: the
// Winsock binding connects to the local host; tests script the mascot.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace koru {

using Milliseconds = std::chrono::milliseconds;

// A clock that only goes forward, for time limits.
class MonotonicClock {
 public:
  virtual ~MonotonicClock() = default;
  virtual Milliseconds Now() = 0;
};

class SteadyClock : public MonotonicClock {
 public:
  Milliseconds Now() override {
    return std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
  }
};

// One connection to the mascot; it is shut down in both directions and
// closed when its owner lets it go.
class SstpConnection {
 public:
  virtual ~SstpConnection() = default;
  // Sends every byte within `timeout`; false otherwise.
  virtual bool Send(std::string_view bytes, Milliseconds timeout) = 0;
  // Waits at most `timeout` for bytes and stores up to `capacity` of them:
  // their count, 0 when the peer has closed the connection, nothing on a
  // failure or time-out.
  virtual std::optional<std::size_t> Receive(char* buffer, std::size_t capacity, Milliseconds timeout) = 0;
};

class SstpTransport {
 public:
  virtual ~SstpTransport() = default;
  // True while the mascot's mutex "sakura" exists.
  virtual bool MascotRunning() = 0;
  // A new connection to `port` on the local host, or null when none was
  // made within `timeout`.
  virtual std::unique_ptr<SstpConnection> Connect(std::uint16_t port, Milliseconds timeout) = 0;
};

}  // namespace koru
