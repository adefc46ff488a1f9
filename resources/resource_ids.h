/* Numbers of the dialogs, controls, icons and bitmaps shared by setup.rc and the code. */
#pragma once

#define IDI_SETUP 100
#define IDI_FILES 101
#define IDI_SHORTCUTS 102
#define IDB_BANNER 200
#define IDS_MAKER 1

#define IDD_FRAME 1001
#define IDD_WELCOME 1002
#define IDD_LICENCE 1003
#define IDD_DESTINATION 1004
#define IDD_PROGRESS 1005
#define IDD_FINISH 1006

#define IDC_PLACEHOLDER 100
#define IDC_CONTINUE 101
#define IDC_CANCEL 102
