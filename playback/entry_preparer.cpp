#include "playback/entry_preparer.h"

#include "archive/member_name.h"
#include "platform/cp932.h"
#include "playback/extracted_file.h"

namespace koru {

bool EntryPreparer::PrepareEntryFile(const MediaEntry& entry, bool report, std::string& path) {
  const std::string source = path;
  const char category = c_.settings.CategoryOf(source);
  if (file_category::IsArchive(category)) return ExtractMember(source, entry.member, report, path);
  switch (category) {
    case file_category::kMedia:
      return true;
    case file_category::kRcpSequence:
      if (!TempFolderUsable(report, u8"RCPﾌｧｲﾙが変換できません")) return false;
      return ConvertRcp(source, report, path);
    case file_category::kOgg:
      if (!TempFolderUsable(report, u8"OGGﾌｧｲﾙが変換できません")) return false;
      ConvertOgg(source, report, path);
      return true;
    default:
      return false;
  }
}

bool EntryPreparer::TempFolderUsable(bool report, const char8_t* failure) {
  // A junction, link or file in the temporary folder's place would send what
  // is written there somewhere else.
  if (c_.playbackFiles.IsPlainFolder(c_.tempFolder)) return true;
  Report(report, failure);
  return false;
}

bool EntryPreparer::ExtractMember(const std::string& source, const std::string& member, bool report,
                                  std::string& path) {
  const char8_t* failure = u8"ﾒﾃﾞｨｱﾌｧｲﾙが解凍できません";
  // The member comes from a list file, which may hold any text there: only a
  // name that stays below the temporary folder reaches a library.
  if (!IsUsableMemberPath(member)) {
    Report(report, failure);
    return false;
  }
  if (!TempFolderUsable(report, failure)) return false;
  // Every member sharing the base name comes out too: the documents and
  // pictures that go with the song.
  const std::string pattern = "\"" + std::string(cp932::WithoutExtension(member)) + ".*\"";
  std::optional<std::string> extracted;
  // A library that says it succeeded may still have written nothing.
  if (c_.converters.extractor.ExtractMembers(source, c_.tempFolder, pattern) == 0) {
    extracted = FindExtractedFile(c_.files, c_.tempFolder, member);
  }
  if (!extracted) {
    Report(report, failure);
    return false;
  }
  path = *extracted;
  return true;
}

bool EntryPreparer::ConvertRcp(const std::string& source, bool report, std::string& path) {
  const std::string target = c_.tempFolder + std::string(cp932::FileNameOf(source)) + ".mid";
  bool converted = false;
  try {
    const std::optional<std::string> smf = c_.converters.rcp.ConvertToSmf(source);
    converted = smf && c_.files.WriteFileAtomically(target, *smf);
  } catch (...) {
    converted = false;
  }
  if (!converted) {
    Report(report, u8"RCPﾌｧｲﾙが変換できません");
    return false;
  }
  path = target;
  return true;
}

void EntryPreparer::ConvertOgg(const std::string& source, bool report, std::string& path) {
  path = c_.tempFolder + std::string(cp932::FileNameOf(source)) + ".wav";
  // A WAV file of that name is a conversion of this run, kept read-only.
  if (c_.files.KindOf(path) != PathKind::Missing) return;
  c_.view.SetHourglass(true);
  Report(report, u8"OGGﾌｧｲﾙを変換中です…");
  try {
    // The decoder's results are not looked at: a failed decoding shows when
    // the device cannot open the file.
    c_.converters.ogg.LoadOgg();
    c_.converters.ogg.DecodeOgg(source, path);
    c_.converters.ogg.UnloadOgg();
    c_.playbackFiles.SetReadOnly(path);
  } catch (...) {
    try {
      c_.converters.ogg.UnloadOgg();
    } catch (...) {
    }
    Report(report, u8"OGGﾌｧｲﾙが変換できません");
  }
  c_.view.SetHourglass(false);
}

void EntryPreparer::Report(bool report, const char8_t* text) {
  if (report) c_.displays.ShowStatus(cp932::FromUtf8(text));
}

}  // namespace koru
