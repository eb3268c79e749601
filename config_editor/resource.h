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
// Rule list pages and their edit dialogs (one row each in core/rule_sections.h).
// Every id lies in RULE_ID_FIRST..RULE_ID_LAST, away from the commands above that the
// pages and the main window take; rule_sections.h checks it.
#define RULE_ID_FIRST 1250
#define RULE_ID_LAST 2249
// Pages: list, add button, title, hint.
#define IDC_INCLUDE_LIST 1300
#define IDC_INCLUDE_ADD 1301
#define IDC_INCLUDE_TITLE 1302
#define IDC_INCLUDE_HINT 1303
#define IDC_EXCLUDE_LIST 1500
#define IDC_EXCLUDE_ADD 1501
#define IDC_EXCLUDE_TITLE 1502
#define IDC_EXCLUDE_HINT 1503
#define IDC_MD5_LIST 1250
#define IDC_MD5_ADD 1251
#define IDC_MD5_TITLE 1252
#define IDC_MD5_HINT 1253
#define IDC_COMPRESS_LIST 1700
#define IDC_COMPRESS_ADD 1701
#define IDC_COMPRESS_TITLE 1702
#define IDC_COMPRESS_HINT 1703
#define IDC_CRYPT_LIST 1900
#define IDC_CRYPT_ADD 1901
#define IDC_CRYPT_TITLE 1902
#define IDC_CRYPT_HINT 1903
#define IDC_CRYPT_PATH_LIST 2100
#define IDC_CRYPT_PATH_ADD 2101
#define IDC_CRYPT_PATH_TITLE 2102
#define IDC_CRYPT_PATH_HINT 2103
// Edit dialogs: value, chooser buttons, delete, validate, abandon, position box and
// its label; the exclude kind box; the md5 value label. The md5 dialog has validate
// before delete.
#define IDC_INCLUDE_VALUE 1400
#define IDC_INCLUDE_FOLDER 1401
#define IDC_INCLUDE_FILE 1402
#define IDC_INCLUDE_DELETE 1403
#define IDC_INCLUDE_VALIDATE 1404
#define IDC_INCLUDE_ABANDON 1405
#define IDC_INCLUDE_POSITION 1406
#define IDC_INCLUDE_POSITION_LABEL 1407
#define IDC_EXCLUDE_VALUE 1600
#define IDC_EXCLUDE_FOLDER 1601
#define IDC_EXCLUDE_DELETE 1602
#define IDC_EXCLUDE_VALIDATE 1603
#define IDC_EXCLUDE_ABANDON 1604
#define IDC_EXCLUDE_KIND 1605
#define IDC_EXCLUDE_POSITION 1606
#define IDC_EXCLUDE_POSITION_LABEL 1607
#define IDC_MD5_VALUE 1270
#define IDC_MD5_VALIDATE 1271
#define IDC_MD5_DELETE 1272
#define IDC_MD5_ABANDON 1273
#define IDC_MD5_POSITION 1274
#define IDC_MD5_POSITION_LABEL 1275
#define IDC_MD5_VALUE_LABEL 1276
// Compress, crypt and crypt_path share one layout.
#define IDC_COMPRESS_VALUE 1800
#define IDC_COMPRESS_FOLDER 1801
#define IDC_COMPRESS_DELETE 1802
#define IDC_COMPRESS_VALIDATE 1803
#define IDC_COMPRESS_ABANDON 1804
#define IDC_COMPRESS_POSITION 1805
#define IDC_COMPRESS_POSITION_LABEL 1807
#define IDC_CRYPT_VALUE 2000
#define IDC_CRYPT_FOLDER 2001
#define IDC_CRYPT_DELETE 2002
#define IDC_CRYPT_VALIDATE 2003
#define IDC_CRYPT_ABANDON 2004
#define IDC_CRYPT_POSITION 2005
#define IDC_CRYPT_POSITION_LABEL 2007
#define IDC_CRYPT_PATH_VALUE 2200
#define IDC_CRYPT_PATH_FOLDER 2201
#define IDC_CRYPT_PATH_DELETE 2202
#define IDC_CRYPT_PATH_VALIDATE 2203
#define IDC_CRYPT_PATH_ABANDON 2204
#define IDC_CRYPT_PATH_POSITION 2205
#define IDC_CRYPT_PATH_POSITION_LABEL 2207
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
// General page: its group box and labels, in the order of gen_01 to gen_08 less the
// key label.
#define IDC_GENERAL_GROUP 1210
#define IDC_DESTINATION_LABEL 1211
#define IDC_VOLUME_LABEL 1212
#define IDC_DELAY_LABEL 1213
#define IDC_DAYS_LABEL 1214
#define IDC_SUMMARY_LABEL 1215
#define IDC_RESTORE_LABEL 1216
