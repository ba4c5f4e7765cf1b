// The document view's text: the document file that accompanies the current
// media file (same folder and name, a document extension of the file-type
// table), read for a multi-line edit control.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "settings/settings.h"

namespace koru {

// The document view shows at most this much of a file.
inline constexpr std::size_t kDocumentBytes = 1024 * 1024;

// The bytes of a document as UTF-16 text for an edit control: a byte-order
// mark chooses UTF-8 or UTF-16LE, code page 932 otherwise; CR, LF and CR LF
// all end a line and become CR LF; NUL shows as a space. A character cut
// off at the end of the bytes is dropped.
std::u16string DocumentText(std::string_view bytes);

// The first existing `base` + "." + extension, the document extensions of
// the file-type table taken in order; nothing when none exists.
std::optional<std::string> FindDocument(FileSystem& files, const Settings& settings, std::string_view mediaPath);

// FindDocument for `mediaPath` and the first kDocumentBytes of what it
// found, as DocumentText; nothing when there is no document or it cannot
// be read.
std::optional<std::u16string> LoadDocument(FileSystem& files, const Settings& settings, std::string_view mediaPath);

}  // namespace koru
