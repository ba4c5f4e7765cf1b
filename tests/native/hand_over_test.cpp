// The hand-over mailbox, its writer and its consumer, without Windows: the
// record lives in ordinary memory and the "other side" is the test.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "medialist/media_list.h"
#include "platform/cp932.h"
#include "playback/entry_path_adder.h"
#include "startup/command_hand_over.h"
#include "startup/hand_over_consumer.h"
#include "startup/hand_over_writer.h"

namespace koru {
namespace {

CommandHandOver EmptyRecord() {
  CommandHandOver record;
  std::memset(&record, 0, sizeof record);
  return record;
}

TEST(HandOverRecord, PathFieldWithoutNulIsNeverReadPastTheField) {
  // A hostile sender may fill the whole field and the reserved bytes.
  CommandHandOver record;
  std::memset(&record, 'x', sizeof record);
  EXPECT_EQ(PathOf(record), std::string(258, 'x'));
}

TEST(HandOverRecord, PublishRefusesWhatDoesNotFit) {
  CommandHandOver record = EmptyRecord();
  EXPECT_FALSE(PublishPath(record, std::string(258, 'a'), false));
  EXPECT_FALSE(IsPending(record));
  EXPECT_TRUE(PublishPath(record, std::string(257, 'a'), true));
  EXPECT_TRUE(IsPending(record));
  EXPECT_EQ(record.moreFollows, 1);
  EXPECT_EQ(PathOf(record), std::string(257, 'a'));
}

TEST(HandOverRecord, TakingCopiesEverythingThenFreesTheSlot) {
  CommandHandOver shared = EmptyRecord();
  shared.reserved[0] = 0xAB;
  ASSERT_TRUE(PublishPath(shared, "C:\\a.mid", true));
  CommandHandOver copy = EmptyRecord();
  ASSERT_TRUE(TakeRecord(shared, copy));
  EXPECT_EQ(PathOf(copy), "C:\\a.mid");
  EXPECT_EQ(copy.moreFollows, 1);
  EXPECT_EQ(copy.reserved[0], 0xAB);
  EXPECT_FALSE(IsPending(shared));
  EXPECT_EQ(shared.moreFollows, 0);
  EXPECT_FALSE(TakeRecord(shared, copy));
}

HandOverArgument Path(std::string text) { return {HandOverArgument::Kind::Path, std::move(text)}; }
HandOverArgument Option(std::string text) { return {HandOverArgument::Kind::Option, std::move(text)}; }

struct Taken {
  std::string path;
  int moreFollows;
};

// Runs the writer with a consumer that takes the record on every wait.
std::vector<Taken> RunWriter(const std::vector<HandOverArgument>& arguments, std::atomic<std::uint8_t>& noRepeat,
                             HandOverWriterResult* result = nullptr) {
  CommandHandOver record = EmptyRecord();
  std::vector<Taken> taken;
  auto consume = [&] {
    CommandHandOver copy;
    if (TakeRecord(record, copy)) taken.push_back({PathOf(copy), copy.moreFollows});
  };
  HandOverWriterResult r = HandOverWriter(&record, arguments, noRepeat, consume);
  consume();
  if (result) *result = r;
  return taken;
}

TEST(HandOverWriter, HandsOverPathsInOrderAndMarksTheLast) {
  std::atomic<std::uint8_t> noRepeat{1};
  std::vector<Taken> taken = RunWriter({Path("C:\\a.mid"), Path("C:\\b.mid"), Path("C:\\c.mid")}, noRepeat);
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].path, "C:\\a.mid");
  EXPECT_EQ(taken[1].path, "C:\\b.mid");
  EXPECT_EQ(taken[2].path, "C:\\c.mid");
  EXPECT_EQ(taken[0].moreFollows, 1);
  EXPECT_EQ(taken[1].moreFollows, 1);
  EXPECT_EQ(taken[2].moreFollows, 0);
  EXPECT_EQ(noRepeat.load(), 0) << "the writer clears the flag first";
}

TEST(HandOverWriter, OptionsAreNotHandedOverAndOnlySlashOneSetsNoRepeat) {
  std::atomic<std::uint8_t> noRepeat{0};
  std::vector<Taken> taken = RunWriter({Option("/x"), Path("C:\\a.mid")}, noRepeat);
  EXPECT_EQ(noRepeat.load(), 0);
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].moreFollows, 0);

  taken = RunWriter({Option("/1"), Path("C:\\a.mid"), Path("C:\\b.mid")}, noRepeat);
  EXPECT_EQ(noRepeat.load(), 1);
  EXPECT_EQ(taken.size(), 2u);
}

TEST(HandOverWriter, TrailingOptionLeavesTheBatchOpenButAnUnusablePathDoesNot) {
  std::atomic<std::uint8_t> noRepeat{0};
  std::vector<Taken> taken = RunWriter({Path("C:\\a.mid"), Option("/1")}, noRepeat);
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].moreFollows, 1);

  // Nothing is sent for an unusable path: the last path sent ends the batch.
  const HandOverArgument unusable{HandOverArgument::Kind::Unusable, ""};
  taken = RunWriter({Path("C:\\a.mid"), unusable, Path("C:\\b.mid"), unusable, unusable}, noRepeat);
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].moreFollows, 1);
  EXPECT_EQ(taken[1].moreFollows, 0);
}

