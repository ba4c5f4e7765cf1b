// SSTP over Winsock to the mascot on 127.0.0.1. Every wait is bounded: the
// socket is non-blocking and each step waits in select() for at most the
// time it is given.
#pragma once

#include "desktop/sstp_transport.h"

namespace koru {

// Starts the socket library (version 1.1) for the process; true on success.
// Called once while the main window is created; no clean-up follows.
bool SstpStartup();

class WinsockSstpTransport : public SstpTransport {
 public:
  bool MascotRunning() override;
  std::unique_ptr<SstpConnection> Connect(std::uint16_t port, Milliseconds timeout) override;
};

}  // namespace koru
