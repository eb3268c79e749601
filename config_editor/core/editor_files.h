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
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config_editor/core/message_sink.h"
#include "config_editor/core/parameter_file.h"

namespace vaultrine::config {

enum class FileState { kNoFile, kChosen, kConverted };

inline constexpr const char* kNormalTemplateName = "Low_Template_TSN.tsn";
inline constexpr const char* kAdvancedTemplateName = "High_Template_TSN.tsn";

// The text of a message key in the interface language, UTF-8.
using MessageText = std::function<std::string(std::string_view key)>;

class EditorFiles {
 public:
  // `template_folder`: where the two templates lie (the program folder). `text`
  // gives the messages that are not the format's own; without it, their keys.
  explicit EditorFiles(std::string template_folder, MessageText text = nullptr)
      : template_folder_(std::move(template_folder)), text_(std::move(text)) {}

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
  // order; the first compatible one is chosen, silently. False when none is; a
  // folder that cannot be written is named once.
  bool ChooseFirstCompatible(const std::string& folder, std::vector<std::string> names, MessageSink& sink);

  // A new parameter file at `chosen`, starting from the template of the mode. The
  // file stays chosen even if the template is missing: leaving the page says so.
  // False, after the message, when its folder cannot be written.
  bool ChooseNew(const std::string& chosen, bool advanced, MessageSink& sink);
  // An existing parameter file; an incompatible one, or one in a folder that cannot
  // be written, is refused with its message and leaves no file chosen. False when
  // refused.
  bool ChooseExisting(const std::string& chosen, MessageSink& sink);

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
  // Makes the working copy of `source` for `chosen` and forgets any earlier
  // conversion of that name. A folder that does not take the copy is said here,
  // and nothing stays chosen.
  WorkingCopyResult Adopt(const std::string& chosen, const std::string& source, MessageSink& sink);
  std::string Text(std::string_view key, const std::string& path) const;

  std::string template_folder_;
  MessageText text_;
  std::string path_;
};

}  // namespace vaultrine::config
