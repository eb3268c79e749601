// Which parameter file the editor is working on, and which companion files exist
// because of it (see parameter_file.h for the companions themselves):
//
//   no file    nothing on disk
//   chosen     the working copy           (a file found at start, opened, or new)
//   converted  working copy, internal file (the parameter-file page has been left)
//
// Every way out of a file leaves nothing of it behind: choosing another file, a
// refused file, and closing remove the working copy and the internal file. The
// windows decide when to ask the user; this class only moves between the states.
//
// The companions lie beside the parameter file, so a file in a folder that cannot
// be written (a CD, a share, Program Files) cannot be edited where it is: choosing
// it says so, and where to put it, rather than calling it incompatible.
//
// The companions' names are fixed, so one file has one editor: a file is held
// (FileGuard) before anything of it is touched, and let go of once it is no longer
// chosen. A file another running editor holds is left alone, with a message, and
// that editor comes to the front.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config_editor/core/file_guard.h"
#include "config_editor/core/message_sink.h"
#include "config_editor/core/parameter_file.h"

namespace vaultrine::config {

enum class FileState { kNoFile, kChosen, kConverted };

inline constexpr const char* kNormalTemplateName = "Low_Template_TSN.tsn";
inline constexpr const char* kAdvancedTemplateName = "High_Template_TSN.tsn";

// The text of a message key in the interface language, UTF-8.
using MessageText = std::function<std::string(std::string_view key)>;

// How a choice of file ended.
enum class Choice {
  kChosen,
  kNotChosen,      // refused with its message, or nothing found
  kHeldElsewhere,  // another running editor has it: said, and that editor shown
};

class EditorFiles {
 public:
  // `template_folder`: where the two templates lie (the program folder). `text`
  // gives the messages that are not the format's own; without it, their keys.
  // `guard` keeps a file to this editor; without one, nothing is held.
  explicit EditorFiles(std::string template_folder, MessageText text = nullptr, FileGuard* guard = nullptr)
      : template_folder_(std::move(template_folder)), text_(std::move(text)), guard_(guard) {}

  // Read from the disk each time: "converted" means the internal file is there,
  // readable or not.
  FileState state() const;
  // The parameter file, empty when none is chosen.
  const std::string& path() const { return path_; }
  std::string working_copy() const;
  std::string internal_file() const;
  // "Config VAULTRINE 1.92 - " and the path.
  std::string Caption() const;
  std::string TemplatePath(bool advanced) const;

  // Start-up: the entries of `folder` that can be parameter files, tried in name
  // order; the first compatible one is chosen, silently. kNotChosen when none is; a
  // folder that cannot be written is named once. The search stops at a file another
  // editor holds.
  Choice ChooseFirstCompatible(const std::string& folder, std::vector<std::string> names, MessageSink& sink);

  // Holds `chosen` for this editor before the current file is settled, so that a
  // file held elsewhere is refused before the user is asked anything about the
  // current one. ChooseNew and ChooseExisting then take it; Unclaim lets go of it
  // when the user keeps the current file after all.
  bool Claim(const std::string& chosen, MessageSink& sink);
  void Unclaim();

  // A new parameter file at `chosen`, starting from the template of the mode. The
  // file stays chosen even if the template is missing: leaving the page says so.
  // Not chosen, after the message, when its folder cannot be written.
  Choice ChooseNew(const std::string& chosen, bool advanced, MessageSink& sink);
  // An existing parameter file; an incompatible one, or one in a folder that cannot
  // be written, is refused with its message and leaves no file chosen.
  Choice ChooseExisting(const std::string& chosen, MessageSink& sink);

  // Leaving the parameter-file page. Only kConverted lets the user go on; a refused
  // or failed conversion leaves nothing on disk, and an incompatible or incomplete
  // file is no longer chosen. Once converted it stays so: the internal file holds
  // the session's edits, even after a failed save has used the working copy.
  ConvertResult Convert(MessageSink& sink);

  // Writes the parameter file from the internal file. On success only the file and
  // its ".OLD" remain and no file is chosen any more.
  WriteResult Save(MessageSink& sink);
  // Drops the file: its working copy and internal file go, the file itself stays.
  void Discard();

 private:
  // Holds `chosen`, drops the current file, makes the working copy of `source` for
  // `chosen` and forgets any earlier conversion of that name. A folder that does
  // not take the copy is said here, and nothing stays chosen. nullopt, with nothing
  // touched, when another editor holds `chosen`.
  std::optional<WorkingCopyResult> Adopt(const std::string& chosen, const std::string& source, MessageSink& sink);
  // The working copy and the internal file go; no file is chosen.
  void DropCompanions();
  // Lets go of what is neither chosen nor claimed.
  void KeepHeld();
  std::string Text(std::string_view key, const std::string& path) const;

  std::string template_folder_;
  MessageText text_;
  FileGuard* guard_;
  std::string path_;
  std::string claimed_;  // held by Claim, not chosen yet
};

}  // namespace vaultrine::config
