// Resource and control identifiers of the version dialog (TfrmVer).
#pragma once

#define IDC_VER_SHAPE 301
#define IDC_VER_LOGO 302
#define IDC_VER_NAME 303
#define IDC_VER_COPY 304
#define IDC_VER_TITLE 305
#define IDC_VER_LIST 306
