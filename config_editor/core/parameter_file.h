// The parameter file (Vaultrine.ini and any other ".ini") and its three companions:
//
//   P          the parameter file: UTF-8 with a byte-order mark, CR LF, fixed section order
//   P.@@@      the working copy: P without its mark; the editor reads this one
//   ZZZ_P.@@@.tmp  the internal file, beside P: a profile file, one numbered key
//              ("000", "001", ...) per entry line, which the pages edit key by key
//   P.OLD      the previous P, kept by each save
//
// ConvertToInternal turns the working copy into the internal file when the
// parameter-file page is left; WriteParameterFile turns the internal file into a
// new P when the editor closes. Every failure the user should know about goes to
// the MessageSink, in the editor's own (French) words.
//
// Long lines: every line is read whole, whatever its length, and a rule entry
// is carried through whole; a long line is never cut nor split into two entries.
//
// Saving never leaves P missing: the new file is written completely under the
// working-copy name, pushed to disk, and only then swapped in, P going to P.OLD
// in the same step. If anything fails on the way, P is left as it was.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config_editor/core/entry_keys.h"
#include "config_editor/core/line_reader.h"
#include "config_editor/core/message_sink.h"
#include "config_editor/core/profile_file.h"

namespace vaultrine::config {


// The rule sections after [destination], in file order.
inline constexpr const char* kRuleSectionsAfterDestination[] = {
    "exclude", "md5_compare", "old_versions", "compress", "crypt", "crypt_path", "restore"};

// Names. The editor keeps its parameter path with ".@@@" while a working copy
// exists; every function here accepts the path with or without it.
std::string ParameterPathOf(const std::string& path);
std::string WorkingCopyName(const std::string& parameter_path);
// "ZZZ_" after the last path separator, ".tmp" at the end; empty for a path without
// a separator (a bare name gives no internal file).
std::string InternalFileName(const std::string& working_copy);
std::string BackupCopyName(const std::string& parameter_path);

// The working copy of `source` (a parameter file or a template) for `parameter_path`:
// a copy without the byte-order mark. False when it could not be made.
bool MakeWorkingCopy(const std::string& source, const std::string& parameter_path);
enum class WorkingCopyResult {
  kMade,
  kNoSource,     // the source cannot be read
  kCannotWrite,  // the folder of the parameter file does not take the copy
};
WorkingCopyResult CopyToWorkingCopy(const std::string& source, const std::string& parameter_path);

// Whether [general] holds ov_obsolete, with any value.
bool IsCompatible(const std::string& working_copy);

// Opens the working copy and reads up to the line equal to `header` (exactly, case
// included). nullopt when the file cannot be opened (after a message) or the header
// is not there (silently).
std::optional<LineReader> FindSection(const std::string& working_copy, std::string_view header,
                                      MessageSink& sink);

// Copies the entries of [section] in the working copy to the internal file as keys
// 000, 001, ... and flushes. False, after a message, when the section is missing.
bool LoadRuleSection(const std::string& working_copy, ProfileFile& internal,
                     std::string_view section, MessageSink& sink);

enum ConvertResult : int {
  kConverted = 0,         // also when the internal file already existed
  kNoParameterFile = 1,   // no path chosen
  kNoWorkingCopy = 2,
  kIncompatible = 3,      // `parameter_path` has been cleared
  kNoInternalFile = 4,    // the internal file could not be created
  kSectionMissing = 5,    // a section is not there: refused, `parameter_path` cleared
};
// The internal file is made whole or not at all: a conversion that stops at a
// missing section removes what it had written, so a later save can never write a
// file back with sections missing.
ConvertResult ConvertToInternal(std::string& parameter_path, MessageSink& sink);

// The lists of the internal file ("[include]", "[exclude]", ...) that came with more
// lines than a save keeps: only their first kMaxEntries go back into the file, so the
// user is told when the file is opened rather than finding them gone.
std::vector<std::string> ListsOverLimit(const ProfileFile& internal);

enum WriteResult : int {
  kWritten = 0,
  kCannotCreate = 1,      // new file not created, written or swapped in; P unchanged
  kCannotReadInternal = 2,
};
// Writes P from the internal file; on success P.OLD holds the previous P and the
// working copy and the internal file are gone. The internal file is read whole:
// one that cannot be read stops the save, and P stays as it was.
WriteResult WriteParameterFile(const std::string& parameter_path, MessageSink& sink);

}  // namespace vaultrine::config
