#include "desktop/sstp_scripts.h"

#include "desktop/sstp_request.h"
#include "platform/cp932.h"
#include "platform/program_title.h"

namespace koru::sstp_script {

std::string StartupGreeting(Clock& clock) {
  switch (RandomIn(clock, 1, 5)) {
    case 1:
      return cp932::FromUtf8(u8"\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\uレアなプレーヤー使っとるな。");
    case 2:
      return cp932::FromUtf8(u8"\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\uコレ、他に使ってるヤツおるのか？");
    default:
      return cp932::FromUtf8(u8"\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\uもっとええプレーヤーがあるやろ。");
  }
}

std::string ExitNotice() { return cp932::FromUtf8(u8"\\h\\s0MEDIA-PLAYER - KORU を終了します。"); }

std::string PlayStarted(std::string_view titleLine) {
  return "\\h\\s0" + std::string(kProgramTitle) + cp932::FromUtf8(u8" が、\\n\\n") + EscapeSstpText(titleLine) +
         cp932::FromUtf8(u8"\\n\\nという曲の演奏を始めたよ。");
}

std::string SearchStarted() { return cp932::FromUtf8(u8"\\h\\s0未登録のメディアファイルを検索しています…"); }

std::string SearchFinished(std::size_t added) {
  if (added == 0) return cp932::FromUtf8(u8"\\h\\s0未登録のメディアファイルなんてなかったよ。\\u無駄やったね。");
  return "\\h\\s0" + std::to_string(added) + cp932::FromUtf8(u8"個の未登録メディアファイルを追加したよ。");
}

std::string CheckStarted() { return cp932::FromUtf8(u8"\\h\\s0リスト登録済みのファイルを存在確認中です…"); }

std::string CheckFinished(std::size_t removed) {
  if (removed == 0) return cp932::FromUtf8(u8"\\h\\s0存在してないファイルなんて無かったよ。\\u無駄やったね。");
  return "\\h\\s0" + std::to_string(removed) + cp932::FromUtf8(u8"個のメディアファイルをリストから抹消したよ。");
}

std::string RereadStarted() { return cp932::FromUtf8(u8"\\h\\s0メディア情報を再取得中です…"); }

std::string RereadFinished() { return cp932::FromUtf8(u8"\\h\\s0メディア情報の再取得が終了したよ。"); }

}  // namespace koru::sstp_script
