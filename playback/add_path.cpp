#include "playback/add_path.h"

#include <string_view>

#include "archive/member_name.h"
#include "medialist/list_file.h"
#include "medialist/list_import.h"
#include "platform/cp932.h"

namespace koru {
namespace {

using namespace file_category;

// Names beginning with "." are skipped, the folder entries "." and ".."
// included.
bool FileNameBeginsWithDot(std::string_view path) {
  const std::string_view name = cp932::FileNameOf(path);
  return !name.empty() && name.front() == '.';
}

// "C:\" stays as it is; "C:\music" gets its backslash.
std::string FolderPrefix(const std::string& folder) {
  const bool endsInBackslash =
      !folder.empty() && cp932::FileNameStart(folder) == folder.size() && folder.back() == '\\';
  return endsInBackslash ? folder : folder + '\\';
}

// The first index a part of a walk or a listing added, kept over the rest.
void KeepFirst(int& first, const AddResult& result) {
  if (first == -1 && result.added) first = result.index;
}

std::string CheckSucceededText(std::string_view fileName) {
  return cp932::FromUtf8(u8"新しいﾒﾃﾞｨｱ ") + std::string(fileName) +
         cp932::FromUtf8(
             u8" の演奏ﾁｪｯｸに成功しました。\nこのﾌｧｲﾙﾀｲﾌﾟを演奏可能なﾒﾃﾞｨｱﾌｧｲﾙとして登録します。 よろしいですか？");
}

std::string CheckFailedText(std::string_view fileName) {
  return cp932::FromUtf8(u8"新しいﾒﾃﾞｨｱ ") + std::string(fileName) +
         cp932::FromUtf8(
             u8" の演奏ﾁｪｯｸに失敗しました!!\nこのﾌｧｲﾙﾀｲﾌﾟを演奏不可な非ﾒﾃﾞｨｱﾌｧｲﾙとして登録します。 よろしいですか？");
}

}  // namespace

AddResult ListPathAdder::AddPathToList(const std::string& path, const std::string& archiveContext, bool ask) {
  // An empty path names nothing, and must not take a recent-path slot.
  if (path.empty()) return {};
  if (!archiveContext.empty()) return AddMember(path, archiveContext);
  walkedFolders_.clear();
  return AddOnDisk(path, ask, 0);
}

AddResult ListPathAdder::AddPathWithHourglass(const std::string& path, const std::string& archiveContext) {
  HourglassScope hourglass(parts_.cursor);
  return AddPathToList(path, archiveContext, true);
}

bool ListPathAdder::ListHasRoom(bool report) {
  if (parts_.list.Count() < parts_.list.Capacity()) return true;
  if (report) ShowListFull();
  return false;
}

void ListPathAdder::ShowListFull() {
  parts_.mainWindow.BringMainWindowToFront();
  parts_.dialogs.ShowMessageDialog(ListFullText(), mb::kOkExclamation);
}

AddResult ListPathAdder::AddOnDisk(const std::string& path, bool ask, int depth) {
  std::string p = parts_.shortcuts.ResolveShortcut(path);
  // A link is followed to a file only. Its stored data are the link's
  // author's word, so a link that claims a file but leads to a folder is
  // taken as the link file itself: a folder of links to its own parent would
  // otherwise be walked again and again.
  if (p != path && parts_.files.KindOf(p) == PathKind::Folder) p = path;
  if (FileNameBeginsWithDot(p)) return {};
  if (parts_.files.KindOf(p) == PathKind::Folder) return AddFolder(p, ask, depth);

  parts_.settings.AddRecentFile(p);
  const char category = parts_.settings.CategoryOf(p);
  if (BecomesEntry(category)) return AddEntry(p, {});
  if (IsArchive(category)) return AddArchiveMembers(p);
  switch (category) {
    case kOwnList:
      return LoadListFile(p);
    case kKbMidiPlayList:
    case kPlainPlayList:
      return ImportList(p, category);
    case kUnknown:
      return ask ? CheckPlayability(p) : AddResult{};
    default:
      return {};
  }
}

AddResult ListPathAdder::AddMember(const std::string& name, const std::string& archive) {
  // A member is a name inside the archive, not a path on disk: it is neither
  // resolved as a link nor looked for as a folder. Archives, lists and
  // unknown types inside an archive are not followed.
  if (!IsUsableMemberName(name) || FileNameBeginsWithDot(name)) return {};
  if (!BecomesEntry(parts_.settings.CategoryOf(name))) return {};
  return AddEntry(archive, name);
}

AddResult ListPathAdder::AddFolder(const std::string& folder, bool ask, int depth) {
  if (depth > kMaxFolderDepth) return {};
  if (const std::optional<FolderIdentity> identity = parts_.files.IdentityOf(folder)) {
    if (!walkedFolders_.insert(*identity).second) return {};
  }
  const std::string prefix = FolderPrefix(folder);
  int first = -1;
  for (const FolderItem& item : parts_.files.ListFolder(folder)) {
    if (item.isHidden) continue;
    // Junctions and symbolic links to folders may lead back up the tree.
    if (item.isFolder && item.isLink) continue;
    KeepFirst(first, AddOnDisk(prefix + item.name, ask, depth + 1));
  }
  return {first != -1, first};
}

AddResult ListPathAdder::AddArchiveMembers(const std::string& archive) {
  Archiver& archiver = parts_.archiver;
  archiver.SetArchive(archive);
  archiver.FirstMember("*.*");
  int first = -1;
  // Once the list is full no member can be added any more.
  for (int listed = 0; listed < kMaxArchiveMembers && !parts_.list.IsFull() && archiver.NextMember(); ++listed) {
    const std::optional<std::string> stored = archiver.MemberInfo();
    if (!stored) continue;
    // Only the file-name part counts: folders stored in the archive are
    // dropped, and a name that could not stand as a file name is refused.
    const std::optional<std::string> name = UsableMemberFileName(*stored);
    if (!name) continue;
    KeepFirst(first, AddMember(*name, archive));
  }
  return {first != -1, first};
}

AddResult ListPathAdder::LoadListFile(const std::string& path) {
  parts_.playback.FuncStopClick();
  return ListFileResult(LoadList(parts_.list, parts_.files, path));
}

AddResult ListPathAdder::ImportList(const std::string& path, char category) {
  parts_.playback.FuncStopClick();
  return ListFileResult(category == kKbMidiPlayList ? ImportKbMidiList(parts_.list, parts_.files, path)
                                                    : ImportPlainList(parts_.list, parts_.files, path));
}

AddResult ListPathAdder::ListFileResult(ListRead read) {
  // A list file the list cannot hold is not loaded in part: the list and
  // its file stay as they were, so nothing is cut at exit, and the user
  // hears why nothing happened.
  if (read == ListRead::kDoesNotFit) ShowListFull();
  if (read != ListRead::kRead) return {};
  return {true, parts_.list.CurrentIndex()};
}

AddResult ListPathAdder::CheckPlayability(const std::string& path) {
  const std::string_view fileName = cp932::FileNameOf(path);
  if (parts_.playback.OpenForPlayabilityCheck(path)) {
    parts_.mainWindow.BringMainWindowToFront();
    if (parts_.dialogs.SystemMessageBox(CheckSucceededText(fileName), mb::kYesNoInformation) == answer::kYes) {
      parts_.settings.SetCategory(path, kMedia);
    }
    // The user saw it play: it is added whatever the answer.
    AddResult result = AddEntry(path, {});
    result.added = true;
    return result;
  }
  parts_.mainWindow.BringMainWindowToFront();
  if (parts_.dialogs.SystemMessageBox(CheckFailedText(fileName), mb::kYesNoExclamation) == answer::kYes) {
    parts_.settings.SetCategory(path, kNonMedia);
  }
  return {};
}

AddResult ListPathAdder::AddEntry(const std::string& path, const std::string& member) {
  if (!parts_.list.AddEntry(path, member)) return {};
  return {true, parts_.list.CurrentIndex()};
}

}  // namespace koru
