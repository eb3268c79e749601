#pragma once
// Windows: the main window, the pages by tab, the end question.
#define IDD_EDITOR_MAIN 102
#define IDD_PARAMETER_FILE_PAGE 103
#define IDD_MD5_EDIT 106
#define IDD_INCLUDE_EDIT 107
#define IDD_EXCLUDE_EDIT 109
#define IDD_COMPRESS_EDIT 113
#define IDD_CRYPT_EDIT 114
#define IDD_CRYPT_PATH_EDIT 115
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
// Rule list pages: list, add button, title, hint (member table in rule_list_page.cpp).
#define IDC_INCLUDE_LIST 1300
#define IDC_EXCLUDE_LIST 1500
#define IDC_MD5_LIST 1250
#define IDC_COMPRESS_LIST 1700
#define IDC_CRYPT_LIST 1900
#define IDC_CRYPT_PATH_LIST 2100
// Rule edit dialogs: value, folder, file, delete, validate, abandon, position box and
// label; the exclude kind box; the md5 value label.
#define IDC_INCLUDE_VALUE 1400
#define IDC_EXCLUDE_VALUE 1600
#define IDC_EXCLUDE_KIND 1605
#define IDC_MD5_VALUE 1270
#define IDC_MD5_VALUE_LABEL 1276
#define IDC_COMPRESS_VALUE 1800
#define IDC_CRYPT_VALUE 2000
#define IDC_CRYPT_PATH_VALUE 2200
// General page: the fields and their folder buttons.
#define IDC_SUMMARY 1200
#define IDM_CHOOSE_SUMMARY 1201
#define IDC_DELAY 1202
#define IDC_KEY 1203
#define IDC_RESTORE 1204
#define IDM_CHOOSE_RESTORE 1205
#define IDC_DESTINATION 1206
#define IDM_CHOOSE_DESTINATION 1207
#define IDC_VOLUME 1208
#define IDC_KEY_LABEL 1209
