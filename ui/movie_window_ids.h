// Resource identifiers of the movie windows (TfrmMovWn, TfrmMovFl).
#pragma once

#define IDR_MOVWN_MENU 400
#define IDR_MOVFL_MENU 401
#define IDR_MOVWN_ACCELERATORS 402
#define IDR_MOVFL_ACCELERATORS 403
