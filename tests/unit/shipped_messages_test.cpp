// The message files shipped in data/, read through the real loader: every key the
// programs ask for must come out in both languages, whole. A text that outgrows a
// limit shows "??" or a cut text to the user, so the limits are checked here.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/message_file.h"
#include "common/message_keys.h"
#include "common/text_encoding.h"
#include "config_editor/core/rule_expression.h"
#include "config_editor/core/rule_sections.h"

namespace vaultrine {
namespace {

namespace keys = message_keys;

const std::string kDataFolder = std::string(VAULTRINE_SOURCE_DIR) + "/data";

struct FailSink : MessageSink {
  void Show(const UserMessage& m) override { ADD_FAILURE() << m.caption << ": " << m.text; }
};

// A section as plain lines say it, independently of the loader's windows.
struct Entry {
  std::string text;       // raw, as in the file
  size_t end_offset = 0;  // just past its line end
};
struct Section {
  size_t header_offset = 0;
  std::map<std::string, Entry> entries;
  std::vector<std::string> duplicates;
};

std::map<std::string, Section> ParseSections(const std::string& bytes) {
  std::map<std::string, Section> sections;
  Section* current = nullptr;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t lf = bytes.find('\n', pos);
    size_t next = lf == std::string::npos ? bytes.size() : lf + 1;
    std::string line = bytes.substr(pos, next - pos);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      current = &sections[line.substr(1, line.size() - 2)];
      current->header_offset = pos;
    } else if (current != nullptr && !line.empty()) {
      size_t eq = line.find('=');
      std::string key = line.substr(0, eq);
      if (current->entries.count(key)) current->duplicates.push_back(key);
      current->entries[key] = Entry{eq == std::string::npos ? "" : line.substr(eq + 1), next};
    }
    pos = next;
  }
  return sections;
}

std::string Expected(std::string raw) {
  for (size_t at; (at = raw.find("@@")) != std::string::npos;) raw.replace(at, 2, "\r\n");
  return raw;
}

// The keys of one program as message_keys.h writes them: every text in double quotes
// outside comments, from the program's heading to the next one. The header is the
// list; nothing is copied from it by hand.
std::set<std::string> KeysOfHeader(const std::string& program) {
  const std::optional<std::string> header = ReadWholeFile(std::string(VAULTRINE_SOURCE_DIR) + "/common/message_keys.h");
  EXPECT_TRUE(header.has_value());
  if (!header) return {};
  const size_t from = header->find("// ---- " + program + " ----");
  EXPECT_NE(from, std::string::npos) << program;
  if (from == std::string::npos) return {};
  const size_t to = header->find("// ---- ", from + 1);
  std::set<std::string> keys;
  std::istringstream lines(header->substr(from, to == std::string::npos ? std::string::npos : to - from));
  for (std::string line; std::getline(lines, line);) {
    line = line.substr(0, line.find("//"));
    for (size_t open; (open = line.find('"')) != std::string::npos;) {
      const size_t close = line.find('"', open + 1);
      if (close == std::string::npos) break;
      keys.insert(line.substr(open + 1, close - open - 1));
      line.erase(0, close + 1);
    }
  }
  return keys;
}

// The editor's keys: the header's and those of the rule section table's rows.
std::set<std::string> EditorKeys() {
  std::set<std::string> keys = KeysOfHeader("ConfigVaultrine");
  for (const config::RuleSectionInfo& row : config::kRuleSections)
    keys.insert({row.tab_key, row.title_key, row.edit_title_key});
  return keys;
}

struct ShippedFile {
  MessageFileVariant variant;
  std::set<std::string> keys;
  std::set<std::string> formats;  // texts with exactly one "%s"
};

void PrintTo(const ShippedFile& f, std::ostream* os) { *os << f.variant.file_name; }

class ShippedMessageFile : public ::testing::TestWithParam<ShippedFile> {
 protected:
  void SetUp() override {
    auto read = ReadWholeFile(kDataFolder + "/" + GetParam().variant.file_name);
    ASSERT_TRUE(read.has_value()) << GetParam().variant.file_name;
    bytes_ = *read;
    sections_ = ParseSections(bytes_);
  }
  std::string bytes_;
  std::map<std::string, Section> sections_;
};

