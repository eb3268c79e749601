// The stand-in engines' rules: what they read from a parameter file, which files a
// backup takes and where it puts them, how the database follows the source, the
// catalog, and the request file of a restore. A fault here would make a test of the
// suite lie, so each rule is checked on the inputs the suite really produces.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "tools/engines/core/backup_plan.h"
#include "tools/engines/core/engine_database.h"
#include "tools/engines/core/engine_texts.h"
#include "tools/engines/core/gettext_catalog.h"
#include "tools/engines/core/parameters.h"
#include "tools/engines/core/path_rules.h"
#include "tools/engines/core/restore_request.h"

namespace vaultrine::engines {
namespace {

using testing::ReadBytes;
using testing::TempDir;

std::string Patterns(const std::vector<ExclusionRule>& rules) {
  std::string out;
  for (const ExclusionRule& r : rules) out += (r.exclude ? "yes:" : "no:") + r.pattern + ";";
  return out;
}

TEST(StandInParameters, WhatTheBackupEngineReads) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> includes;
    bool has_destination;
    const char* destination;
    const char* volume;
    const char* exclusions;
    const char* database;
  } cases[] = {
      {"as the editor writes it",
       "\xEF\xBB\xBF[general]\r\nov_obsolete=1\r\ndatabase=archive.db\r\n\r\n[include]\r\n\"C:\\Users\\\"\r\n"
       "#\"D:\\Data\\\"\r\n\"C:\\Caf\xC3\xA9\\notes.txt\"\r\n\r\n[destination]\r\n\"E:\\Vaultrine\" ,name=BACKUP1 , search\r\n\r\n"
       "[exclude]\r\nyes => (path=\"*.tmp\")\r\n#yes => (path=\"*.doc\")\r\nno => (path=\"*\\Outlook\\*\")\r\n\r\n# eof\r\n",
       {"C:\\Users\\", "C:\\Caf\xC3\xA9\\notes.txt"}, true, "E:\\Vaultrine", "BACKUP1", "yes:*.tmp;no:*\\Outlook\\*;",
       "archive.db"},
      {"LF, no mark, unquoted include, no volume",
       "[general]\nov_obsolete=\n\n[include]\nC:\\Data\\\n\n[destination]\n\"F:\\Saves\"\n", {"C:\\Data\\"}, true,
       "F:\\Saves", "", "", kDefaultDatabaseName},
      {"a section ends at its first empty line or at the next header",
       "[include]\n\"C:\\A\\\"\n\n\"C:\\Lost\\\"\n[destination]\n\"E:\\B\"\n[exclude]\nyes => (path=\"*.x\")\n",
       {"C:\\A\\"}, true, "E:\\B", "", "yes:*.x;", kDefaultDatabaseName},
      {"no destination, an empty database key and unreadable rules",
       "[general]\r\ndatabase=\r\n[include]\r\n\"C:\\A\\\"\r\n[exclude]\r\nmaybe => (path=\"*.x\")\r\nyes => (ext=\"tmp\")\r\n",
       {"C:\\A\\"}, false, "", "", "", kDefaultDatabaseName},
      {"a volume name with blanks around", "[destination]\n  \"G:\\Sets\"  ,  name=MY DISC  ,  search\n", {}, true,
       "G:\\Sets", "MY DISC", "", kDefaultDatabaseName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const BackupParameters p = ParseBackupParameters(c.bytes);
    EXPECT_EQ(p.includes, c.includes);
    EXPECT_EQ(p.has_destination, c.has_destination);
    EXPECT_EQ(p.destination, c.destination);
    EXPECT_EQ(p.volume_name, c.volume);
    EXPECT_EQ(Patterns(p.exclusions), c.exclusions);
    EXPECT_EQ(p.database_name, c.database);
  }
}

// The editor's templates are what a new parameter file starts from: the engine must
// find what to back up and where in both.
TEST(StandInParameters, ShippedTemplatesAreUsable) {
  for (const char* name : {"Low_Template_TSN.tsn", "High_Template_TSN.tsn"}) {
    SCOPED_TRACE(name);
    const BackupParameters p = ParseBackupParameters(ReadBytes(std::string(VAULTRINE_SOURCE_DIR) + "/data/" + name));
    EXPECT_FALSE(p.includes.empty());
    EXPECT_TRUE(p.has_destination);
    EXPECT_FALSE(p.destination.empty());
    for (const std::string& include : p.includes) EXPECT_EQ(include.find('"'), std::string::npos) << include;
  }
}

TEST(StandInPaths, WildcardsExclusionsAndMirror) {
  const struct {
    const char* pattern;
    std::string path;
    bool matches;
  } wildcards[] = {
      {"*.tmp", "C:\\a\\b.TMP", true},
      {"*.tmp", "C:\\a\\b.tmpx", false},
      {"*\\AppData\\Local\\*", "C:\\Users\\x\\appdata\\local\\y.dat", true},
      {"C:\\Data\\*", "C:\\Data\\sub\\a", true},
      {"C:\\Data\\*", "C:\\Database\\a", false},
      {"C:\\Data\\a.txt", "C:\\Data\\a.txt", true},
      {"C:\\Data\\a.txt", "C:\\Data\\a.txt.bak", false},
      {"?.txt", "a.txt", true},
      {"?.txt", "ab.txt", false},
      {"a*b*c", "aXXbYYc", true},
      {"a*b*c", "aXXbYY", false},
      {"*", "", true},
      {"", "x", false},
      {"*caf\xC3\xA9*", "C:\\CAF\xC3\xA9.txt", true},
      {"*CAF\xC3\x89*", "C:\\caf\xC3\xA9.txt", false},  // only ASCII letters fold
      {"a*a*a*a*a*a*a*b", std::string(20000, 'a'), false},
  };
  for (const auto& w : wildcards) {
    SCOPED_TRACE(std::string(w.pattern) + " ~ " + w.path.substr(0, 40));
    EXPECT_EQ(WildcardMatch(w.pattern, w.path), w.matches);
  }

  // The advanced template's rules: `no` carves an exception out of a `yes`, in any order.
  const std::vector<ExclusionRule> rules = {{false, "*\\Local\\Microsoft\\Outlook\\*"},
                                            {true, "*\\AppData\\Local\\*"},
                                            {true, "*.tmp"}};
  const struct {
    const char* path;
    bool excluded;
  } exclusions[] = {
      {"C:\\Users\\x\\AppData\\Local\\cache.db", true},
      {"C:\\Users\\x\\AppData\\Local\\Microsoft\\Outlook\\mail.pst", false},
      {"C:\\Users\\x\\AppData\\Local\\Microsoft\\Outlook\\scratch.tmp", false},
      {"C:\\Users\\x\\notes.tmp", true},
      {"C:\\Users\\x\\notes.txt", false},
  };
  for (const auto& e : exclusions) EXPECT_EQ(IsExcluded(rules, e.path), e.excluded) << e.path;
  EXPECT_FALSE(IsExcluded({}, "C:\\a.tmp"));

  const struct {
    const char* destination;
    const char* source;
    const char* mirror;
  } mirrors[] = {
      {"E:\\Vaultrine", "C:\\Users\\bob\\a.txt", "E:\\Vaultrine\\C\\Users\\bob\\a.txt"},
      {"E:\\Vaultrine\\", "d:/Data/b.txt", "E:\\Vaultrine\\d\\Data\\b.txt"},
      {"E:\\", "C:\\x", "E:\\C\\x"},
      {"E:\\V", "\\\\server\\share\\c.txt", "E:\\V\\UNC\\server\\share\\c.txt"},
      {"E:\\V", "relative\\c.txt", ""},
      {"E:\\V", "C:", ""},
  };
  for (const auto& m : mirrors) EXPECT_EQ(MirrorPath(m.destination, m.source), m.mirror) << m.source;
}

TEST(StandInPlan, ChangesAndObsoleteRows) {
  const FileFacts source{10, 1000};
  EXPECT_EQ(CompareWithCopy(source, std::nullopt), Change::kNew);
  EXPECT_EQ(CompareWithCopy(source, FileFacts{10, 1000}), Change::kUnchanged);
  EXPECT_EQ(CompareWithCopy(source, FileFacts{11, 1000}), Change::kModified);
  EXPECT_EQ(CompareWithCopy(source, FileFacts{10, 999}), Change::kModified);

  const std::vector<TaskRow> rows = {{"E:\\V\\C\\kept.txt", false},
                                     {"E:\\V\\C\\gone.txt", false},
                                     {"E:\\V\\C\\already.txt", true},
                                     {"E:\\V\\C\\Renamed.TXT", false}};
  EXPECT_EQ(NewlyObsolete(rows, {"E:\\V\\C\\kept.txt", "e:\\v\\c\\renamed.txt"}),
            std::vector<std::string>{"E:\\V\\C\\gone.txt"});
  EXPECT_EQ(NewlyObsolete(rows, {}).size(), 3u);

  const std::string task = TaskText("C:\\Prog\\Vaultrine.ini");
  EXPECT_EQ(task.size(), std::string("C:\\Prog\\Vaultrine.ini").size() + 2);
  EXPECT_EQ(task.rfind("C:\\Prog\\Vaultrine.ini", 0), 0u);
  // The task text is also the LIKE pattern: its own two characters must not be wildcards.
  EXPECT_EQ(task.substr(task.size() - 2).find_first_of("%_"), std::string::npos);
}

TEST(StandInDatabase, RowsFollowTheSource) {
  TempDir dir;
  std::string error;
  auto db = EngineDatabase::Open(dir.File("caf\xC3\xA9.sqlite"), error);
  ASSERT_TRUE(db) << error;
  const std::string task = "C:\\P\\Vaultrine.ini#1";
  ASSERT_TRUE(db->Begin());
  EXPECT_TRUE(db->MarkLive("E:\\a", task, 100));
  EXPECT_TRUE(db->MarkLive("E:\\b", task, 100));
  EXPECT_TRUE(db->MarkLive("E:\\a", "other#1", 100));
  EXPECT_TRUE(db->MarkLive("E:\\a", task, 150));  // copied again: still one row
  EXPECT_TRUE(db->MarkObsolete("E:\\b", task, 200));
  EXPECT_TRUE(db->MarkObsolete("E:\\b", task, 300));  // already obsolete: its time stays
  ASSERT_TRUE(db->Commit());
  const auto rows = db->Rows(task);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].destpath, "E:\\a");
  EXPECT_FALSE(rows[0].obsolete);
  EXPECT_EQ(rows[1].destpath, "E:\\b");
  EXPECT_TRUE(rows[1].obsolete);
  EXPECT_TRUE(db->MarkLive("E:\\b", task, 400));  // the file came back
  EXPECT_FALSE(db->Rows(task)[1].obsolete);
  db.reset();

  // Reopening keeps everything; a folder is no database.
  db = EngineDatabase::Open(dir.File("caf\xC3\xA9.sqlite"), error);
  ASSERT_TRUE(db);
  EXPECT_EQ(db->Rows(task).size(), 2u);
  EXPECT_EQ(db->Rows("other#1").size(), 1u);
  std::string folder_error;
  EXPECT_FALSE(EngineDatabase::Open(dir.path().string(), folder_error));
  EXPECT_FALSE(folder_error.empty());
}

