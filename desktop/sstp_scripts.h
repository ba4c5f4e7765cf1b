// Every SakuraScript the player sends to the desktop mascot, in one place.
// Each is sent with the program's title (kProgramTitle) as the sender and an
// empty option, and only when [OPT] sstp is 1 (the callers check). No script
// ends in "\e": the request adds it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "playback/clock.h"

namespace koru {

namespace sstp_script {

// At start-up, one of three texts chosen by RandomIn(1, 5).
std::string StartupGreeting(Clock& clock);
// While the main window is destroyed.
std::string ExitNotice();
// A title started to play; the title line's text is escaped first.
std::string PlayStarted(std::string_view titleLine);

// The list commands' long runs: search for unregistered media files, check
// for missing files, re-reading of media information.
std::string SearchStarted();
std::string SearchFinished(std::size_t added);
std::string CheckStarted();
std::string CheckFinished(std::size_t removed);
std::string RereadStarted();
std::string RereadFinished();

}  // namespace sstp_script
}  // namespace koru
