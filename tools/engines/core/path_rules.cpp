#include "tools/engines/core/path_rules.h"

namespace vaultrine::engines {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Backslashed(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view text) {
  // Greedy with one resume point: the last "*" seen and where its match began.
  size_t p = 0, t = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(text[t]))) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool IsExcluded(const std::vector<ExclusionRule>& rules, std::string_view path) {
  bool excluded = false;
  for (const ExclusionRule& rule : rules) {
    if (!WildcardMatch(rule.pattern, path)) continue;
    if (!rule.exclude) return false;
    excluded = true;
  }
  return excluded;
}

std::string MirrorPath(std::string_view destination, std::string_view source) {
  const std::string src = Backslashed(source);
  std::string root = Backslashed(destination);
  while (!root.empty() && root.back() == '\\') root.pop_back();
  if (src.size() >= 3 && IsLetter(src[0]) && src[1] == ':' && src[2] == '\\') {
    return root + "\\" + src[0] + src.substr(2);
  }
  if (src.size() > 2 && src[0] == '\\' && src[1] == '\\') return root + "\\UNC" + src.substr(1);
  return {};
}

std::string ParentFolder(std::string_view path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string FoldCase(std::string_view path) {
  std::string out(path);
  for (char& c : out) c = Lower(c);
  return out;
}

}  // namespace vaultrine::engines
