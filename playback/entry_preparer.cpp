#include "playback/entry_preparer.h"

#include <memory>

#include "archive/member_name.h"
#include "convert/wave_sound.h"
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
      return ConvertOgg(source, report, path);
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

bool EntryPreparer::ConvertOgg(const std::string& source, bool report, std::string& path) {
  const std::string wave = c_.tempFolder + std::string(cp932::FileNameOf(source)) + ".wav";
  if (IsCachedConversion(source, wave)) {
    path = wave;
    return true;
  }
  c_.view.SetHourglass(true);
  Report(report, u8"OGGﾌｧｲﾙを変換中です…");
  const bool decoded = ClearWavePlace(wave) && DecodeOgg(source, wave);
  if (decoded) {
    // Read-only, the WAV outlives the clean-up before each play.
    c_.playbackFiles.SetReadOnly(wave);
    decodedFrom_[cp932::ToUpper(wave)] = source;
  } else {
    // Whatever the decoder left is no song and must not pass for a cached one.
    c_.playbackFiles.RemoveFile(wave);
    Report(report, u8"OGGﾌｧｲﾙが変換できません");
  }
  c_.view.SetHourglass(false);
  if (decoded) path = wave;
  return decoded;
}

bool EntryPreparer::IsCachedConversion(const std::string& source, const std::string& wave) {
  const auto it = decodedFrom_.find(cp932::ToUpper(wave));
  return it != decodedFrom_.end() && cp932::EqualsNoCase(it->second, source) &&
         c_.files.KindOf(wave) == PathKind::File;
}

bool EntryPreparer::ClearWavePlace(const std::string& wave) {
  // A WAV of that name not decoded from this source in this run: a song of
  // the same name from another folder, or one left by a run that ended
  // early. It goes, so that it never plays in place of this one.
  decodedFrom_.erase(cp932::ToUpper(wave));
  if (c_.files.KindOf(wave) != PathKind::Missing) {
    c_.playbackFiles.ClearReadOnly(wave);
    c_.playbackFiles.RemoveFile(wave);
  }
  // Anything left in its place would be taken for the decoder's output.
  return c_.files.KindOf(wave) == PathKind::Missing;
}

bool EntryPreparer::DecodeOgg(const std::string& source, const std::string& wave) {
  try {
    // The decoder's results tell nothing: only its output is looked at.
    c_.converters.ogg.LoadOgg();
    c_.converters.ogg.DecodeOgg(source, wave);
    c_.converters.ogg.UnloadOgg();
  } catch (...) {
    try {
      c_.converters.ogg.UnloadOgg();
    } catch (...) {
    }
    return false;
  }
  const std::unique_ptr<InputFile> output = c_.files.OpenForReading(wave);
  return output && HoldsWaveSound(*output);
}

void EntryPreparer::Report(bool report, const char8_t* text) {
  if (report) c_.displays.ShowStatus(cp932::FromUtf8(text));
}

}  // namespace koru
