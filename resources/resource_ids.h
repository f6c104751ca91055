// Resource ids of the program's own module. Shared by the .rc script and the code.
#pragma once

// Dialog template.
#define IDD_MAIN 100

// Controls. Buttons 1 and 2 are IDOK and IDCANCEL to the dialog manager, which is why the
// Escape key reaches the dialog as command 2 and must be told apart from a click on button 2.
#define IDC_EXIT 1
#define IDC_INSTALL_REMOVE 2
#define IDC_TREE 101
#define IDC_PATH_LINE 102
#define IDC_STATUS_LINE 103
#define IDC_TOGGLE_DATABASE 104

// Bitmaps.
#define IDB_SKIN 300
#define IDB_GPS_UNIT 400
#define IDB_RADIO_STACK 500
#define IDB_STATE_BLANK 600
#define IDB_STATE_BADGE 700
#define IDB_BACKDROP 800
#define IDB_NOTICE_ALIAS 1100
#define IDB_NOTICE_FOREIGN 1200
#define IDB_BADGE_AMERICAS 1300
#define IDB_BADGE_INTERNATIONAL 1400

// Manifest.
#define IDR_MANIFEST 1
