// The two templates a new parameter file starts from. The editor refuses a file
// without the compatibility key and stops converting at the first missing section,
// and the rule dialogs refuse entries that are not in their section's form.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "common/file_io.h"

namespace vaultrine {
namespace {

const std::string kDataFolder = std::string(VAULTRINE_SOURCE_DIR) + "/data";

const char* const kHeaders[] = {"[general]",     "[include]",      "[destination]",
                                "[exclude]",     "[md5_compare]",  "[old_versions]",
                                "[compress]",    "[crypt]",        "[crypt_path]",
                                "[restore]"};

struct Parsed {
  std::vector<std::vector<std::string>> sections;  // entries, by header index
  std::vector<std::string> problems;
};

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}
bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Splits the file the way the editor writes it: each header after one empty line,
// entries up to the next empty line, "# eof" last.
Parsed Parse(std::string bytes) {
  Parsed out;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.erase(0, 3);
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t lf = bytes.find('\n', pos);
    if (lf == std::string::npos || lf == 0 || bytes[lf - 1] != '\r') {
      out.problems.push_back("line not ended by CR LF at byte " + std::to_string(pos));
      return out;
    }
    lines.push_back(bytes.substr(pos, lf - 1 - pos));
    pos = lf + 1;
  }
  size_t i = 0;
  for (size_t h = 0; h < std::size(kHeaders); ++h) {
    if (h > 0) {
      if (i >= lines.size() || !lines[i].empty()) out.problems.push_back(std::string("no empty line before ") + kHeaders[h]);
      ++i;
    }
    if (i >= lines.size() || lines[i] != kHeaders[h]) {
      out.problems.push_back(std::string("expected ") + kHeaders[h]);
      return out;
    }
    ++i;
    out.sections.emplace_back();
    while (i < lines.size() && !lines[i].empty()) {
      if (lines[i][0] == '[') out.problems.push_back("header without empty line: " + lines[i]);
      out.sections.back().push_back(lines[i++]);
    }
  }
  if (!(i + 2 == lines.size() && lines[i].empty() && lines[i + 1] == "# eof")) {
    out.problems.push_back("the file does not end with an empty line and \"# eof\"");
  }
  return out;
}

// The rule forms of each section that has rules; the body follows an optional "#".
struct Form {
  const char* prefix;
  const char* suffix;
};
const std::vector<std::vector<Form>> kForms = {
    /* exclude */ {{"yes => (path=\"", "\")"}, {"no => (path=\"", "\")"}},
    /* md5_compare */ {{"md5 => (path=\"", "\")"}, {"md5 => (size>", ")"}},
    /* old_versions */ {},
    /* compress */ {{"gzip => (path=\"", "\")"}},
    /* crypt */ {{"bf => (path=\"", "\")"}},
    /* crypt_path */ {{"bf => (path=\"", "\")"}},
};

class Template : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    auto bytes = ReadWholeFile(kDataFolder + "/" + GetParam());
    ASSERT_TRUE(bytes.has_value());
    parsed_ = Parse(*bytes);
    for (const std::string& p : parsed_.problems) ADD_FAILURE() << p;
    ASSERT_EQ(parsed_.sections.size(), std::size(kHeaders));
  }
  const std::vector<std::string>& Entries(size_t header) { return parsed_.sections[header]; }
  Parsed parsed_;
};

