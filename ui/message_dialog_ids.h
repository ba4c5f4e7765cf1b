// Resource and control identifiers of the message dialog (TfrmMsg).
#pragma once

#define IDC_MSG_IMG01 201
#define IDC_MSG_IMG02 202
#define IDC_MSG_IMG03 203
#define IDC_MSG_IMG04 204
#define IDC_MSG_LABEL 210
#define IDC_MSG_OK 220
#define IDC_MSG_YES 221
#define IDC_MSG_NO 222
