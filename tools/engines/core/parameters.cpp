#include "tools/engines/core/parameters.h"

namespace vaultrine::engines {
namespace {

std::vector<std::string_view> Lines(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string WithoutQuotes(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c != '"') out.push_back(c);
  }
  return out;
}

void ReadDestination(std::string_view line, BackupParameters& p) {
  const std::string text = WithoutQuotes(line);
  const size_t comma = text.find(',');
  p.has_destination = true;
  p.destination = std::string(Trim(std::string_view(text).substr(0, comma)));
  if (comma == std::string::npos) return;
  std::string_view rest = Trim(std::string_view(text).substr(comma + 1));
  if (rest.substr(0, 5) != "name=") return;
  rest.remove_prefix(5);
  p.volume_name = std::string(Trim(rest.substr(0, rest.find(','))));
}

}  // namespace

std::map<std::string, std::vector<std::string>> ReadSections(std::string_view bytes) {
  std::map<std::string, std::vector<std::string>> sections;
  std::vector<std::string>* current = nullptr;
  for (std::string_view line : Lines(bytes)) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &sections[std::string(line.substr(1, line.size() - 2))];
      continue;
    }
    if (line.empty() || line.front() == '[') {
      current = nullptr;
      continue;
    }
    if (current) current->emplace_back(line);
  }
  return sections;
}

bool ParseExclusionRule(std::string_view line, ExclusionRule& rule) {
  line = Trim(line);
  if (line.empty() || line.front() == '#') return false;
  if (line.substr(0, 3) == "yes") {
    rule.exclude = true;
  } else if (line.substr(0, 2) == "no") {
    rule.exclude = false;
  } else {
    return false;
  }
  const size_t open = line.find("path=\"");
  const size_t close = line.rfind("\")");
  if (open == std::string_view::npos || close == std::string_view::npos || close < open + 6) return false;
  rule.pattern = std::string(line.substr(open + 6, close - open - 6));
  return true;
}

BackupParameters ParseBackupParameters(std::string_view bytes) {
  const auto sections = ReadSections(bytes);
  BackupParameters p;
  auto section = [&](const char* name) -> const std::vector<std::string>& {
    static const std::vector<std::string> none;
    const auto it = sections.find(name);
    return it == sections.end() ? none : it->second;
  };
  for (const std::string& line : section("general")) {
    if (line.rfind("database=", 0) == 0 && line.size() > 9) p.database_name = line.substr(9);
  }
  for (const std::string& line : section("include")) {
    const std::string_view entry = Trim(line);
    if (entry.empty() || entry.front() == '#') continue;
    std::string path = WithoutQuotes(entry);
    if (!path.empty()) p.includes.push_back(std::move(path));
  }
  for (const std::string& line : section("destination")) {
    if (Trim(line).empty() || Trim(line).front() == '#') continue;
    ReadDestination(line, p);
    break;
  }
  for (const std::string& line : section("exclude")) {
    ExclusionRule rule;
    if (ParseExclusionRule(line, rule)) p.exclusions.push_back(std::move(rule));
  }
  return p;
}

}  // namespace vaultrine::engines