// A .mo file built by hand: header, two string tables, strings.
std::string MoFile(const std::vector<std::pair<std::string, std::string>>& entries, bool big_endian = false) {
  auto word = [&](std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      const int shift = big_endian ? 24 - 8 * i : 8 * i;
      out.push_back(static_cast<char>((v >> shift) & 0xFF));
    }
  };
  const uint32_t n = static_cast<uint32_t>(entries.size());
  const uint32_t originals = 28, translations = originals + 8 * n;
  std::string strings;
  std::vector<std::pair<uint32_t, uint32_t>> ids, texts;
  const uint32_t base = translations + 8 * n;
  for (const auto& [id, text] : entries) {
    ids.emplace_back(static_cast<uint32_t>(id.size()), base + static_cast<uint32_t>(strings.size()));
    strings += id + '\0';
  }
  for (const auto& [id, text] : entries) {
    texts.emplace_back(static_cast<uint32_t>(text.size()), base + static_cast<uint32_t>(strings.size()));
    strings += text + '\0';
  }
  std::string out;
  for (uint32_t v : {0x950412deu, 0u, n, originals, translations, 0u, 0u}) word(out, v);
  for (const auto& [len, off] : ids) word(out, len), word(out, off);
  for (const auto& [len, off] : texts) word(out, len), word(out, off);
  return out + strings;
}

