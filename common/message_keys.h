// Every message key the configuration editor and the restore library look up, each
// written once, here: the code uses these names and never spells a key. The test of
// the shipped message files reads this header as its list: every key written here in
// double quotes must be in both languages of its program's file, and the files hold
// no other; a key spelled in the code instead fails that test too.
#pragma once

namespace vaultrine::message_keys {

inline constexpr const char* kSection = "MAIN";

// ---- ConfigVaultrine ----

// Tab labels of the parameter-file and general pages; the rule pages' tab, title and
// edit title keys are in their rows of config_editor/core/rule_sections.h, which the
// test of the shipped files reads as well.
inline constexpr const char* kTabParameterFile = "tag_ficpara";
inline constexpr const char* kTabGeneral = "tag_general";

// Parameter-file page: label 1106, check box 1107, the two entries of list 1104.
inline constexpr const char* kParameterPage[] = {"chx_ficparam", "chx_advan", "lang01",
                                                 "lang02"};

// Chooser titles: new parameter file, open parameter file, include file button.
inline constexpr const char* kChooserTitles[] = {"selfic1", "selfic2", "selfic3"};

// End question: its text is a format with one "%s" for the parameter path.
struct EndQuestionTexts {
  const char* question;
  const char* yes;
  const char* no;
};
inline constexpr EndQuestionTexts kEndQuestion{"end", "endyes", "endno"};

// General page: controls 1210 to 1214, then 1209, 1215, 1216.
inline constexpr const char* kGeneralPage[] = {"gen_01", "gen_02", "gen_03", "gen_04",
                                               "gen_05", "gen_06", "gen_07", "gen_08"};

// Rule list pages: the include page's new entry (a rule in its own right, so
// it must carry a double quote among its first 19 characters), add button and hint.
inline constexpr const char* kIncludeNewEntry = "inc_new";
// A 101st rule would not be saved: the add button says so instead.
inline constexpr const char* kListFull = "mod_full";
// Lists that came with more lines than a save keeps, named when the file is opened.
inline constexpr const char* kListsOverLimit = "mod_over";
// The add button and the hint beside it.
struct ListPageTexts {
  const char* add;
  const char* hint;
};
inline constexpr ListPageTexts kListPage{"mod_new", "mod_dob"};

// Rule edit dialogs: md5 value label, exclude kinds, buttons and position label,
// and the refusal of a rule too long for its line.
inline constexpr const char* kRuleTooLong = "mod_long";
inline constexpr const char* kMd5ValueLabel = "modmd5tx2";
// The exclude kind box: `yes` (exclude), then `no` (keep).
inline constexpr const char* kExcludeKinds[] = {"modex_sel1", "modex_sel2"};
// The texts of their controls.
struct EditDialogTexts {
  const char* folder;
  const char* file;
  const char* remove;
  const char* validate;
  const char* abandon;
  const char* position;
};
inline constexpr EditDialogTexts kEditDialog{"mod_rep", "mod_fil", "mod_sup", "mod_val", "mod_aba", "mod_pos"};

// What the pages say when their part of the internal file cannot be kept: a
// destination or volume name with a comma (the destination line cannot hold one),
// a write that failed (the edits stay on the page) and a read that failed (nothing
// is rewritten). The last two and the folder refusal carry one "%s", a path.
inline constexpr const char* kCommaRefused = "gen_comma";
inline constexpr const char* kPageNotSaved = "mod_nosave";
inline constexpr const char* kPageNotRead = "mod_noread";
// An edit window that could not be shown: the rule stays as it was.
inline constexpr const char* kDialogNotShown = "mod_nodlg";
// A parameter file whose folder cannot take the editor's companion files, and one
// that another running editor holds; "%s" the file.
inline constexpr const char* kFolderNotWritable = "chx_nowrite";
inline constexpr const char* kFileHeldElsewhere = "chx_busy";


// ---- RestoreVaultrine ----

// Request dialog labels 570, 571, 572, 553, 551, 573, 554, 555, 574.
inline constexpr const char* kAskLabels[] = {"ask_1", "ask_2", "ask_3", "ask_4", "ask_5",
                                             "ask_6", "ask_7", "ask_8", "ask_9"};
inline constexpr const char* kAskAbandoned = "ask_10";
inline constexpr const char* kAskVolumeNotFound = "ask_11";  // one "%s": the volume name
inline constexpr const char* kAskFileChooserTitle = "ask_12";
inline constexpr const char* kAskFolderChooserTitle = "ask_13";
inline constexpr const char* kAskNoRestoreFolder = "ask_14";
inline constexpr const char* kAskNoKey = "ask_15";
inline constexpr const char* kAskNothingSelected = "ask_16";

// Success window: headline, then labels 410, 411, 412 to 415, 408, 416.
inline constexpr const char* kGoodHeadline = "good_0";
inline constexpr const char* kGoodLabels[] = {"good_1", "good_2", "good_3", "good_4",
                                              "good_5", "good_6", "good_7", "good_8"};
// Failure window: headline, label 506, the missing-request notice.
inline constexpr const char* kBadHeadline = "bad_0";
inline constexpr const char* kBadDateLabel = "bad_1";
inline constexpr const char* kBadNoRequest = "bad_2";
// Before either result window: records missing from the restored-files list (one "%s": how many).
inline constexpr const char* kListIncomplete = "lst_1";
// Progress window note (label 330).
inline constexpr const char* kProgressNote = "tra_1";


}  // namespace vaultrine::message_keys
