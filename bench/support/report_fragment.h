// The portable half of the benchmarks' report helpers: medians, formatting and the
// Markdown section each benchmark writes. The Windows benchmarks run under Wine use
// it as the native ones do.
#pragma once
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// printf into a std::string.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[4096];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

// The report section of one benchmark: a title, what is compared and why, a table.
// Written whole at the end, so a failed run leaves no half section behind.
class Fragment {
 public:
  explicit Fragment(std::string path) : path_(std::move(path)) {}
  void Line(const std::string& text) { text_ += text + "\n"; }
  void Row(const std::vector<std::string>& cells) {
    std::string line = "|";
    for (const std::string& c : cells) line += " " + c + " |";
    Line(line);
  }
  void Header(const std::vector<std::string>& cells, const std::vector<bool>& numeric) {
    Row(cells);
    std::string line = "|";
    for (size_t i = 0; i < cells.size(); ++i) line += i < numeric.size() && numeric[i] ? "---:|" : "---|";
    Line(line);
  }
  // Prints the section and, when a path was given, writes it there.
  bool Save() const {
    std::fputs(text_.c_str(), stdout);
    if (path_.empty()) return true;
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << text_;
    return static_cast<bool>(out);
  }

 private:
  std::string path_;
  std::string text_;
};

}  // namespace bench
