// The player's commands. A command has one id wherever it is offered: its
// menu item, its twins in the pop-up and tray menus, its speed button and its
// shortcut key all send WM_COMMAND with it. Kept as macros for the resource
// scripts.
#pragma once

// mnuFile
#define IDM_FILE_OPEN 1000  // mnuFileOpen, sbtFileOpen, Ctrl+O
#define IDM_FILE_NEW 1001  // mnuFileNew
#define IDM_FILE_UPDATE 1002  // mnuFileUpdate, Ctrl+S
#define IDM_FILE_SAVE 1003  // mnuFileSave
#define IDM_FILE_MEDIA 1004  // mnuFileMedia
#define IDM_FILE_SEARCH 1005  // mnuFileSearch
#define IDM_FILE_DELETE 1006  // mnuFileDelete
#define IDM_FILE_CLEAR 1007  // mnuFileClear, mnuListClear
#define IDM_FILE_WIDTH 1008  // mnuFileWidth, mnuListWidth
#define IDM_EXIT 1009  // mnuExit, mnuTrayExit
#define IDM_FILE_WIDTH2 1010  // mnuFileWidth2, mnuListWidth2
// mnuFileSelect and its twins in pumList (mnuListSelect*)
#define IDM_SELECT_PLAY 1020  // mnuFileSelectPlay, mnuListSelectPlay, Enter
#define IDM_SELECT_DELETE 1021  // mnuFileSelectDelete, mnuListSelectDelete, Delete
#define IDM_SELECT_PREV 1022  // mnuFileSelectPrev, mnuListSelectPrev, Alt+Up
#define IDM_SELECT_NEXT 1023  // mnuFileSelectNext, mnuListSelectNext, Alt+Down
#define IDM_SELECT_RATE0 1024  // mnuFileSelectRate0 .. 3, mnuListSelectRate0 .. 3 (tags 0 .. 3)
#define IDM_SELECT_RATE1 1025
#define IDM_SELECT_RATE2 1026
#define IDM_SELECT_RATE3 1027
#define IDM_SELECT_RATE_UP 1028  // mnuFileSelectRateUp, numeric keypad +; no menu item
#define IDM_SELECT_RATE_DOWN 1029  // mnuFileSelectRateDl, numeric keypad -; no menu item
#define IDM_SELECT_FOLDER 1030  // mnuFileSelectFolder, mnuListSelectFolder
// mnuFileSort and mnuListSort: keys 0 .. 5 in this order
#define IDM_SORT_TITLE_ASC 1040
#define IDM_SORT_TITLE_DESC 1041
#define IDM_SORT_FILE_NAME_ASC 1042
#define IDM_SORT_FILE_NAME_DESC 1043
#define IDM_SORT_LEVEL_ASC 1044
#define IDM_SORT_LEVEL_DESC 1045
// mnuFileLast0 .. mnuFileLast9 (tags 0 .. 9)
#define IDM_FILE_LAST0 1050
#define IDM_FILE_LAST9 1059
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
#define IDM_WINDOW_SIZE 1206  // mnuWindowSize
#define IDM_WINDOW_MOVIE 1207  // mnuWindowMovie
// mnuConfig and its twins in pumData (mnuData*)
#define IDM_CONFIG_FORM 1300  // mnuConfigForm, mnuDataForm
#define IDM_CONFIG_APPLY 1301  // mnuConfigApply, mnuDataApply
#define IDM_CONFIG_TITLE 1302  // mnuConfigTitle, mnuDataTitle, Ctrl+T
#define IDM_CONFIG_IMAGE 1303  // mnuConfigImage, mnuDataImage, double-clicks on the information panel
#define IDM_CONFIG_DATA 1304  // mnuConfigData, mnuDataData
// pumTray
#define IDM_TRAY_RESTORE 1400  // mnuTrayRestore
// mnuHelp
#define IDM_HELP_README 1500  // mnuReadme
#define IDM_HELP_WWW 1501  // mnuWWW
#define IDM_HELP_ABOUT 1502  // mnuAbout
// pumMovie of the movie windows (their play, pause and stop items are the
// main window's commands above)
#define IDM_MOVIE_050 1600  // mnuMovie050, Alt+1
#define IDM_MOVIE_100 1601  // mnuMovie100, Alt+2
#define IDM_MOVIE_200 1602  // mnuMovie200, Alt+3
#define IDM_MOVIE_CHANGE 1603  // mnuMovieChange, sbtMovieChange, Alt+Enter (and Esc in full screen)
#define IDM_MOVIE_CLOSE 1604  // mnuClose
