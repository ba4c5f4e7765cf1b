#include "startup/player_data.h"

#include <algorithm>

#include "medialist/import_list_name.h"
#include "medialist/list_file.h"
#include "medialist/list_read.h"
#include "platform/cp932.h"

namespace koru {
namespace {

OrderMode OrderModeOf(int random) {
  switch (random) {
    case 1: return OrderMode::UnplayedOnly;
    case 2: return OrderMode::ByRate;
    default: return OrderMode::ListOrder;
  }
}

}  // namespace

std::string ReadOnlyProgramFolderText(const std::string& programFolder) {
  return cp932::FromUtf8(u8"KORUのﾌｫﾙﾀﾞ「") + programFolder +
         cp932::FromUtf8(u8"」に書き込めません。\n設定(KORU.ini)とﾘｽﾄは終了時に保存されません。\n"
                         u8"KORUを書き込めるﾌｫﾙﾀﾞに置いてください。");
}

std::string ResolveListPath(const std::string& value, const std::string& programFolder) {
  if (value.empty()) return value;
  return cp932::ResolveBeside(programFolder, value);
}

std::string LoadPlayerData(Settings& settings, MediaList& list, FileSystem& files, PlayOrder& order,
                           UserDialogs& dialogs) {
  settings.LoadSettings();
  if (settings.IniUnreadable()) {
    dialogs.SystemMessageBox(cp932::FromUtf8(u8"KORU.iniを読み込めませんでした。\n"
                                             u8"既定の設定で起動します。今回の設定はKORU.iniに保存されません。"),
                             mb::kOkExclamation);
  }
  // KORU.ini and the default list live beside the program. Where this user
  // may not write (under Program Files without administrator rights, where
  // Windows does not redirect the writes of a program that asks for no
  // elevation), the user hears so now, once, instead of losing them at exit.
  if (!files.CanCreateFilesIn(list.ProgramFolder())) {
    dialogs.SystemMessageBox(ReadOnlyProgramFolderText(list.ProgramFolder()), mb::kOkExclamation);
  }
  list.SetListPath(ResolveListPath(settings.mpl.file, list.ProgramFolder()));
  std::string unreadable;
  const ListRead read = LoadList(list, files, list.ListPath());
  if (read == ListRead::kRead) {
    settings.AddRecentFile(list.ListPath());
  } else if (files.KindOf(list.ListPath()) == PathKind::File) {
    unreadable = list.ListPath();
    if (read == ListRead::kDoesNotFit) dialogs.ShowMessageDialog(ListFullText(), mb::kOkExclamation);
  }

  // A track beyond the list is left as it is: play starts over at the first
  // entry then. Below 0 it names no entry at all.
  list.SetCurrentIndex(std::max(settings.mpl.track, 0));
  const int flags = std::min(static_cast<int>(settings.mpl.play.size()), list.Count());
  for (int i = 0; i < flags; ++i) list.Entry(i).played = settings.mpl.play[static_cast<std::size_t>(i)] == '1';

  order.repeat = settings.mpl.repeat == 1;
  order.mode = OrderModeOf(settings.mpl.random);
  return unreadable;
}

void StorePlayerData(Settings& settings, MediaList& list, FileSystem& files, const PlayOrder& order,
                     const std::string& unreadableListPath) {
  // A list file that could not be read at start-up (another program held it,
  // or it is of a kind this version does not read) is the user's: nothing is
  // written over it. What this run gathered goes to a free name beside it.
  const bool overUnreadable =
      !unreadableListPath.empty() && cp932::EqualsNoCase(list.ListPath(), unreadableListPath);
  bool save = true;
  if (overUnreadable) {
    const std::optional<std::string> freeName =
        list.Count() == 0 ? std::nullopt : FreeListNameFor(files, unreadableListPath);
    if (freeName) {
      list.SetListPath(*freeName);
    } else {
      save = false;
    }
  }
  if (save) SaveList(list, files, ListFileOptions{settings.opt.backf == 1});

  settings.mpl.file = list.ListPath();
  settings.mpl.track = list.CurrentIndex();
  std::string played;
  played.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) played += list.Entry(i).played ? '1' : '0';
  settings.mpl.play = std::move(played);
  settings.mpl.repeat = order.repeat ? 1 : 0;
  settings.mpl.random = static_cast<int>(order.mode);
  settings.SaveSettings();
}

}  // namespace koru