TEST_P(ShippedMessageFile, IsUtf8WithCrLfLines) {
  EXPECT_NE(bytes_.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no byte-order mark before the first header";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(bytes_)), bytes_) << "invalid UTF-8";
  ASSERT_FALSE(bytes_.empty());
  EXPECT_EQ(bytes_.back(), '\n');
  for (size_t i = 0; i < bytes_.size(); ++i) {
    if (bytes_[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes_[i - 1] == '\r') << "bare LF at " << i;
    }
    if (bytes_[i] == '\r') {
      ASSERT_TRUE(i + 1 < bytes_.size() && bytes_[i + 1] == '\n') << "bare CR at " << i;
    }
  }
}

TEST_P(ShippedMessageFile, BothLanguagesHoldExactlyTheKeysInUse) {
  for (const char* language : {"eng", "fra"}) {
    SCOPED_TRACE(language);
    auto found = sections_.find(std::string("MAIN_") + language);
    ASSERT_NE(found, sections_.end());
    std::set<std::string> present;
    for (const auto& [key, entry] : found->second.entries) present.insert(key);
    EXPECT_EQ(present, GetParam().keys);
    EXPECT_TRUE(found->second.duplicates.empty()) << found->second.duplicates.front();
  }
}

TEST_P(ShippedMessageFile, EveryKeyComesOutWholeThroughTheLoader) {
  FailSink sink;
  MessageFile messages(GetParam().variant);
  ASSERT_TRUE(messages.LoadMessageFile(kDataFolder, sink));
  for (const char* language : {"eng", "fra"}) {
    SCOPED_TRACE(language);
    const Section& section = sections_.at(std::string("MAIN_") + language);
    EXPECT_LT(section.header_offset, 32900u);
    messages.SelectSection(keys::kSection, language);
    ASSERT_EQ(messages.section_offset(), static_cast<long>(section.header_offset));
    for (const std::string& key : GetParam().keys) {
      SCOPED_TRACE(key);
      auto entry = section.entries.find(key);
      ASSERT_NE(entry, section.entries.end());
      const std::string& raw = entry->second.text;
      EXPECT_LE(raw.size(), MessageFile::kMaxTextBytes);
      EXPECT_LE(entry->second.end_offset, section.header_offset + MessageFile::kWindowSize);
      EXPECT_EQ(raw.find('@'), raw.find("@@")) << "line breaks are written as @@";
      // Also catches a pattern that matches inside an earlier entry of the section.
      EXPECT_EQ(Utf16ToUtf8(messages.LookUpMessage(key)), Expected(raw));
    }
  }
}

TEST_P(ShippedMessageFile, FormatsHoldOneStringPlaceAndOthersNone) {
  for (const char* language : {"eng", "fra"}) {
    for (const auto& [key, entry] : sections_.at(std::string("MAIN_") + language).entries) {
      const std::string& text = entry.text;
      size_t percents = 0;
      for (char c : text) percents += c == '%';
      if (GetParam().formats.count(key)) {
        EXPECT_EQ(percents, 1u) << language << " " << key;
        EXPECT_NE(text.find("%s"), std::string::npos) << language << " " << key;
      } else {
        EXPECT_EQ(percents, 0u) << language << " " << key;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Data, ShippedMessageFile,
    ::testing::Values(
        ShippedFile{kEditorMessageFile,
                    EditorKeys(),
                    {keys::kEndQuestion.question, keys::kListsOverLimit, keys::kPageNotSaved, keys::kPageNotRead,
                     keys::kFolderNotWritable, keys::kFileHeldElsewhere}},
        ShippedFile{kRestoreMessageFile,
                    KeysOfHeader("RestoreVaultrine"),
                    {keys::kAskVolumeNotFound, keys::kListIncomplete}}),
    [](const auto& info) {
      std::string name = info.param.variant.file_name;
      return name.substr(0, name.find('.'));
    });

// A key the code spells instead of naming it escapes the list above, and shows "??"
// once the files lose it: the programs' sources hold no text that is a key of either
// shipped file, anywhere but in the lists (message_keys.h and the rule section
// table), and look up no spelled key.
TEST(ShippedMessages, TheCodeNamesEveryKeyItUses) {
  std::set<std::string> shipped;
  for (const char* file : {"ConfigVaultrine.mes", "RestoreVaultrine.mes"}) {
    const std::optional<std::string> bytes = ReadWholeFile(kDataFolder + "/" + file);
    ASSERT_TRUE(bytes.has_value()) << file;
    for (const auto& [name, section] : ParseSections(*bytes))
      for (const auto& [key, entry] : section.entries) shipped.insert(key);
  }
  ASSERT_GT(shipped.size(), 50u);
  namespace fs = std::filesystem;
  size_t sources = 0;
  for (const char* folder : {"common", "config_editor", "restore_support"}) {
    for (const auto& item : fs::recursive_directory_iterator(fs::path(VAULTRINE_SOURCE_DIR) / folder)) {
      const std::string ext = item.path().extension().string();
      if (!item.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      // The two lists of keys.
      if (item.path().filename() == "message_keys.h" || item.path().filename() == "rule_sections.h") continue;
      ++sources;
      const std::optional<std::string> text = ReadWholeFile(item.path().string());
      ASSERT_TRUE(text.has_value()) << item.path();
      for (const std::string& key : shipped) {
        EXPECT_EQ(text->find('"' + key + '"'), std::string::npos)
            << item.path().string() << " spells the key \"" << key << "\": name it in common/message_keys.h";
      }
      // Nor a key the files lack: no lookup takes a text in double quotes.
      for (const char* lookup : {"Text(\"", "LookUpMessage(\""})
        EXPECT_EQ(text->find(lookup), std::string::npos) << item.path().string() << " looks up a spelled key";
    }
  }
  EXPECT_GT(sources, 50u);
}

// The include page adds this text as a new rule; its dialog refuses a rule whose
// first double quote is not among its first 19 characters.
TEST(ShippedEditorMessages, NewIncludeEntryIsAValidRule) {
  FailSink sink;
  MessageFile messages(kEditorMessageFile);
  ASSERT_TRUE(messages.LoadMessageFile(kDataFolder, sink));
  for (const char* language : {"eng", "fra"}) {
    messages.SelectSection(keys::kSection, language);
    std::string rule = Utf16ToUtf8(messages.LookUpMessage(keys::kIncludeNewEntry));
    size_t quote = rule.find('"');
    EXPECT_LT(quote, 19u) << language;
    EXPECT_GE(rule.size(), 3u) << language;
    EXPECT_EQ(rule.back(), '"') << language;
    // And the dialog's own reading of it: opened, then validated unchanged.
    const auto parts = config::ParseRule(config::RuleSection::kInclude, rule);
    ASSERT_TRUE(parts) << language;
    EXPECT_EQ(config::ComposeRule(config::RuleSection::kInclude, *parts), rule) << language;
  }
}

}  // namespace
}  // namespace vaultrine
