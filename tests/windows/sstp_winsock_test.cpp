// SSTP over real sockets, against a mascot inside the test on ports of its
// own: the request's bytes, the second port, the mascot's mutex, and
// mascots that never answer, answer a byte at a time or never stop. The
// limits themselves are tested natively; here each bad mascot must only
// lose, and find its connection closed, well before the watchdog bites.
#include "desktop/winsock_sstp_transport_win32.h"

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>

#include "desktop/sstp_exchange.h"
#include "desktop/sstp_notifier.h"
#include "platform/unique_handle_win32.h"

namespace koru {
namespace {

using namespace std::chrono_literals;

// A listening socket on a free port of 127.0.0.1.
class Listener {
 public:
  Listener() {
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() { closesocket(socket_); }
  void Listen() { listen(socket_, 4); }
  // The next connection, or INVALID_SOCKET when none came within `timeout`.
  SOCKET Accept(std::chrono::milliseconds timeout) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket_, &ready);
    timeval limit{static_cast<long>(timeout.count() / 1000), static_cast<long>(timeout.count() % 1000 * 1000)};
    if (select(0, &ready, nullptr, nullptr, &limit) != 1) return INVALID_SOCKET;
    return accept(socket_, nullptr, nullptr);
  }
  std::uint16_t Port() const { return port_; }

 private:
  SOCKET socket_;
  std::uint16_t port_ = 0;
};

// Reads until the empty line that ends a request; "" when the peer went.
std::string ReadRequest(SOCKET peer) {
  std::string request;
  char piece[256];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const int received = recv(peer, piece, sizeof piece, 0);
    if (received <= 0) return std::string();
    request.append(piece, static_cast<std::size_t>(received));
  }
  return request;
}

// True once the peer has closed (or reset) the connection, within `timeout`.
bool PeerCloses(SOCKET peer, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  char piece[256];
  while (std::chrono::steady_clock::now() < end) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(peer, &ready);
    timeval limit{0, 100000};
    if (select(0, &ready, nullptr, nullptr, &limit) == 1 && recv(peer, piece, sizeof piece, 0) <= 0) return true;
  }
  return false;
}

enum class Mascot { Answers, Silent, Trickles, Floods };

struct Visit {
  std::string request;
  bool closedByKoru = false;
};

// Serves one connection the mascot's way, on its own thread.
std::future<Visit> Serve(Listener& listener, Mascot mascot) {
  listener.Listen();
  return std::async(std::launch::async, [&listener, mascot] {
    Visit visit;
    const SOCKET peer = listener.Accept(10s);
    if (peer == INVALID_SOCKET) return visit;
    visit.request = ReadRequest(peer);
    switch (mascot) {
      case Mascot::Answers: {
        const char reply[] = "SSTP/1.0 200 OK\r\nCharset: Shift_JIS\r\n\r\n";
        send(peer, reply, sizeof reply - 1, 0);
        break;
      }
      case Mascot::Silent:
        visit.closedByKoru = PeerCloses(peer, 15s);
        break;
      case Mascot::Trickles:
        for (auto end = std::chrono::steady_clock::now() + 15s; std::chrono::steady_clock::now() < end;) {
          if (send(peer, "x", 1, 0) != 1 || PeerCloses(peer, 200ms)) {
            visit.closedByKoru = true;
            break;
          }
        }
        break;
      case Mascot::Floods: {
        const std::string flood(64 * 1024, 'x');
        for (auto end = std::chrono::steady_clock::now() + 15s; std::chrono::steady_clock::now() < end;) {
          if (send(peer, flood.data(), static_cast<int>(flood.size()), 0) == SOCKET_ERROR) {
            visit.closedByKoru = true;
            break;
          }
        }
        break;
      }
    }
    closesocket(peer);
    return visit;
  });
}

// The mascot's mutex, held for the test's span.
class MascotMutex {
 public:
  MascotMutex() : mutex_(CreateMutexW(nullptr, FALSE, L"sakura")) {}

 private:
  UniqueHandleObject mutex_;
};

// Runs `body` and aborts the whole test program when it has not returned
// within `limit`: a hang must fail loudly, not wait for CTest's time-out.
template <typename Body>
auto WithWatchdog(std::chrono::seconds limit, Body body) {
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::thread([done, limit] {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!*done) {
      if (std::chrono::steady_clock::now() > end) {
        std::fputs("watchdog: the SSTP sender hangs\n", stderr);
        std::abort();
      }
      std::this_thread::sleep_for(50ms);
    }
  }).detach();
  auto result = body();
  *done = true;
  return result;
}

class SstpWinsockTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(SstpStartup()); }
  static std::string Script() { return "\\h\\s0\x95\x5c\x83\x5c"; }  // 表ソ, both with a trail byte 0x5C
  static std::string Expected() {
    return "SEND SSTP/1.0\r\nSender: MEDIA-PLAYER - KORU\r\nScript: " + Script() + "\\e\r\n\r\n";
  }

  WinsockSstpTransport transport;
  SteadyClock clock;
};

TEST_F(SstpWinsockTest, TheMascotGetsTheRequestByteForByte) {
  MascotMutex mascot;
  Listener server;
  std::future<Visit> visit = Serve(server, Mascot::Answers);
  Listener unused;
  {
    SstpNotifier notifier(transport, clock, SstpLimits{{server.Port(), unused.Port()}});
    EXPECT_TRUE(notifier.SstpSend("MEDIA-PLAYER - KORU", Script(), ""));
  }
  EXPECT_EQ(visit.get().request, Expected());
}

TEST_F(SstpWinsockTest, AFirstPortThatRefusesLeadsToTheSecond) {
  MascotMutex mascot;
  Listener refusing;  // bound, never listening: connections are refused
  Listener server;
  std::future<Visit> visit = Serve(server, Mascot::Answers);
  StopDeadline stop;
  EXPECT_TRUE(ExchangeSstpRequest(transport, clock, SstpLimits{{refusing.Port(), server.Port()}}, Expected(), stop));
  EXPECT_EQ(visit.get().request, Expected());
}

TEST_F(SstpWinsockTest, WithoutTheMascotsMutexNothingConnects) {
  Listener server;
  server.Listen();
  {
    SstpNotifier notifier(transport, clock, SstpLimits{{server.Port(), server.Port()}});
    EXPECT_FALSE(transport.MascotRunning());
    EXPECT_FALSE(notifier.SstpSend("MEDIA-PLAYER - KORU", Script(), ""));
  }
  EXPECT_EQ(server.Accept(0ms), INVALID_SOCKET);
}

TEST_F(SstpWinsockTest, MascotsThatNeverFinishLoseAndAreHungUpOn) {
  for (Mascot mascot : {Mascot::Silent, Mascot::Trickles, Mascot::Floods}) {
    Listener server;
    std::future<Visit> visit = Serve(server, mascot);
    StopDeadline stop;
    const bool sent = WithWatchdog(30s, [&] {
      return ExchangeSstpRequest(transport, clock, SstpLimits{{server.Port(), server.Port()}}, Expected(), stop);
    });
    EXPECT_FALSE(sent) << static_cast<int>(mascot);
    const Visit seen = visit.get();
    EXPECT_EQ(seen.request, Expected()) << static_cast<int>(mascot);
    EXPECT_TRUE(seen.closedByKoru) << static_cast<int>(mascot);
  }
}

}  // namespace
}  // namespace koru
