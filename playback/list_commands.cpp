#include "playback/list_commands.h"

#include <algorithm>
#include <set>
#include <utility>

#include "desktop/sstp_scripts.h"
#include "medialist/list_file.h"
#include "platform/cp932.h"
#include "platform/program_title.h"
#include "playback/playback_controller.h"

namespace koru {
namespace {

using namespace file_category;

std::string Text(const char8_t* utf8) { return cp932::FromUtf8(utf8); }

// "C:\music\" asks for "C:\music"; a root stays as it is.
std::string WithoutFinalSeparator(std::string folder) {
  if (folder.size() > cp932::RootLength(folder) && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace

// --- mnuFile --------------------------------------------------------------------

void ListCommands::FileOpenClick() {
  p_.gate.Run([this] {
    const std::optional<std::string> path =
        p_.fileDialogs.ChooseFileToOpen(OpenListOrMediaRequest(p_.settings.FileTypes()));
    if (path) AddAndPlay(*path);
  });
}

void ListCommands::mnuFileLastClick(int tag) {
  if (tag < 0 || tag >= static_cast<int>(Settings::kRecentFileCount)) return;
  p_.gate.Run([this, tag] {
    const std::string path = p_.settings.RecentFile(static_cast<std::size_t>(tag));
    if (path.empty()) return;
    p_.settings.AddRecentFile(path);
    AddAndPlay(p_.settings.RecentFile(0));
  });
}

void ListCommands::mnuFileNewClick() {
  if (!Ask(u8"ﾘｽﾄを初期化します。 よろしいですか？")) return;
  p_.list.SetListPath(p_.list.ProgramFolder() + "_default.mpl");
  p_.list.ResetList();
  p_.player.Displays().RefreshList(true);
}

void ListCommands::mnuFileUpdateClick() { SaveListOrSay(); }

void ListCommands::mnuFileSaveClick() {
  std::optional<std::string> chosen = p_.fileDialogs.ChooseFileToSave(SaveListRequest(p_.list.ListPath()));
  if (!chosen) return;
  std::string path = std::move(*chosen);
  if (!cp932::EqualsNoCase(cp932::ExtensionOf(path), ".mpl")) {
    path += ".mpl";
    // The dialog asked about the name as typed, not about this one.
    if (p_.files.KindOf(path) != PathKind::Missing &&
        p_.dialogs.ShowMessageDialog(path + Text(u8" は既に存在します。\n上書きしますか？"), mb::kYesNoExclamation,
                                     true) != answer::kYes) {
      return;
    }
  }
  std::string previous = p_.list.ListPath();
  p_.list.SetListPath(std::move(path));
  if (!SaveListOrSay()) p_.list.SetListPath(std::move(previous));
}

void ListCommands::mnuFileMediaClick() {
  if (!Ask(u8"ﾘｽﾄ登録済みのﾒﾃﾞｨｱ情報を再取得します。\nよろしいですか？ (時間は取得されません)")) return;
  Notify(sstp_script::RereadStarted());
  HourglassScope hourglass(p_.cursor);
  p_.player.Displays().ShowStatus(Text(u8"ﾒﾃﾞｨｱ情報を再取得中です…"));
  const bool playing = p_.player.State() == PlayState::Playing;
  for (int i = 0; i < p_.list.Count(); ++i) {
    if (playing && i == p_.list.CurrentIndex()) continue;
    MediaEntry& entry = p_.list.Entry(i);
    std::string path = ResolveEntryPath(entry.path, p_.list.ListPath());
    if (!p_.player.Controller().PrepareEntryFile(entry, false, path)) continue;
    // A file out of reach (a drive taken away) keeps what was read before.
    if (p_.infoReader == nullptr || p_.files.KindOf(path) != PathKind::File) continue;
    p_.infoReader->Read(p_.list, path, entry);
  }
  Notify(sstp_script::RereadFinished());
  p_.player.Displays().RefreshList(true);
}

void ListCommands::mnuFileSearchClick() {
  p_.gate.Run([this] {
    if (!Ask(u8"ﾘｽﾄ登録済みのﾌｧｲﾙと同一ﾌｫﾙﾀﾞを検索し、\n未登録のﾒﾃﾞｨｱﾌｧｲﾙをﾘｽﾄに登録しますか？")) return;
    Notify(sstp_script::SearchStarted());
    HourglassScope hourglass(p_.cursor);
    p_.player.Displays().ShowStatus(Text(u8"未登録のﾒﾃﾞｨｱﾌｧｲﾙを検索中です…"));
    const int startingCount = p_.list.Count();
    // Adding a file already listed makes it current: the entry that was
    // current stays so.
    const int current = p_.list.CurrentIndex();
    // Entries written relative to the list file name their files by another
    // text, which the list's duplicate check would not match.
    std::set<std::string> listedRelative;
    for (int i = 0; i < startingCount; ++i) {
      const MediaEntry& entry = p_.list.Entry(i);
      if (entry.member.empty() && !cp932::IsRooted(entry.path)) {
        listedRelative.insert(cp932::ToUpper(ResolveEntryPath(entry.path, p_.list.ListPath())));
      }
    }
    std::string previousFolder;
    for (int i = 0; i < startingCount && !p_.list.IsFull(); ++i) {
      std::string folder(cp932::FolderWithSeparatorOf(ResolveEntryPath(p_.list.Entry(i).path, p_.list.ListPath())));
      if (folder.empty() || folder.back() != '\\') folder += '\\';
      if (i > 0 && folder == previousFolder) continue;
      previousFolder = folder;
      SearchFolder(folder, listedRelative);
    }
    p_.list.SetCurrentIndex(current);
    Notify(sstp_script::SearchFinished(static_cast<std::size_t>(p_.list.Count() - startingCount)));
    p_.player.Displays().RefreshList(true);
  });
}

void ListCommands::SearchFolder(const std::string& folder, const std::set<std::string>& listedRelative) {
  for (const FolderItem& item : p_.files.ListFolder(folder)) {
    if (item.isFolder || item.isHidden) continue;
    const std::string path = folder + item.name;
    // Only media and archives: a list file met here would replace the list
    // being searched.
    const char category = p_.settings.CategoryOf(path);
    if (!BecomesEntry(category) && !IsArchive(category)) continue;
    if (listedRelative.count(cp932::ToUpper(path)) != 0) continue;
    p_.adder.AddPathToList(path, {}, false);
  }
}

void ListCommands::mnuFileDeleteClick() {
  if (!Ask(u8"ﾘｽﾄ登録済みのﾌｧｲﾙの再検索を行い、\n存在しないﾌｧｲﾙをﾘｽﾄから削除しますか？")) return;
  Notify(sstp_script::CheckStarted());
  HourglassScope hourglass(p_.cursor);
  p_.player.Displays().ShowStatus(Text(u8"ﾘｽﾄ登録済みのﾌｧｲﾙの存在を確認しています…"));
  std::vector<int> missing;
  for (int i = 0; i < p_.list.Count(); ++i) {
    // Looked for where playing looks for it.
    const std::string path = ResolveEntryPath(p_.list.Entry(i).path, p_.list.ListPath());
    if (p_.files.KindOf(path) == PathKind::File) continue;
    // A drive or share that cannot be reached says nothing about its files.
    const std::string root = path.substr(0, cp932::RootLength(path));
    if (!root.empty() && p_.files.KindOf(root) != PathKind::Folder) continue;
    missing.push_back(i);
  }
  p_.list.DeleteEntries(missing);
  Notify(sstp_script::CheckFinished(missing.size()));
  p_.player.Displays().RefreshList(true);
}

// --- The selected rows ------------------------------------------------------------

std::vector<int> ListCommands::SelectedRowsInList() {
  if (!p_.rows.ListShown()) return {};
  std::vector<int> rows = p_.rows.SelectedRows();
  std::erase_if(rows, [this](int row) { return row < 0 || row >= p_.list.Count(); });
  return rows;
}

void ListCommands::mnuDeleteClick() {
  const std::vector<int> rows = SelectedRowsInList();
  if (rows.empty()) return;
  p_.list.DeleteEntries(rows);
  // Where the last deleted row stood once the rows above it had gone.
  const int lastDeleted = rows.back() - static_cast<int>(rows.size() - 1);
  const int next = std::min(lastDeleted, p_.list.Count() - 1);
  p_.player.Displays().RefreshList(true);
  if (next >= 0) p_.rows.SelectRows({next});
}

void ListCommands::mnuPrevClick() { MoveSelectedRows(-1); }

void ListCommands::mnuNextClick() { MoveSelectedRows(+1); }

void ListCommands::MoveSelectedRows(int direction) {
  const std::vector<int> rows = SelectedRowsInList();
  if (rows.empty()) return;
  // A block at the edge stays where it is, and so do the other rows.
  if (direction < 0 ? rows.front() <= 0 : rows.back() >= p_.list.Count() - 1) return;
  // The row next to the block moves first, so the block moves as one.
  if (direction < 0) {
    for (const int row : rows) p_.list.MoveEntryUp(row);
  } else {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) p_.list.MoveEntryDown(*row);
  }
  std::vector<int> moved;
  for (const int row : rows) moved.push_back(row + direction);
  p_.player.Displays().RefreshList(true);
  p_.rows.SelectRows(moved);
}

void ListCommands::mnuSelectRateClick(int rate) { SetRateOfSelectedRows(MediaList::RateMode::Set, rate); }

void ListCommands::mnuFileSelectRateUpDlClick(int step) { SetRateOfSelectedRows(MediaList::RateMode::Step, step); }

void ListCommands::SetRateOfSelectedRows(MediaList::RateMode mode, int value) {
  const std::vector<int> rows = SelectedRowsInList();
  if (rows.empty()) return;
  for (const int row : rows) p_.list.SetRate(row, mode, value);
  p_.player.Displays().RefreshList(true);
}

void ListCommands::mnuFolderClick() {
  const std::vector<int> rows = SelectedRowsInList();
  if (rows.empty()) return;
  const std::string path = ResolveEntryPath(p_.list.Entry(rows.front()).path, p_.list.ListPath());
  const std::string folder(cp932::FolderWithSeparatorOf(path));
  // Only a folder that is there: given anything else, the shell would run a
  // program a list file names.
  if (folder.empty() || p_.files.KindOf(WithoutFinalSeparator(folder)) != PathKind::Folder) return;
  p_.shell.OpenDocument(folder);
}

// --- The whole list ------------------------------------------------------------------

void ListCommands::mnuSortClick(int key) {
  p_.list.SortList(key);
  p_.player.Displays().RefreshList(true);
}

void ListCommands::mnuClearClick() {
  p_.list.ClearPlayed();
  p_.view.RefreshListRows(true);
}

// --- mnuHelp ---------------------------------------------------------------------------

void ListCommands::mnuReadmeClick() { p_.shell.OpenDocument(p_.list.ProgramFolder() + "README.TXT"); }

void ListCommands::mnuWWWClick() { p_.shell.OpenDocument(kMakerHomePage); }

// --- Dropped files ---------------------------------------------------------------------

void ListCommands::DropFiles(std::vector<std::string> paths) {
  p_.gate.Run([this, paths = std::move(paths)] {
    int first = -1;
    for (const std::string& path : paths) {
      if (!p_.adder.ListHasRoom(true)) break;
      const AddResult result = p_.adder.AddPathWithHourglass(path);
      if (result.added && first == -1) first = result.index;
    }
    if (first != -1) {
      PlayAddedEntry(first);
      return;
    }
    PlaybackDisplays& displays = p_.player.Displays();
    displays.UpdateCounter(true);
    p_.view.ShowDocument(true);
    p_.view.ShowMediaInfoPanel();
    displays.ShowStatus("");
  });
}

// --- Shared steps ----------------------------------------------------------------------

bool ListCommands::Ask(const char8_t* question) {
  return p_.dialogs.ShowMessageDialog(Text(question), mb::kYesNoInformation) == answer::kYes;
}

void ListCommands::Notify(const std::string& script) {
  if (p_.settings.opt.sstp == 1) p_.sstp.SstpSend(kProgramTitle, script, "");
}

void ListCommands::AddAndPlay(const std::string& path) {
  if (!p_.adder.ListHasRoom(true)) return;
  const AddResult result = p_.adder.AddPathWithHourglass(path);
  if (result.added) PlayAddedEntry(result.index);
}

void ListCommands::PlayAddedEntry(int index) {
  p_.player.Displays().RefreshList(true);
  p_.list.SetCurrentIndex(index);
  if (index >= 0 && index < p_.list.Count()) p_.rows.SelectRows({index});
  p_.player.Controller().PlayCurrentEntry(true);
}

bool ListCommands::SaveListOrSay() {
  if (SaveList(p_.list, p_.files, ListFileOptions{p_.settings.opt.backf == 1})) return true;
  p_.dialogs.ShowMessageDialog(Text(u8"ﾘｽﾄﾌｧｲﾙを保存できませんでした。\n") + p_.list.ListPath(), mb::kOkExclamation);
  return false;
}

}  // namespace koru
