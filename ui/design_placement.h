// A dialog template speaks dialog units, which follow what the system makes
// of the template's font and so differ from system to system (Wine's stand-in
// for ＭＳ Ｐゴシック is wider). Forms are designed in pixels at 96 DPI: a
// dialog placed by this helper is laid out again at the screen's DPI, its
// controls in the design's font and size, whatever the units came to.
#pragma once

#include <windows.h>

#include "platform/unique_handle_win32.h"

namespace koru {

// Scales every control of the dialog by the ratio of its client area to the
// design's (clientWidth x clientHeight design pixels), keeps each up-down at
// its buddy's right edge, gives every control ＭＳ Ｐゴシック 9 pt, and centres
// the dialog on its screen's work area at the design size. Returns the font,
// which must outlive the controls.
UniqueFont PlaceDialogInDesignPixels(HWND dialog, int clientWidth, int clientHeight);

}  // namespace koru
