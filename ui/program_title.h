#pragma once

namespace koru {
// The program's title: the main window's caption, the application title and
// the caption of every message box.
inline constexpr wchar_t kProgramTitle[] = L"MEDIA-PLAYER - KORU";
inline constexpr char kProgramTitleText[] = "MEDIA-PLAYER - KORU";
}  // namespace koru
