// Resource identifiers of the main window and the ids of its controls that
// are not commands (ui/commands.h holds those).
#pragma once

#include "commands.h"

#define IDR_MAIN_MENU 100
#define IDR_MAIN_ACCELERATORS 101
#define IDR_TRAY_MENU 102
#define IDR_SCREEN_MENU 103
#define IDR_LIST_MENU 104
#define IDR_DATA_MENU 105
#define IDR_TITLE_EDIT_ACCELERATORS 106
#define IDI_KORU 110

// Controls of the control bar.
#define IDC_LBL_SCREEN0 2001
#define IDC_LBL_TITLE 2003
#define IDC_SCB_TITLE 2004
#define IDC_TRB_TITLE 2005

// The views.
#define IDC_LSV_LIST 2010
#define IDC_MMO_DOC 2011
#define IDC_PNL_DATA 2012
