#include "config_editor/core/editor_files.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/message_keys.h"
#include "config_editor/core/shell_rules.h"

namespace vaultrine::config {

namespace {

constexpr const char* kMsgIncompatibleAtOpen = "Ce fichier %s\n\nn'est pas compatible avec Tesseron";

#ifdef _WIN32
constexpr const char* kSeparator = "\\";
#else
constexpr const char* kSeparator = "/";
#endif

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

FileState EditorFiles::state() const {
  if (path_.empty()) return FileState::kNoFile;
  const std::string internal = internal_file();
  return !internal.empty() && PathExists(internal) ? FileState::kConverted : FileState::kChosen;
}

std::string EditorFiles::working_copy() const {
  return path_.empty() ? std::string() : WorkingCopyName(path_);
}

std::string EditorFiles::internal_file() const {
  return path_.empty() ? std::string() : InternalFileName(WorkingCopyName(path_));
}

std::string EditorFiles::Caption() const { return std::string(kEditorCaption) + " - " + path_; }

std::string EditorFiles::TemplatePath(bool advanced) const {
  return template_folder_ + kSeparator + (advanced ? kAdvancedTemplateName : kNormalTemplateName);
}

void EditorFiles::DropCompanions() {
  if (path_.empty()) return;
  const std::string internal = internal_file();
  if (!internal.empty()) RemoveFile(internal);
  RemoveFile(working_copy());
  path_.clear();
}

void EditorFiles::KeepHeld() {
  if (guard_) guard_->KeepOnly(path_, claimed_);
}

void EditorFiles::Discard() {
  DropCompanions();
  KeepHeld();
}

bool EditorFiles::Claim(const std::string& chosen, MessageSink& sink) {
  const std::string wanted = ParameterPathOf(chosen);
  if (!guard_ || guard_->Take(wanted)) {
    claimed_ = wanted;
    return true;
  }
  ShowEditorMessage(sink, Text(message_keys::kFileHeldElsewhere, wanted), MessageIcon::kWarning);
  guard_->ShowHolder(wanted);
  return false;
}

void EditorFiles::Unclaim() {
  claimed_.clear();
  KeepHeld();
}

std::string EditorFiles::Text(std::string_view key, const std::string& path) const {
  std::string text = text_ ? text_(key) : std::string(key);
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

std::optional<WorkingCopyResult> EditorFiles::Adopt(const std::string& chosen, const std::string& source,
                                                    MessageSink& sink) {
  // Held first: the companions of a file another editor holds are its own.
  if (!Claim(chosen, sink)) return std::nullopt;
  DropCompanions();
  path_ = ParameterPathOf(chosen);
  claimed_.clear();
  KeepHeld();
  // An internal file of this name is left over from an earlier session: the next
  // conversion starts afresh.
  const std::string internal = internal_file();
  if (!internal.empty()) RemoveFile(internal);
  const WorkingCopyResult made = CopyToWorkingCopy(source, path_);
  if (made == WorkingCopyResult::kCannotWrite) {
    ShowEditorMessage(sink, Text(message_keys::kFolderNotWritable, path_), MessageIcon::kError);
    Discard();
  }
  return made;
}

Choice EditorFiles::ChooseFirstCompatible(const std::string& folder, std::vector<std::string> names,
                                          MessageSink& sink) {
  // Name order, case aside: the order in which Windows lists an NTFS folder, so
  // the choice does not depend on the file system.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string la = Lower(a), lb = Lower(b);
    return la != lb ? la < lb : a < b;
  });
  for (const std::string& name : names) {
    if (!IsParameterFileName(name)) continue;
    const std::string candidate = folder + kSeparator + name;
    const std::optional<WorkingCopyResult> made = Adopt(candidate, candidate, sink);
    if (!made) return Choice::kHeldElsewhere;
    // The other files lie in the same folder: said once is enough.
    if (*made == WorkingCopyResult::kCannotWrite) return Choice::kNotChosen;
    if (*made == WorkingCopyResult::kMade && IsCompatible(working_copy())) return Choice::kChosen;
    Discard();
  }
  return Choice::kNotChosen;
}

Choice EditorFiles::ChooseNew(const std::string& chosen, bool advanced, MessageSink& sink) {
  const std::optional<WorkingCopyResult> made = Adopt(chosen, TemplatePath(advanced), sink);
  if (!made) return Choice::kHeldElsewhere;
  return *made == WorkingCopyResult::kCannotWrite ? Choice::kNotChosen : Choice::kChosen;
}

Choice EditorFiles::ChooseExisting(const std::string& chosen, MessageSink& sink) {
  const std::optional<WorkingCopyResult> made = Adopt(chosen, chosen, sink);
  if (!made) return Choice::kHeldElsewhere;
  if (*made == WorkingCopyResult::kCannotWrite) return Choice::kNotChosen;
  if (IsCompatible(working_copy())) return Choice::kChosen;
  std::string text = kMsgIncompatibleAtOpen;
  text.replace(text.find("%s"), 2, working_copy());
  ShowEditorMessage(sink, text, MessageIcon::kError);
  Discard();
  return Choice::kNotChosen;
}

ConvertResult EditorFiles::Convert(MessageSink& sink) {
  if (state() == FileState::kConverted) return kConverted;
  const std::string working = working_copy();
  std::string chosen = path_;
  const ConvertResult result = ConvertToInternal(chosen, sink);
  if (chosen.empty() && !path_.empty()) {
    // The file was refused: nothing of it stays.
    RemoveFile(working);
    path_.clear();
    KeepHeld();
  }
  return result;
}

WriteResult EditorFiles::Save(MessageSink& sink) {
  const WriteResult result = WriteParameterFile(path_, sink);
  if (result == kWritten) {
    path_.clear();
    KeepHeld();
  }
  return result;
}

}  // namespace vaultrine::config
