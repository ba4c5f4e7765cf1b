// The program's title: the main window's caption and the application title,
// the tray icon's first tip, the caption of every message box, and the sender
// name of the mascot's notices.
#pragma once

namespace koru {
inline constexpr char kProgramTitle[] = "MEDIA-PLAYER - KORU";
}  // namespace koru
