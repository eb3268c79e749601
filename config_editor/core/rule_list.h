// The rules of one section as a rule page holds them between loading and saving,
// and the protocol by which an entry goes out to its edit dialog and comes back.
// Portable, so the page is only the window around it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "config_editor/core/entry_keys.h"
#include "config_editor/core/profile_file.h"
#include "config_editor/core/rule_expression.h"

namespace vaultrine::config {

// A rule the user composes holds at most this many bytes of UTF-8.
inline constexpr size_t kMaxRuleBytes = 383;

// How an edit dialog ended; kEditNotShown when its window could not be made at all.
enum EditResult : int {
  kEditAbandon = 1,
  kEditValidate = 2,
  kEditDelete = 3,
  kEditSyntaxError = -1,
  kEditNotShown = -2,
};

// The rule on its way to the dialog: its text, the number of entries when editing
// began (itself included) and the place it goes back to (-1: the end).
struct RuleEditSlot {
  std::string text;  // UTF-8
  int count = 0;
  int position = 0;
};

class RuleList {
 public:
  RuleList() = default;
  explicit RuleList(std::vector<std::string> entries) : entries_(std::move(entries)) {}

  // Keys "000" up to the first missing one (or one holding "*****"), each whole: the
  // page writes back what it loaded, so an entry stored longer than a user may
  // compose survives a visit. Include entries get back the quotes that reading
  // removed, unless commented out.
  static RuleList Load(const ProfileFile& file, std::string_view section, bool restore_quotes);
  // Deletes "000" to "099", then writes the entries in order.
  bool Save(ProfileFile& file, std::string_view section) const;

  const std::vector<std::string>& entries() const { return entries_; }
  int count() const { return static_cast<int>(entries_.size()); }
  bool Full() const { return count() >= kMaxEntries; }

  // Takes entry `index` out of the list for editing.
  RuleEditSlot TakeOut(int index);
  // Puts the slot back after the dialog: abandon, validate and a window that could
  // not be shown insert it at its position (at the end when the position is -1 or
  // past the count); delete and a syntax error leave it out. Returns the index it
  // took, or -1.
  int PutBack(const RuleEditSlot& slot, int result);
  // Appends `rule`; false when the list is full.
  bool Append(std::string rule);

 private:
  std::vector<std::string> entries_;
};

// Whether a composed rule fits a rule line; include values are counted with their
// quotes, so 381 bytes of value at most.
inline bool RuleFits(std::string_view composed) { return composed.size() <= kMaxRuleBytes; }

}  // namespace vaultrine::config

namespace vaultrine::config {

// The value a folder chosen in an edit dialog gives: include takes the folder itself
// (with its closing "\"), the other sections everything under it ("\*"). A drive
// root already ends with "\" and gets no second one.
std::string FolderRuleValue(RuleSection section, std::string folder);

}  // namespace vaultrine::config
