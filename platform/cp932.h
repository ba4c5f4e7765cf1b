// Text in code page 932 (Shift-JIS as Windows defines it).
//
// Every text inside KORU is a byte string in code page 932, whatever the
// system's ANSI code page is. These helpers are the only place that knows how
// such a string is built from single- and double-byte characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace koru::cp932 {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char byte);

// Byte length (1 or 2) of the character starting at `pos`; 0 at or beyond the
// end. As with CharNextA, a lead byte takes whatever byte follows it as its
// trail; a lead byte at the very end of the text counts as a character of one
// byte.
std::size_t CharLength(std::string_view text, std::size_t pos);

// Upper-cases every character the way CharUpperBuffW does on Windows, one
// character at a time: a trail byte is never taken for a character of its own.
std::string ToUpper(std::string_view text);

// Case-insensitive comparison: both sides upper-cased, then compared as
// unsigned bytes. Returns <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);
// A hash of the upper-cased text: texts that are EqualsNoCase hash alike.
std::uint64_t HashNoCase(std::string_view text);

// Path splitting. Separators are "\" and ":" (and "/" where stated); a trail
// byte 0x5C of a double-byte character is never a separator.
//
// Position just after the last separator ("\" or ":"), 0 when there is none.
std::size_t FileNameStart(std::string_view path);
// The file-name part: everything after the last "\" or ":".
std::string_view FileNameOf(std::string_view path);
// The folder part including its trailing separator ("C:\a\" for "C:\a\b.mid").
std::string_view FolderWithSeparatorOf(std::string_view path);
// The extension of the file name, from its last dot on, dot included; empty
// when the file name has no dot.
std::string_view ExtensionOf(std::string_view path);
// The path without the extension of its file name.
std::string_view WithoutExtension(std::string_view path);
// Position just after the last "\" or "/", 0 when there is none (archive
// member names may use either separator).
std::size_t MemberNameStart(std::string_view name);
// The length of the part of a path that names where it starts rather than a
// file or folder: "X:\" (or "X:" alone), "\\server\share\" (its
// backslash included when present), a lone leading "\"; 0 for a relative path.
std::size_t RootLength(std::string_view path);
// A path with a drive or a leading backslash says where it lies; any other
// path lies relative to some folder.
inline bool IsRooted(std::string_view path) { return RootLength(path) != 0; }
// `name` as it stands when it is rooted; otherwise it lies in the folder of
// `besidePath` ("sub\a.mid" beside "D:\lists\my.mpl" is "D:\lists\sub\a.mid").
std::string ResolveBeside(std::string_view besidePath, std::string_view name);

// Conversion to and from UTF-16. ToUtf16 returns nothing when the bytes are
// not valid code page 932. FromUtf16 returns nothing when a character has no
// code page 932 form (the caller then falls back to a short name, or drops the
// text).
std::optional<std::u16string> ToUtf16(std::string_view text);
std::optional<std::string> FromUtf16(std::u16string_view text);
// Lossy forms: invalid bytes and unmappable characters become "?".
std::u16string ToUtf16Lossy(std::string_view text);
std::string FromUtf16Lossy(std::u16string_view text);
// The program's own texts are written in the sources as UTF-8 (u8"...") and
// turned into code page 932 with this; every such text has a code page 932
// form, so nothing is lost.
std::string FromUtf8(std::u8string_view utf8);

}  // namespace koru::cp932