TEST_P(Template, GeneralBlockHasTheKeysThePagesRead) {
  bool compatible = false, delay = false, key = false, summary = false;
  for (const std::string& line : Entries(0)) {
    SCOPED_TRACE(line);
    EXPECT_LE(line.size(), 90u);
    if (line[0] == '#') continue;
    size_t eq = line.find('=');
    ASSERT_TRUE(eq != std::string::npos && eq > 0);
    EXPECT_NE(line[eq - 1], ' ');
    EXPECT_TRUE(eq + 1 == line.size() || line[eq + 1] != ' ');
    std::string k = line.substr(0, eq), v = line.substr(eq + 1);
    if (k == "ov_obsolete") compatible = true;
    if (k == "obsolete") {
      delay = v.size() >= 2 && v.back() == 'd' &&
              v.find_first_not_of("0123456789") == v.size() - 1;
    }
    if (k == "cryptkey") key = true;
    if (k == "summary") summary = v.size() > 2 && v.front() == '"' && v.back() == '"';
  }
  EXPECT_TRUE(compatible) << "ov_obsolete";
  EXPECT_TRUE(delay) << "obsolete=<days>d";
  EXPECT_TRUE(key) << "cryptkey";
  EXPECT_TRUE(summary) << "summary=\"<folder>\"";
}

TEST_P(Template, IncludeDestinationAndRestoreAreInTheirForms) {
  ASSERT_FALSE(Entries(1).empty());
  for (std::string entry : Entries(1)) {
    if (entry[0] == '#') entry.erase(0, 1);
    EXPECT_TRUE(entry.size() >= 3 && entry.front() == '"' && entry.back() == '"') << entry;
    EXPECT_LE(entry.size(), 381u + 2);
  }
  ASSERT_EQ(Entries(2).size(), 1u);
  const std::string& destination = Entries(2)[0];
  EXPECT_LE(destination.size(), 383u);
  size_t comma = destination.find(',');
  std::string folder = destination.substr(0, comma == std::string::npos ? comma : comma - 1);
  EXPECT_TRUE(folder.size() > 2 && folder.front() == '"' && folder.back() == '"') << destination;
  if (comma != std::string::npos) {
    EXPECT_EQ(destination.substr(comma - 1, 7), " ,name=");
    EXPECT_TRUE(EndsWith(destination, " , search")) << destination;
    EXPECT_GT(destination.size(), comma + 6 + std::string(" , search").size());
  }
  ASSERT_FALSE(Entries(9).empty());
  const std::string& restore = Entries(9)[0];
  EXPECT_NE(restore.front(), '"');
  EXPECT_EQ(restore.back(), '\\');
}

TEST_P(Template, RulesAreInTheFormsOfTheirSections) {
  for (size_t s = 0; s < kForms.size(); ++s) {
    for (const std::string& rule : Entries(3 + s)) {
      SCOPED_TRACE(std::string(kHeaders[3 + s]) + " " + rule);
      EXPECT_LE(rule.size(), 381u);
      std::string body = rule[0] == '#' ? rule.substr(1) : rule;
      bool matched = false;
      for (const Form& f : kForms[s]) {
        matched = matched || (StartsWith(body, f.prefix) && EndsWith(body, f.suffix) &&
                              body.size() > std::string(f.prefix).size() + std::string(f.suffix).size());
      }
      EXPECT_TRUE(matched);
      if (s != 1) {
        EXPECT_LT(body.find('"'), 19u);
      }
    }
  }
}

// The md5 size criterion cannot be added or deleted in the editor: only a template
// brings it.
TEST_P(Template, CarriesTheMd5SizeCriterion) {
  int size_rules = 0;
  for (const std::string& rule : Entries(4)) size_rules += StartsWith(rule, "md5 => (size>");
  EXPECT_EQ(size_rules, 1);
}

INSTANTIATE_TEST_SUITE_P(Data, Template,
                         ::testing::Values("Low_Template_TSN.tsn", "High_Template_TSN.tsn"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('_'));
                         });

TEST(AdvancedTemplate, ShowsExampleRulesForEveryAdvancedPage) {
  auto bytes = ReadWholeFile(kDataFolder + "/High_Template_TSN.tsn");
  ASSERT_TRUE(bytes.has_value());
  Parsed parsed = Parse(*bytes);
  ASSERT_EQ(parsed.sections.size(), std::size(kHeaders));
  for (size_t header : {4u, 6u, 7u, 8u}) {
    EXPECT_FALSE(parsed.sections[header].empty()) << kHeaders[header];
  }
}

}  // namespace
}  // namespace vaultrine
