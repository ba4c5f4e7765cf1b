// The SSTP sender against a scripted mascot and a clock the test moves: the
// ports, every time limit, the cap on the reply, the queue's order and
// limit, and how long the exit may wait.
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "desktop/sstp_exchange.h"
#include "desktop/sstp_notifier.h"

namespace koru {
namespace {

using namespace std::chrono_literals;

// Time moves only when the scripted mascot makes it move. Shared with the
// sender thread.
class FakeMonotonicClock : public MonotonicClock {
 public:
  Milliseconds Now() override {
    std::lock_guard lock(mutex_);
    ++reads_;
    read_.notify_all();
    return now_;
  }
  void Advance(Milliseconds by) {
    std::lock_guard lock(mutex_);
    now_ += by;
  }
  Milliseconds Peek() {
    std::lock_guard lock(mutex_);
    return now_;
  }
  int Reads() {
    std::lock_guard lock(mutex_);
    return reads_;
  }
  void WaitForReadsAbove(int count) {
    std::unique_lock lock(mutex_);
    read_.wait(lock, [&] { return reads_ > count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable read_;
  Milliseconds now_{100000};
  int reads_ = 0;
};

// How the mascot answers on one connection, read by read; the last step
// repeats.
struct ReplyStep {
  enum Kind { Bytes, Close, Silent, Fail } kind;
  std::size_t count = 0;
  Milliseconds delay{0};
};

struct MascotLog {
  std::vector<std::string> connects;  // "port timeout"
  std::vector<std::string> requests;
  std::vector<long long> sendTimeouts;
  std::vector<long long> receiveTimeouts;
  int open = 0;  // connections not yet closed
};

class ScriptedConnection : public SstpConnection {
 public:
  ScriptedConnection(FakeMonotonicClock& clock, MascotLog& log, std::mutex& mutex, std::deque<ReplyStep> reply,
                     bool sendFails)
      : clock_(clock), log_(log), mutex_(mutex), reply_(std::move(reply)), sendFails_(sendFails) {}
  ~ScriptedConnection() override {
    std::lock_guard lock(mutex_);
    --log_.open;
  }
  bool Send(std::string_view bytes, Milliseconds timeout) override {
    std::lock_guard lock(mutex_);
    log_.sendTimeouts.push_back(timeout.count());
    if (sendFails_) return false;
    log_.requests.emplace_back(bytes);
    return true;
  }
  std::optional<std::size_t> Receive(char*, std::size_t capacity, Milliseconds timeout) override {
    {
      std::lock_guard lock(mutex_);
      log_.receiveTimeouts.push_back(timeout.count());
    }
    const ReplyStep step = reply_.empty() ? ReplyStep{ReplyStep::Close} : reply_.front();
    if (reply_.size() > 1) reply_.pop_front();
    switch (step.kind) {
      case ReplyStep::Bytes:
        if (step.delay >= timeout) {
          clock_.Advance(timeout);
          return std::nullopt;
        }
        clock_.Advance(step.delay);
        return std::min(step.count, capacity);
      case ReplyStep::Close:
        return 0;
      case ReplyStep::Silent:
        clock_.Advance(timeout);
        return std::nullopt;
      case ReplyStep::Fail:
        return std::nullopt;
    }
    return std::nullopt;
  }

 private:
  FakeMonotonicClock& clock_;
  MascotLog& log_;
  std::mutex& mutex_;
  std::deque<ReplyStep> reply_;
  bool sendFails_;
};

class ScriptedTransport : public SstpTransport {
 public:
  enum class Port { Refuses, NeverAnswers, Accepts };
  explicit ScriptedTransport(FakeMonotonicClock& clock) : clock_(clock) {}

  bool mascotRunning = true;
  std::map<std::uint16_t, Port> ports = {{11000, Port::Accepts}};
  std::deque<ReplyStep> reply;  // the same for every connection
  bool sendFails = false;

  MascotLog Log() {
    std::lock_guard lock(mutex_);
    return log_;
  }
  // Holds every Connect until Open(); WaitForConnects(n) waits until n arrived.
  void Close() {
    std::lock_guard lock(mutex_);
    gateOpen_ = false;
  }
  void Open() {
    {
      std::lock_guard lock(mutex_);
      gateOpen_ = true;
    }
    gate_.notify_all();
  }
  void WaitForConnects(std::size_t count) {
    std::unique_lock lock(mutex_);
    gate_.wait(lock, [&] { return log_.connects.size() >= count; });
  }

  bool MascotRunning() override { return mascotRunning; }
  std::unique_ptr<SstpConnection> Connect(std::uint16_t port, Milliseconds timeout) override {
    std::unique_lock lock(mutex_);
    log_.connects.push_back(std::to_string(port) + " " + std::to_string(timeout.count()));
    gate_.notify_all();
    gate_.wait(lock, [&] { return gateOpen_; });
    auto it = ports.find(port);
    const Port behaviour = it == ports.end() ? Port::Refuses : it->second;
    if (behaviour == Port::NeverAnswers) clock_.Advance(timeout);
    if (behaviour != Port::Accepts) return nullptr;
    ++log_.open;
    return std::make_unique<ScriptedConnection>(clock_, log_, mutex_, reply, sendFails);
  }

 private:
  FakeMonotonicClock& clock_;
  std::mutex mutex_;
  std::condition_variable gate_;
  bool gateOpen_ = true;
  MascotLog log_;
};

class SstpExchangeTest : public ::testing::Test {
 protected:
  bool Exchange() { return ExchangeSstpRequest(transport, clock, SstpLimits{}, "REQUEST", stop); }
  Milliseconds Elapsed() { return clock.Peek() - start; }

  FakeMonotonicClock clock;
  ScriptedTransport transport{clock};
  StopDeadline stop;
  const Milliseconds start = clock.Peek();
};

TEST_F(SstpExchangeTest, AMascotThatAnswersAndClosesGetsTheRequestOnce) {
  transport.reply = {{ReplyStep::Bytes, 37}, {ReplyStep::Close}};
  EXPECT_TRUE(Exchange());
  const MascotLog log = transport.Log();
  EXPECT_EQ(log.connects, std::vector<std::string>{"11000 1000"});
  EXPECT_EQ(log.requests, std::vector<std::string>{"REQUEST"});
  EXPECT_EQ(log.sendTimeouts, std::vector<long long>{1000});
  EXPECT_EQ(log.open, 0);
}

TEST_F(SstpExchangeTest, TheSecondPortIsTriedWithItsOwnSecond) {
  const struct {
    const char* name;
    ScriptedTransport::Port first;
    ScriptedTransport::Port second;
    bool sent;
    Milliseconds elapsed;
  } cases[] = {
      {"refused, then accepted", ScriptedTransport::Port::Refuses, ScriptedTransport::Port::Accepts, true, 0ms},
      {"silent, then accepted", ScriptedTransport::Port::NeverAnswers, ScriptedTransport::Port::Accepts, true, 1000ms},
      {"neither", ScriptedTransport::Port::NeverAnswers, ScriptedTransport::Port::NeverAnswers, false, 2000ms},
  };
  for (const auto& c : cases) {
    FakeMonotonicClock caseClock;
    ScriptedTransport ports(caseClock);
    ports.ports = {{11000, c.first}, {9801, c.second}};
    const Milliseconds began = caseClock.Peek();
    EXPECT_EQ(ExchangeSstpRequest(ports, caseClock, SstpLimits{}, "R", stop), c.sent) << c.name;
    const MascotLog log = ports.Log();
    EXPECT_EQ(log.connects, (std::vector<std::string>{"11000 1000", "9801 1000"})) << c.name;
    EXPECT_EQ(log.requests.size(), c.sent ? 1u : 0u) << c.name;
    EXPECT_EQ(caseClock.Peek() - began, c.elapsed) << c.name;
  }
}

TEST_F(SstpExchangeTest, TheReplyMustEndWithinTwoSecondsAndFourKibibytes) {
  using Step = ReplyStep;
  const struct {
    const char* name;
    std::deque<ReplyStep> reply;
    bool read;
    Milliseconds elapsed;
  } cases[] = {
      {"silent", {{Step::Silent}}, false, 2000ms},
      {"trickling: a byte every 300 ms, never closing", {{Step::Bytes, 1, 300ms}}, false, 2000ms},
      {"a slow reply that ends in time", {{Step::Bytes, 90, 1500ms}, {Step::Close}}, true, 1500ms},
      {"flooding: 200 bytes at once, never closing", {{Step::Bytes, 200}}, false, 0ms},
      {"a failed read", {{Step::Fail}}, false, 0ms},
  };
  for (const auto& c : cases) {
    FakeMonotonicClock caseClock;
    ScriptedTransport mascot(caseClock);
    mascot.reply = c.reply;
    const Milliseconds began = caseClock.Peek();
    EXPECT_EQ(ExchangeSstpRequest(mascot, caseClock, SstpLimits{}, "R", stop), c.read) << c.name;
    EXPECT_EQ(caseClock.Peek() - began, c.elapsed) << c.name;
    EXPECT_EQ(mascot.Log().open, 0) << c.name << ": the connection is closed";
  }
}

TEST_F(SstpExchangeTest, EachReadWaitsOnlyForWhatIsLeftOfTheReplyTime) {
  transport.reply = {{ReplyStep::Bytes, 1, 300ms}};
  EXPECT_FALSE(Exchange());
  const std::vector<long long> waits = transport.Log().receiveTimeouts;
  ASSERT_EQ(waits.size(), 7u);  // six bytes, then the last 200 ms run out
  EXPECT_EQ(waits.front(), 2000);
  EXPECT_EQ(waits[1], 1700);
  EXPECT_EQ(waits.back(), 200);
}

TEST_F(SstpExchangeTest, AReplyUpToTheCapIsReadAndOneByteMoreIsNot) {
  SstpLimits limits;
  limits.replyCap = 400;
  transport.reply = {{ReplyStep::Bytes, 200}};
  // Two pieces fill the cap exactly; the third passes it.
  EXPECT_FALSE(ExchangeSstpRequest(transport, clock, limits, "R", stop));
  EXPECT_EQ(transport.Log().receiveTimeouts.size(), 3u);

  ScriptedTransport exact(clock);
  exact.reply = {{ReplyStep::Bytes, 200}, {ReplyStep::Bytes, 200}, {ReplyStep::Close}};
  EXPECT_TRUE(ExchangeSstpRequest(exact, clock, limits, "R", stop));
}

TEST_F(SstpExchangeTest, AFailedSendClosesTheConnection) {
  transport.sendFails = true;
  EXPECT_FALSE(Exchange());
  EXPECT_TRUE(transport.Log().receiveTimeouts.empty());
  EXPECT_EQ(transport.Log().open, 0);
}

TEST_F(SstpExchangeTest, NoStepRunsPastTheStopDeadline) {
  transport.reply = {{ReplyStep::Silent}};
  stop.Set(clock.Peek() + 500ms);
  EXPECT_FALSE(Exchange());
  const MascotLog log = transport.Log();
  EXPECT_EQ(log.connects, std::vector<std::string>{"11000 500"});
  EXPECT_EQ(log.sendTimeouts, std::vector<long long>{500});
  EXPECT_EQ(log.receiveTimeouts, std::vector<long long>{500});
  EXPECT_EQ(Elapsed(), 500ms);

  ScriptedTransport late(clock);
  EXPECT_FALSE(ExchangeSstpRequest(late, clock, SstpLimits{}, "R", stop));
  EXPECT_TRUE(late.Log().connects.empty());
}

class SstpNotifierTest : public ::testing::Test {
 protected:
  static std::string Request(const std::string& script) {
    return "SEND SSTP/1.0\r\nSender: KORU\r\nScript: " + script + "\\e\r\n\r\n";
  }
  FakeMonotonicClock clock;
  ScriptedTransport transport{clock};
};

TEST_F(SstpNotifierTest, RequestsGoOutInOrderAndAtMostEightWait) {
  std::vector<std::string> expected;
  {
    SstpNotifier notifier(transport, clock);
    transport.Close();
    ASSERT_TRUE(notifier.SstpSend("KORU", "0", ""));
    transport.WaitForConnects(1);  // "0" is being sent, and held there
    for (int i = 1; i <= 8; ++i) EXPECT_TRUE(notifier.SstpSend("KORU", std::to_string(i), "")) << i;
    EXPECT_FALSE(notifier.SstpSend("KORU", "9", "")) << "a ninth waiting request is dropped";
    transport.Open();
    notifier.Close();
    EXPECT_FALSE(notifier.SstpSend("KORU", "10", "")) << "nothing is taken after closing";
  }
  for (int i = 0; i <= 8; ++i) expected.push_back(Request(std::to_string(i)));
  EXPECT_EQ(transport.Log().requests, expected);
}

TEST_F(SstpNotifierTest, NothingIsQueuedWithoutTheMascotOrWithABrokenField) {
  {
    SstpNotifier notifier(transport, clock);
    EXPECT_FALSE(notifier.SstpSend("KORU", "line\nbreak", ""));
    transport.mascotRunning = false;
    EXPECT_FALSE(notifier.SstpSend("KORU", "fine", ""));
  }
  EXPECT_TRUE(transport.Log().connects.empty());
}

TEST_F(SstpNotifierTest, AtExitNothingRunsPastThreeSeconds) {
  transport.reply = {{ReplyStep::Silent}};  // every request takes its two seconds of reply time
  SstpNotifier notifier(transport, clock);
  transport.Close();
  ASSERT_TRUE(notifier.SstpSend("KORU", "A", ""));
  transport.WaitForConnects(1);
  for (const char* script : {"B", "C", "D"}) ASSERT_TRUE(notifier.SstpSend("KORU", script, ""));

  // While "A" is held, only the closing thread reads the clock: once it has,
  // the exit deadline is set, and "A" may go on.
  const Milliseconds closedAt = clock.Peek();
  const int reads = clock.Reads();
  std::thread closer([&] { notifier.Close(); });
  clock.WaitForReadsAbove(reads);
  transport.Open();
  closer.join();

  // "A" takes two seconds; "B" gets the one second left; "C" and "D" never start.
  EXPECT_EQ(transport.Log().requests, (std::vector<std::string>{Request("A"), Request("B")}));
  EXPECT_EQ(clock.Peek() - closedAt, 3000ms);
  EXPECT_EQ(transport.Log().open, 0);
}

}  // namespace
}  // namespace koru
