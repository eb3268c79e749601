#pragma once
// Dialog, icon and cursor.
#define IDD_LAUNCHER 102
#define IDI_LAUNCHER 103
#define IDC_HAND_POINTER 110
// Background picture.
#define IDB_BACKGROUND 130
// Label pictures, by row: French plain, French underlined, then English.
#define IDB_CONFIGURE_FR 111
#define IDB_CONFIGURE_FR_HOT 112
#define IDB_BACKUP_FR 113
#define IDB_BACKUP_FR_HOT 114
#define IDB_RESTORE_FR 115
#define IDB_RESTORE_FR_HOT 116
#define IDB_OBSOLETE_FR 117
#define IDB_OBSOLETE_FR_HOT 118
#define IDB_CONFIGURE_EN 119
#define IDB_CONFIGURE_EN_HOT 120
#define IDB_BACKUP_EN 121
#define IDB_BACKUP_EN_HOT 122
#define IDB_RESTORE_EN 123
#define IDB_RESTORE_EN_HOT 124
#define IDB_OBSOLETE_EN 125
#define IDB_OBSOLETE_EN_HOT 126
// Label controls 200-215 (see label_board.h) and the language list.
#define IDC_LABEL_FIRST 200
#define IDC_LANGUAGE_LIST 400
// The last backup, beside the back-up row.
#define IDC_LAST_BACKUP 401
// Commands posted by the click filter.
#define IDM_BACKUP 300
#define IDM_RESTORE 301
#define IDM_CONFIGURE 302
#define IDM_OBSOLETE 303
#define IDM_DOCUMENTATION 304
