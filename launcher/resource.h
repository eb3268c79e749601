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
// Label controls (see label_board.h): each row plain, then underlined; French, then
// English.
#define IDC_CONFIGURE_FR 200
#define IDC_CONFIGURE_FR_HOT 201
#define IDC_BACKUP_FR 202
#define IDC_BACKUP_FR_HOT 203
#define IDC_RESTORE_FR 204
#define IDC_RESTORE_FR_HOT 205
#define IDC_OBSOLETE_FR 206
#define IDC_OBSOLETE_FR_HOT 207
#define IDC_CONFIGURE_EN 208
#define IDC_CONFIGURE_EN_HOT 209
#define IDC_BACKUP_EN 210
#define IDC_BACKUP_EN_HOT 211
#define IDC_RESTORE_EN 212
#define IDC_RESTORE_EN_HOT 213
#define IDC_OBSOLETE_EN 214
#define IDC_OBSOLETE_EN_HOT 215
// The language list.
#define IDC_LAUNCHER_LANGUAGE 400
// The last backup, beside the back-up row.
#define IDC_LAST_BACKUP 401
// Commands posted by the click filter.
#define IDM_BACKUP 300
#define IDM_RESTORE 301
#define IDM_CONFIGURE 302
#define IDM_OBSOLETE 303
#define IDM_DOCUMENTATION 304
