// What goes over the wire to the mascot: the request's bytes, the escaping
// of titles, and the scripts of every occasion.
#include <gtest/gtest.h>

#include <string>

#include "desktop/sstp_request.h"
#include "desktop/sstp_scripts.h"
#include "platform/cp932.h"
#include "support/playback_fakes.h"

namespace koru {
namespace {

std::string Text(const char8_t* utf8) { return cp932::FromUtf8(utf8); }

TEST(SstpRequest, IsByteExactWithAndWithoutAnOption) {
  const std::string script = Text(u8"\\h\\s0表示");
  EXPECT_EQ(BuildSstpRequest("MEDIA-PLAYER - KORU", script, ""),
            "SEND SSTP/1.0\r\n"
            "Sender: MEDIA-PLAYER - KORU\r\n"
            "Script: " + script + "\\e\r\n"
            "\r\n");
  EXPECT_EQ(BuildSstpRequest("s", "x", "nodescript"),
            "SEND SSTP/1.0\r\nSender: s\r\nScript: x\\e\r\nOption: nodescript\r\n\r\n");
}

TEST(SstpRequest, AFieldWithALineBreakOrNulIsRefused) {
  for (const std::string& bad : {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3)}) {
    EXPECT_FALSE(BuildSstpRequest(bad, "x", "")) << "sender";
    EXPECT_FALSE(BuildSstpRequest("s", bad, "")) << "script";
    EXPECT_FALSE(BuildSstpRequest("s", "x", bad)) << "option";
  }
}

struct EscapeCase {
  std::string title;
  std::string escaped;
};

TEST(SstpRequest, TitlesAreEscapedAsCodePage932) {
  const EscapeCase cases[] = {
      {"plain", "plain"},
      {"a\\b", "a\\\\b"},
      {"100%", "100\\%"},
      {"\\-", "\\\\-"},                                        // would end the mascot's script
      {Text(u8"ソ表"), Text(u8"ソ表")},                          // trail bytes 0x5C stay single
      {Text(u8"ソ\\"), Text(u8"ソ") + "\\\\"},
      {std::string("a\x01\x1f\x7f" "b\tc", 7), "abc"},           // control bytes go
      {"end\x83", "end"},                                      // a lone lead byte at the end goes
      {"x\x83\ny", "xy"},                                      // a lead byte cannot take LF as its trail
      {"x\x83\\y", "x\x83\\y"},                                // 0x83 0x5C is "ソ", taken whole
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(EscapeSstpText(c.title), c.escaped) << c.title;
}

TEST(SstpScripts, TheGreetingFollowsTheSecondsSinceMidnight) {
  testing::FakeClock clock;
  const std::string prefix = Text(u8"\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\u");
  const struct {
    int second;
    std::string words;
  } cases[] = {
      {5, Text(u8"レアなプレーヤー使っとるな。")},
      {6, Text(u8"コレ、他に使ってるヤツおるのか？")},
      {7, Text(u8"もっとええプレーヤーがあるやろ。")},  // 00:00:07 gives 3
      {9, Text(u8"もっとええプレーヤーがあるやろ。")},
  };
  for (const auto& c : cases) {
    clock.now = TimeOfDay{0, 0, c.second, 0};
    EXPECT_EQ(sstp_script::StartupGreeting(clock), prefix + c.words) << c.second;
  }
}

TEST(SstpScripts, EveryOccasionHasItsText) {
  const std::pair<std::string, std::string> cases[] = {
      {sstp_script::ExitNotice(), Text(u8"\\h\\s0MEDIA-PLAYER - KORU を終了します。")},
      {sstp_script::PlayStarted(Text(u8"[100%ソ表.wav]")),
       Text(u8"\\h\\s0MEDIA-PLAYER - KORU が、\\n\\n[100\\%ソ表.wav]\\n\\nという曲の演奏を始めたよ。")},
      {sstp_script::SearchStarted(), Text(u8"\\h\\s0未登録のメディアファイルを検索しています…")},
      {sstp_script::SearchFinished(0), Text(u8"\\h\\s0未登録のメディアファイルなんてなかったよ。\\u無駄やったね。")},
      {sstp_script::SearchFinished(12), Text(u8"\\h\\s012個の未登録メディアファイルを追加したよ。")},
      {sstp_script::CheckStarted(), Text(u8"\\h\\s0リスト登録済みのファイルを存在確認中です…")},
      {sstp_script::CheckFinished(0), Text(u8"\\h\\s0存在してないファイルなんて無かったよ。\\u無駄やったね。")},
      {sstp_script::CheckFinished(3), Text(u8"\\h\\s03個のメディアファイルをリストから抹消したよ。")},
      {sstp_script::RereadStarted(), Text(u8"\\h\\s0メディア情報を再取得中です…")},
      {sstp_script::RereadFinished(), Text(u8"\\h\\s0メディア情報の再取得が終了したよ。")},
  };
  for (const auto& [script, expected] : cases) EXPECT_EQ(script, expected);
}

}  // namespace
}  // namespace koru
