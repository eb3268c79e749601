#include "config_editor/core/rule_list.h"

namespace vaultrine::config {

RuleList RuleList::Load(const ProfileFile& file, std::string_view section, bool restore_quotes) {
  std::vector<std::string> entries;
  for (int i = 0; i < kMaxEntries; ++i) {
    std::string entry = file.Read(section, EntryKey(i), kListEnd);
    if (entry == kListEnd) break;
    if (restore_quotes && (entry.empty() || entry[0] != '#')) entry = "\"" + entry + "\"";
    entries.push_back(std::move(entry));
  }
  return RuleList(std::move(entries));
}

bool RuleList::Save(ProfileFile& file, std::string_view section) const {
  bool ok = true;
  for (int i = 0; i < kMaxEntries; ++i) ok &= file.Write(section, EntryKey(i), std::nullopt);
  for (int i = 0; i < count() && i < kMaxEntries; ++i) ok &= file.Write(section, EntryKey(i), entries_[i]);
  return file.Flush() && ok;
}

RuleEditSlot RuleList::TakeOut(int index) {
  RuleEditSlot slot{entries_.at(index), count(), index};
  entries_.erase(entries_.begin() + index);
  return slot;
}

int RuleList::PutBack(const RuleEditSlot& slot, int result) {
  // A window that could not be shown changed nothing: the rule goes back as it was.
  if (result != kEditAbandon && result != kEditValidate && result != kEditNotShown) return -1;
  const bool at_end = slot.position < 0 || slot.position >= count();
  const int index = at_end ? count() : slot.position;
  entries_.insert(entries_.begin() + index, slot.text);
  return index;
}

bool RuleList::Append(std::string rule) {
  if (Full()) return false;
  entries_.push_back(std::move(rule));
  return true;
}

}  // namespace vaultrine::config

namespace vaultrine::config {

std::string FolderRuleValue(RuleSection section, std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  if (section != RuleSection::kInclude) folder += '*';
  return folder;
}

}  // namespace vaultrine::config