TEST(StandInCatalog, ReadsMoFilesAndSurvivesBrokenOnes) {
  const std::string good = MoFile({{"", "Content-Type: text/plain; charset=UTF-8\n"},
                                   {"New", "Nouveaux"},
                                   {"%d file", std::string("%d fichier\0%d fichiers", 22)}});
  const struct {
    const char* name;
    std::string bytes;
    bool parses;
  } cases[] = {
      {"little-endian", good, true},
      {"big-endian", MoFile({{"New", "Nouveaux"}, {"%d file", "%d fichier"}}, true), true},
      {"empty", "", false},
      {"wrong magic", "\x12\x34\x56\x78" + good.substr(4), false},
      {"cut in the tables", good.substr(0, 40), false},
      {"cut in the strings", good.substr(0, good.size() - 3), false},
      {"count past the file", good.substr(0, 8) + "\xFF\xFF\xFF\x0F" + good.substr(12), false},
      {"table offset past the file", good.substr(0, 12) + "\xF0\xFF\xFF\xFF" + good.substr(16), false},
      {"unknown major revision", good.substr(0, 4) + std::string("\0\0\2\0", 4) + good.substr(8), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Catalog catalog;
    EXPECT_EQ(catalog.Parse(c.bytes), c.parses);
    EXPECT_EQ(catalog.Translate("New"), c.parses ? "Nouveaux" : "New");
    EXPECT_EQ(catalog.Translate("%d file"), c.parses ? "%d fichier" : "%d file");
    EXPECT_EQ(catalog.Translate("Missing"), "Missing");
  }
}

// Every text the engines use has its French form in the shipped catalog, with the
// same places to fill, and the slot texts fit their slots.
TEST(StandInCatalog, ShippedCatalogTranslatesEveryEngineText) {
  Catalog catalog;
  ASSERT_TRUE(catalog.Parse(ReadBytes(VAULTRINE_CATALOG)));
  auto places = [](const std::string& s) {
    std::string out;
    for (size_t p = s.find('%'); p != std::string::npos && p + 1 < s.size(); p = s.find('%', p + 2)) out += s[p + 1];
    return out;
  };
  std::vector<std::string> ids(std::begin(kEngineTexts), std::end(kEngineTexts));
  for (const SlotText& slot : kSlotTexts) ids.push_back(slot.msgid);
  for (const std::string& id : ids) {
    SCOPED_TRACE(id);
    const std::string french = catalog.Translate(id);
    EXPECT_NE(french, id);
    EXPECT_EQ(places(french), places(id));
  }
}

TEST(StandInCatalog, SubstituteFillsPlacesInTurn) {
  const struct {
    const char* format;
    std::vector<std::string> values;
    const char* result;
  } cases[] = {
      {"Volume %s not found", {"BACKUP1"}, "Volume BACKUP1 not found"},
      {"%s and %d", {"a", "7"}, "a and 7"},
      {"100%% of %s", {"x"}, "100% of x"},
      {"%s %s", {"only"}, "only %s"},
      {"%n%x%", {"v"}, "%n%x%"},
      {"%s", {"%s%d"}, "%s%d"},
  };
  for (const auto& c : cases) {
    const std::vector<std::string>& v = c.values;
    const std::string out = v.size() == 1 ? Substitute(c.format, {v[0]}) : Substitute(c.format, {v[0], v[1]});
    EXPECT_EQ(out, c.result) << c.format;
  }
}

TEST(StandInRestore, RequestFileAndTargets) {
  const struct {
    const char* name;
    std::string bytes;
    bool valid;
    const char* key;
    const char* destination;
    std::vector<std::string> entries;
  } requests[] = {
      {"as the library writes it",
       "\xEF\xBB\xBFkey=s3cr\xC3\xA9t\r\ndestination=D:\\000_Revivalis\\\r\nE:\\V\\C\\Data\\\r\nE:\\V\\C\\a.txt\r\n", true,
       "s3cr\xC3\xA9t", "D:\\000_Revivalis\\", {"E:\\V\\C\\Data\\", "E:\\V\\C\\a.txt"}},
      {"LF, no mark, empty key, blank lines", "key=\ndestination=D:\\R\n\nE:\\x\n\n", true, "", "D:\\R", {"E:\\x"}},
      {"no entries", "key=k\r\ndestination=D:\\R\r\n", true, "k", "D:\\R", {}},
      {"no key line", "destination=D:\\R\r\nE:\\x\r\n", false, "", "", {}},
      {"empty destination", "key=k\r\ndestination=\r\nE:\\x\r\n", false, "", "", {}},
      {"empty file", "", false, "", "", {}},
  };
  for (const auto& r : requests) {
    SCOPED_TRACE(r.name);
    const auto parsed = ParseRestoreRequest(r.bytes);
    ASSERT_EQ(parsed.has_value(), r.valid);
    if (!parsed) continue;
    EXPECT_EQ(parsed->key, r.key);
    EXPECT_EQ(parsed->destination, r.destination);
    EXPECT_EQ(parsed->entries, r.entries);
  }

  const struct {
    const char* folder;
    const char* entry;
    const char* file;
    const char* target;
  } targets[] = {
      {"D:\\R\\", "E:\\V\\C\\Data\\", "E:\\V\\C\\Data\\sub\\a.txt", "D:\\R\\Data\\sub\\a.txt"},
      {"D:\\R", "E:\\V\\C\\Data\\", "e:\\v\\c\\data\\b.txt", "D:\\R\\Data\\b.txt"},
      {"D:\\R", "E:\\V\\C\\a.txt", "E:\\V\\C\\a.txt", "D:\\R\\a.txt"},
      {"D:\\R", "E:\\", "E:\\V\\x.txt", "D:\\R\\V\\x.txt"},
      {"D:\\R", "E:\\V\\C\\Data\\", "E:\\V\\C\\Database\\a.txt", ""},
      {"D:\\R", "E:\\V\\C\\a.txt", "E:\\V\\C\\b.txt", ""},
  };
  for (const auto& t : targets) EXPECT_EQ(RestoreTarget(t.folder, t.entry, t.file), t.target) << t.file;
}

}  // namespace
}  // namespace vaultrine::engines
