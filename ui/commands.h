// The player's commands. A command has one id wherever it is offered: its
// menu item, its twins in the pop-up and tray menus, its speed button and its
// shortcut key all send WM_COMMAND with it. Kept as macros for the resource
// scripts.
#pragma once

// mnuFile
#define IDM_FILE_OPEN 1000  // mnuFileOpen, sbtFileOpen
#define IDM_EXIT 1009  // mnuExit, mnuTrayExit
// mnuFunc
#define IDM_FUNC_PLAY 1100  // mnuFuncPlay, mnuTrayPlay, sbtFuncPlay, F5
#define IDM_FUNC_SPOT 1101  // mnuFuncSpot, mnuTraySpot, sbtFuncSpot, F6
#define IDM_FUNC_STOP 1102  // mnuFuncStop, mnuTrayStop, sbtFuncStop, F7
#define IDM_FUNC_PREV 1103  // mnuFuncPrev, mnuTrayPrev, sbtFuncPrev, F8
#define IDM_FUNC_NEXT 1104  // mnuFuncNext, mnuTrayNext, sbtFuncNext, F9
#define IDM_FUNC_REPEAT 1105
#define IDM_FUNC_RAND_NONE 1106
#define IDM_FUNC_RAND_ONCE 1107
#define IDM_FUNC_RAND_RATE 1108
// mnuWindow
#define IDM_WINDOW_LIST 1200  // mnuWindowList, sbtWindowList, F2
#define IDM_WINDOW_DOC 1201  // mnuWindowDoc, sbtWindowDoc, F3
#define IDM_WINDOW_DATA 1202  // mnuWindowData, sbtWindowData, F4
#define IDM_WINDOW_POSITION 1204  // mnuWindowPosition, mnuScreenPosition, Ctrl+I
#define IDM_WINDOW_VOLUME 1205  // mnuWindowVolume, mnuScreenVolume, Ctrl+M
// pumTray
#define IDM_TRAY_RESTORE 1400  // mnuTrayRestore
