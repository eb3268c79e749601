// Every message key the configuration editor and the restore library look up, kept in
// one place so the test of the shipped message files checks exactly these. Use the
// named groups in the code rather than spelling keys again.
#pragma once
#include <cstddef>

namespace vaultrine::message_keys {

inline constexpr const char* kSection = "MAIN";

struct KeyGroup {
  const char* name;
  const char* const* keys;
  std::size_t count;
};

template <std::size_t N>
constexpr KeyGroup Group(const char* name, const char* const (&keys)[N]) {
  return KeyGroup{name, keys, N};
}

// ---- ConfigVaultrine ----

// Tab labels, by tab index; 4 to 7 exist in advanced mode only.
inline constexpr const char* kTabLabels[] = {
    "tag_ficpara", "tag_general", "tag_inclure", "tag_excl",
    "tag_compare", "tag_comprim", "tag_crypt",   "tag_cryptnam"};

// Parameter-file page: label 1106, check box 1107, the two entries of list 1104.
inline constexpr const char* kParameterPage[] = {"chx_ficparam", "chx_advan", "lang01",
                                                 "lang02"};

// Chooser titles: new parameter file, open parameter file, include file button.
inline constexpr const char* kChooserTitles[] = {"selfic1", "selfic2", "selfic3"};

// End question: its text is a format with one "%s" for the parameter path.
inline constexpr const char* kEndQuestion = "end";
inline constexpr const char* kEndYes = "endyes";
inline constexpr const char* kEndNo = "endno";
inline constexpr const char* kEndQuestionKeys[] = {kEndQuestion, kEndYes, kEndNo};

// General page: controls 1210 to 1214, then 1209, 1215, 1216.
inline constexpr const char* kGeneralPage[] = {"gen_01", "gen_02", "gen_03", "gen_04",
                                               "gen_05", "gen_06", "gen_07", "gen_08"};

// Rule list pages: titles, the include page's new entry (a rule in its own right, so
// it must carry a double quote among its first 19 characters), add button and hint.
inline constexpr const char* kIncludeNewEntry = "inc_new";
// A 101st rule would not be saved: the add button says so instead.
inline constexpr const char* kListFull = "mod_full";
// Lists that came with more lines than a save keeps, named when the file is opened.
inline constexpr const char* kListsOverLimit = "mod_over";
inline constexpr const char* kListPages[] = {"inc_tit", kIncludeNewEntry, "exc_tit", "md5_tit",
                                             "com_tit", "ryf_tit",        "ryn_tit", "mod_new",
                                             "mod_dob", kListFull,        kListsOverLimit};

// Rule edit dialogs: titles, md5 value label, exclude kinds, buttons and position label,
// and the refusal of a rule too long for its line.
inline constexpr const char* kRuleTooLong = "mod_long";
inline constexpr const char* kEditDialogs[] = {
    "modinc_tit", "modex_tit",  "modmd5_tit", "modcom_tit", "modryf_tit", "modryn_tit",
    "modmd5tx2",  "modex_sel1", "modex_sel2", "mod_fil",    "mod_rep",    "mod_pos",
    "mod_val",    "mod_sup",    "mod_aba",    kRuleTooLong};

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
inline constexpr const char* kPageBoxes[] = {kCommaRefused,   kPageNotSaved,      kPageNotRead,
                                             kDialogNotShown, kFolderNotWritable, kFileHeldElsewhere};

inline constexpr KeyGroup kEditorKeys[] = {
    Group("tab labels", kTabLabels),         Group("parameter-file page", kParameterPage),
    Group("chooser titles", kChooserTitles), Group("end question", kEndQuestionKeys),
    Group("general page", kGeneralPage),     Group("list pages", kListPages),
    Group("edit dialogs", kEditDialogs),     Group("page boxes", kPageBoxes)};

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
inline constexpr const char* kAskBoxes[] = {kAskAbandoned,         kAskVolumeNotFound,
                                            kAskFileChooserTitle,  kAskFolderChooserTitle,
                                            kAskNoRestoreFolder,   kAskNoKey,
                                            kAskNothingSelected};

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
inline constexpr const char* kResultOthers[] = {kGoodHeadline, kBadHeadline, kBadDateLabel,
                                                kBadNoRequest, kListIncomplete};
// Progress window note (label 330).
inline constexpr const char* kProgressNote = "tra_1";
inline constexpr const char* kProgressKeys[] = {kProgressNote};

inline constexpr KeyGroup kRestoreKeys[] = {
    Group("request dialog labels", kAskLabels), Group("request dialog boxes", kAskBoxes),
    Group("success window", kGoodLabels),       Group("result windows", kResultOthers),
    Group("progress window", kProgressKeys)};

}  // namespace vaultrine::message_keys
