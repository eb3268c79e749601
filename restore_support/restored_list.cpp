#include "restore_support/restored_list.h"

namespace vaultrine::restore {

bool RestoredList::Record(std::string_view kind, std::string_view name_utf8) {
  if (file_.state() == RecordFile::State::kNotCreated) file_.Create(path_);
  if (!file_.Append(RestoredListLine(kind, name_utf8))) return false;
  const int index = KindIndex(kind);
  if (index >= 0) ++counts_[index];
  return true;
}

std::string IncompleteListNotice(std::string format, int lost) {
  const size_t at = format.find("%s");
  if (at != std::string::npos) format.replace(at, 2, std::to_string(lost));
  return format;
}

}  // namespace vaultrine::restore
