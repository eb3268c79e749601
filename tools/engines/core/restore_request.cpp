#include "tools/engines/core/restore_request.h"

#include "tools/engines/core/path_rules.h"

namespace vaultrine::engines {
namespace {

bool TakeLine(std::string_view& bytes, std::string_view& line) {
  if (bytes.empty()) return false;
  const size_t end = bytes.find('\n');
  line = bytes.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
  return true;
}

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<RestoreRequest> ParseRestoreRequest(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::string_view line;
  RestoreRequest request;
  if (!TakeLine(bytes, line) || line.substr(0, 4) != "key=") return std::nullopt;
  request.key = std::string(line.substr(4));
  if (!TakeLine(bytes, line) || line.substr(0, 12) != "destination=" || line.size() == 12) return std::nullopt;
  request.destination = std::string(line.substr(12));
  while (TakeLine(bytes, line)) {
    if (!line.empty()) request.entries.emplace_back(line);
  }
  return request;
}

bool IsFolderEntry(std::string_view entry) { return !entry.empty() && entry.back() == '\\'; }

std::string RestoreTarget(std::string_view restore_folder, std::string_view entry, std::string_view file) {
  std::string root(restore_folder);
  while (!root.empty() && root.back() == '\\') root.pop_back();
  if (!IsFolderEntry(entry)) {
    if (FoldCase(entry) != FoldCase(file) || BaseName(file).empty()) return {};
    return root + "\\" + std::string(BaseName(file));
  }
  if (file.size() <= entry.size() || FoldCase(file.substr(0, entry.size())) != FoldCase(entry)) return {};
  const std::string_view folder_name = BaseName(entry.substr(0, entry.size() - 1));
  // A drive root ("E:\") has no name of its own: its content goes straight in.
  const bool root_entry = folder_name.size() == 2 && folder_name[1] == ':';
  std::string target = root;
  if (!root_entry && !folder_name.empty()) target += "\\" + std::string(folder_name);
  return target + "\\" + std::string(file.substr(entry.size()));
}

}  // namespace vaultrine::engines