TEST(HandOverWriter, GivesUpWhenTheSlotStaysTaken) {
  CommandHandOver record = EmptyRecord();
  ASSERT_TRUE(PublishPath(record, "C:\\old.mid", false));
  std::atomic<std::uint8_t> noRepeat{0};
  int sleeps = 0;
  HandOverWriterResult result =
      HandOverWriter(&record, {Path("C:\\a.mid"), Path("C:\\b.mid")}, noRepeat, [&] { ++sleeps; });
  EXPECT_TRUE(result.gaveUp);
  EXPECT_EQ(result.handedOver, 0);
  EXPECT_EQ(sleeps, 100) << "100 waits of 100 ms: about 10 seconds";
  EXPECT_EQ(PathOf(record), "C:\\old.mid");
}

TEST(HandOverWriter, WithoutRecordNothingIsWritten) {
  std::atomic<std::uint8_t> noRepeat{0};
  HandOverWriterResult result = HandOverWriter(nullptr, {Option("/1"), Path("C:\\a.mid")}, noRepeat, [] {});
  EXPECT_TRUE(result.gaveUp);
  EXPECT_EQ(noRepeat.load(), 1);
}

class RecordingDialogs : public UserDialogs {
 public:
  int ShowMessageDialog(std::string_view text, int flags, bool) override {
    messages.emplace_back(text);
    lastFlags = flags;
    return answer::kOk;
  }
  int SystemMessageBox(std::string_view text, int) override {
    messages.emplace_back(text);
    return answer::kOk;
  }
  std::vector<std::string> messages;
  int lastFlags = -1;
};

class RecordingHost : public HandOverHost {
 public:
  bool FocusOnOpen() const override { return focus; }
  void BringMainWindowToFront() override { events.push_back("front"); }
  void SyncAndRefreshList() override { events.push_back("refresh"); }
  void RevealCurrentRow() override { events.push_back("reveal"); }
  void PlayCurrentEntry(bool userInitiated) override {
    events.push_back(userInitiated ? "play-user" : "play-auto");
  }
  bool focus = true;
  std::vector<std::string> events;
};

// A path adder that refuses paths containing "refuse".
class SelectiveAdder : public PathAdder {
 public:
  explicit SelectiveAdder(MediaList& list) : inner_(list) {}
  AddResult AddPathWithHourglass(const std::string& path) override {
    if (path.find("refuse") != std::string::npos) return {};
    return inner_.AddPathWithHourglass(path);
  }

 private:
  EntryPathAdder inner_;
};

class HandOverConsumerTest : public ::testing::Test {
 protected:
  HandOverConsumerTest() : list_("C:\\KORU\\"), adder_(list_), consumer_(list_, adder_, dialogs_, host_) {
    list_.readInfoOnAdd = false;
    std::memset(&record_, 0, sizeof record_);
  }
  void Hand(const std::string& path, bool more) {
    ASSERT_TRUE(PublishPath(record_, path, more));
    consumer_.TakeHandedOverPath(&record_);
    EXPECT_FALSE(IsPending(record_));
  }

  MediaList list_;
  SelectiveAdder adder_;
  RecordingDialogs dialogs_;
  RecordingHost host_;
  HandOverConsumer consumer_;
  CommandHandOver record_;
};

TEST_F(HandOverConsumerTest, NothingWaitingDoesNothing) {
  consumer_.TakeHandedOverPath(&record_);
  consumer_.TakeHandedOverPath(nullptr);
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_TRUE(host_.events.empty());
}

TEST_F(HandOverConsumerTest, BatchPlaysFromItsFirstPathOnceComplete) {
  list_.AddEntry("C:\\old.mid", "");
  Hand("C:\\a.mid", true);
  Hand("C:\\b.mid", true);
  EXPECT_TRUE(host_.events.empty()) << "nothing starts before the batch is complete";
  EXPECT_EQ(consumer_.batchFirstIndex(), 1);
  Hand("C:\\c.mid", false);
  ASSERT_EQ(list_.Count(), 4);
  EXPECT_EQ(list_.Entry(3).path, "C:\\c.mid");
  EXPECT_EQ(list_.CurrentIndex(), 1);
  EXPECT_EQ(host_.events, (std::vector<std::string>{"front", "refresh", "reveal", "play-auto"}));
  EXPECT_EQ(consumer_.batchFirstIndex(), -1);
}

TEST_F(HandOverConsumerTest, FocusSettingOffKeepsTheWindowWhereItIs) {
  host_.focus = false;
  Hand("C:\\a.mid", false);
  EXPECT_EQ(host_.events, (std::vector<std::string>{"refresh", "reveal", "play-auto"}));
}

TEST_F(HandOverConsumerTest, UnaddedLastPathKeepsTheBatchStartForTheNextBatch) {
  Hand("C:\\a.mid", true);
  Hand("C:\\refuse.txt", false);
  EXPECT_TRUE(host_.events.empty());
  EXPECT_EQ(consumer_.batchFirstIndex(), 0);
  Hand("C:\\b.mid", false);
  EXPECT_EQ(list_.CurrentIndex(), 0) << "the next batch starts playback at the earlier batch's first path";
  EXPECT_EQ(host_.events.back(), "play-auto");
}

TEST_F(HandOverConsumerTest, FullListWarnsOnlyForTheLastRecordOfABatch) {
  list_.SetCapacity(100);
  for (int i = 0; i < 100; ++i) list_.AddEntry("C:\\" + std::to_string(i) + ".mid", "");
  Hand("C:\\x.mid", true);
  EXPECT_TRUE(dialogs_.messages.empty());
  Hand("C:\\y.mid", false);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0], cp932::FromUtf8(u8"最大ﾘｽﾄ数を越えて登録する事はできません。"));
  EXPECT_EQ(dialogs_.lastFlags, 48);
  EXPECT_EQ(list_.Count(), 100);
  EXPECT_TRUE(host_.events.empty());
}

}  // namespace
}  // namespace koru
