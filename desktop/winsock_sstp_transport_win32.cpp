#include "desktop/winsock_sstp_transport_win32.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <climits>

#include "platform/unique_handle_win32.h"

namespace koru {
namespace {

// A socket shut down in both directions and closed when its owner goes.
class UniqueSocket {
 public:
  explicit UniqueSocket(SOCKET socket) : socket_(socket) {}
  UniqueSocket(const UniqueSocket&) = delete;
  UniqueSocket& operator=(const UniqueSocket&) = delete;
  ~UniqueSocket() {
    if (socket_ == INVALID_SOCKET) return;
    shutdown(socket_, SD_BOTH);
    closesocket(socket_);
  }
  SOCKET Get() const { return socket_; }
  void Release() { socket_ = INVALID_SOCKET; }
  explicit operator bool() const { return socket_ != INVALID_SOCKET; }

 private:
  SOCKET socket_;
};

timeval TimeValOf(Milliseconds timeout) {
  const long long ms = std::max<long long>(0, timeout.count());
  timeval value{};
  value.tv_sec = static_cast<long>(ms / 1000);
  value.tv_usec = static_cast<long>((ms % 1000) * 1000);
  return value;
}

enum class Wait { Read, Write };

// True when the socket became ready within the timeout.
bool WaitFor(SOCKET socket, Wait what, Milliseconds timeout) {
  fd_set ready;
  fd_set failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(socket, &ready);
  FD_SET(socket, &failed);
  timeval limit = TimeValOf(timeout);
  const int count = what == Wait::Read ? select(0, &ready, nullptr, &failed, &limit)
                                       : select(0, nullptr, &ready, &failed, &limit);
  return count > 0 && FD_ISSET(socket, &ready) && !FD_ISSET(socket, &failed);
}

Milliseconds Now() { return Milliseconds(static_cast<Milliseconds::rep>(GetTickCount64())); }

class WinsockConnection : public SstpConnection {
 public:
  explicit WinsockConnection(SOCKET socket) : socket_(socket) {}

  bool Send(std::string_view bytes, Milliseconds timeout) override {
    const Milliseconds end = Now() + timeout;
    while (!bytes.empty()) {
      const int piece = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
      const int sent = send(socket_.Get(), bytes.data(), piece, 0);
      if (sent > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(sent));
        continue;
      }
      if (sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK && WaitFor(socket_.Get(), Wait::Write, end - Now())) {
        continue;
      }
      return false;
    }
    return true;
  }

  std::optional<std::size_t> Receive(char* buffer, std::size_t capacity, Milliseconds timeout) override {
    if (!WaitFor(socket_.Get(), Wait::Read, timeout)) return std::nullopt;
    const int received = recv(socket_.Get(), buffer, static_cast<int>(std::min<std::size_t>(capacity, INT_MAX)), 0);
    if (received == SOCKET_ERROR) return std::nullopt;
    return static_cast<std::size_t>(received);
  }

 private:
  UniqueSocket socket_;
};

}  // namespace

bool SstpStartup() {
  WSADATA data;
  return WSAStartup(0x0101, &data) == 0;
}

bool WinsockSstpTransport::MascotRunning() {
  UniqueHandleObject mutex(OpenMutexW(SYNCHRONIZE, FALSE, L"sakura"));
  return static_cast<bool>(mutex);
}

std::unique_ptr<SstpConnection> WinsockSstpTransport::Connect(std::uint16_t port, Milliseconds timeout) {
  UniqueSocket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!socket) return nullptr;
  u_long nonBlocking = 1;
  if (ioctlsocket(socket.Get(), FIONBIO, &nonBlocking) != 0) return nullptr;

  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    if (WSAGetLastError() != WSAEWOULDBLOCK || !WaitFor(socket.Get(), Wait::Write, timeout)) return nullptr;
    int error = 0;
    int size = sizeof error;
    if (getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0) {
      return nullptr;
    }
  }
  // The connection takes the socket over.
  auto connection = std::make_unique<WinsockConnection>(socket.Get());
  socket.Release();
  return connection;
}

}  // namespace koru
