#include "desktop/sstp_notifier.h"

#include <optional>

#include "desktop/sstp_request.h"

namespace koru {

SstpNotifier::SstpNotifier(SstpTransport& transport, MonotonicClock& clock, SstpLimits limits)
    : transport_(transport), clock_(clock), limits_(limits), thread_([this] { Run(); }) {}

SstpNotifier::~SstpNotifier() { Close(); }

bool SstpNotifier::SstpSend(std::string_view sender, std::string_view script, std::string_view option) {
  std::optional<std::string> request = BuildSstpRequest(sender, script, option);
  if (!request || !transport_.MascotRunning()) return false;
  {
    std::lock_guard lock(mutex_);
    if (closing_ || waiting_.size() >= kMaxWaiting) return false;
    waiting_.push_back(std::move(*request));
  }
  wake_.notify_one();
  return true;
}

void SstpNotifier::Close() {
  {
    std::lock_guard lock(mutex_);
    if (!closing_) stop_.Set(clock_.Now() + limits_.exitWait);
    closing_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void SstpNotifier::Run() {
  // Nothing may leave the thread: a failure (memory, say) ends the sending,
  // silently, as every SSTP failure is.
  try {
    SendWaiting();
  } catch (...) {
  }
}

void SstpNotifier::SendWaiting() {
  for (;;) {
    std::string request;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
      if (waiting_.empty() || clock_.Now() >= stop_.Get()) return;
      request = std::move(waiting_.front());
      waiting_.pop_front();
    }
    ExchangeSstpRequest(transport_, clock_, limits_, request, stop_);
  }
}

}  // namespace koru
