#pragma once
// Windows: the main window, the pages by tab, the end question.
#define IDD_EDITOR_MAIN 102
#define IDD_PARAMETER_FILE_PAGE 103
#define IDD_GENERAL_PAGE 104
#define IDD_INCLUDE_PAGE 105
#define IDD_EXCLUDE_PAGE 108
#define IDD_COMPRESS_PAGE 110
#define IDD_CRYPT_PAGE 111
#define IDD_CRYPT_PATH_PAGE 112
#define IDD_MD5_PAGE 116
#define IDD_END_QUESTION 117
// Pictures.
#define IDI_EDITOR 150
#define IDI_LANGUAGE 151
#define IDB_QUESTION 152
#define IDC_POINTER 160
// Main window: the tab control, and the commands between the main window and its pages.
#define IDC_TABS 1000
#define IDM_SAVE_PAGE 1001     // sent to a page before it is destroyed
#define IDM_RETURN_TAB 1002    // show the return tab again
#define IDM_PLACE_PAGE 1003    // put the page back over the tab control
#define IDM_REBUILD_TABS 2301  // advanced mode changed
// Parameter-file page.
#define IDC_PARAMETER_PATH 1100
#define IDM_NEW_FILE 1101
#define IDM_EXISTING_FILE 1102
#define IDC_LANGUAGE_LIST 1104
#define IDC_LANGUAGE_ICON 1105
#define IDC_FILE_LABEL 1106
#define IDC_ADVANCED 1107
// End question.
#define IDC_END_TEXT 2250
#define IDC_END_YES 2251
#define IDC_END_NO 2252
