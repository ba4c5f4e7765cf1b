// The player's SSTP sender: the GUI thread only checks that the mascot runs
// and queues the request; one sender thread delivers the requests in order.
// At most kMaxWaiting wait behind the one being sent; newer ones are
// dropped, as a mascot that far behind would not be worth hearing.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "desktop/sstp_exchange.h"
#include "desktop/sstp_transport.h"
#include "playback/sstp_sender.h"

namespace koru {

class SstpNotifier : public SstpSender {
 public:
  static constexpr std::size_t kMaxWaiting = 8;

  SstpNotifier(SstpTransport& transport, MonotonicClock& clock, SstpLimits limits = {});
  ~SstpNotifier() override;
  SstpNotifier(const SstpNotifier&) = delete;
  SstpNotifier& operator=(const SstpNotifier&) = delete;

  // True when the request was queued; false, sending nothing, when a field
  // holds CR, LF or NUL, when the mascot is not running, when the queue is
  // full or the notifier closed.
  bool SstpSend(std::string_view sender, std::string_view script, std::string_view option) override;

  // Takes no more requests and waits for the sender thread, which sends what
  // is still waiting as long as the exit limit allows: no step runs past
  // limits.exitWait from now. Run at exit; the destructor runs it too.
  void Close();

 private:
  void Run();
  void SendWaiting();

  SstpTransport& transport_;
  MonotonicClock& clock_;
  const SstpLimits limits_;
  StopDeadline stop_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::string> waiting_;
  bool closing_ = false;
  std::thread thread_;  // last: it starts once everything above exists
};

}  // namespace koru
