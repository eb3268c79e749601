#include "restore_support/request_rules.h"

#include <gtest/gtest.h>

#include "common/error_lines.h"

namespace vaultrine::restore {
namespace {

TEST(RestoreSettings, Scan) {
  const struct {
    const char* name;
    std::string text;
    RestoreSettings expected;
  } cases[] = {
      {"quoted folder, volume name and search",
       "[general]\r\ncryptkey=cl\xC3\xA9\r\n[destination]\r\n\"E:\\Vaultrine\" ,name=BACKUP1 , search\r\n"
       "[restore]\r\nD:\\Restore\\\r\n",
       {"cl\xC3\xA9", "E:\\Vaultrine", "BACKUP1", "D:\\Restore\\", true, true}},
      {"no comma: the whole line, no volume", "cryptkey=k\n[destination]\n\"F:\\B\"\n",
       {"k", "F:\\B", "", "", true, false}},
      {"comment lines do not count, not even after a header",
       "#cryptkey=old\r\ncryptkey=new\r\n[destination]\r\n#\"X:\\Old\"\r\n\"G:\\B\"\r\n[restore]\r\n#x\r\nC:\\R\\\r\n",
       {"new", "G:\\B", "", "C:\\R\\", true, true}},
      {"no key line, or one after the destination: the destination is found all the same",
       "[destination]\n\"E:\\B\" ,name=V , search\ncryptkey=late\n", {"late", "E:\\B", "V", "", true, false}},
      {"a first line after the byte-order mark counts",
       "\xEF\xBB\xBF" "cryptkey=k\r\n[destination]\r\nF:\\B\r\n", {"k", "F:\\B", "", "", true, false}},
      {"a key as long as the editor keeps is whole", "cryptkey=" + std::string(200, 'k') + "\n",
       {std::string(200, 'k'), "", "", "", false, false}},
      {"a longer key is cut on a whole character",
       "cryptkey=" + std::string(510, 'k') + "\xC3\xA9" "x\n", {std::string(510, 'k'), "", "", "", false, false}},
      {"a key in the ANSI code page is kept as bytes and cut byte by byte",
       "cryptkey=cl\xE9" + std::string(507, 'k') + "\x92\x92\n", {"cl\xE9" + std::string(507, 'k') + "\x92", "", "", "", false, false}},
      {"a header on the last line has no value", "[destination]", {"", "", "", "", false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RestoreSettings s = ScanRestoreSettings(c.text);
    EXPECT_EQ(s.key, c.expected.key);
    EXPECT_EQ(s.destination, c.expected.destination);
    EXPECT_EQ(s.volume, c.expected.volume);
    EXPECT_EQ(s.restore_folder, c.expected.restore_folder);
    EXPECT_EQ(s.destination_found, c.expected.destination_found);
    EXPECT_EQ(s.restore_found, c.expected.restore_found);
  }
}

TEST(RestoreRequest, FileBytes) {
  EXPECT_EQ(RequestFileBytes("cl\xC3\xA9S", "D:\\Restore\\", {"E:\\B\\Docs\\", "E:\\B\\a \xC3\xA9t\xC3\xA9.txt"}),
            "\xEF\xBB\xBFkey=cl\xC3\xA9S\r\ndestination=D:\\Restore\\\r\nE:\\B\\Docs\\\r\nE:\\B\\a \xC3\xA9t\xC3\xA9.txt\r\n");
  EXPECT_EQ(RequestFileBytes("", "", {}), "\xEF\xBB\xBFkey=\r\ndestination=\r\n");
  // A key kept from the settings in the ANSI code page goes to the engine as those bytes.
  EXPECT_EQ(RequestFileBytes("cl\xE9S\xE9" "cr\xE8te", "D:\\R\\", {"E:\\B\\"}),
            "\xEF\xBB\xBFkey=cl\xE9S\xE9" "cr\xE8te\r\ndestination=D:\\R\\\r\nE:\\B\\\r\n");
  EXPECT_TRUE(FitsRequest(std::string(255, 'a')));
  EXPECT_FALSE(FitsRequest(std::string(256, 'a')));
}

TEST(RestoredList, LinesAndKinds) {
  EXPECT_EQ(RestoredListLine("Standard  ", "C:/R/a.txt"), "Standard  :    C:\\R\\a.txt\r\n");
  EXPECT_EQ(RestoredListLine("CompCrypt ", "D:\\\xC3\xA9t\xC3\xA9"), "CompCrypt :    D:\\\xC3\xA9t\xC3\xA9\r\n");
  const std::string line = RestoredListLine("Standard  ", std::string(600, 'x'));
  EXPECT_EQ(line.size(), kListLineMax + 2);
  const std::pair<const char*, int> kinds[] = {{"Standard  ", 0}, {"Compressed", 1}, {"Crypted   ", 2},
                                               {"CompCrypt ", 3}, {"Standard", -1},  {"", -1}};
  for (const auto& [kind, index] : kinds) EXPECT_EQ(KindIndex(kind), index) << kind;
}

TEST(RestoreFailure, MissingRequestAndErrorLines) {
  const std::pair<const char*, bool> lines[] = {
      {"IOError: [Errno 2] No such file or directory: 'decryptlist.txt'", true},
      {"IOError: [Errno 2] No such file or directory: 'other.txt'", false},
      // Windows names are not case-sensitive: the file named as it is written, or in capitals.
      {"IOError: [Errno 2] No such file or directory: 'DecryptList.txt'", true},
      {"IOError: [Errno 2] No such file or directory: '.\\DecryptList.txt'", true},
      {"IOError: [Errno 2] No such file or directory: 'C:\\VAULTRINE\\DECRYPTLIST.TXT'", true},
      {"IOError: [Errno 2] No such file or directory: 'DecryptList.tx'", false},
      {"  IOError: [Errno 2] No such file: 'decryptlist.txt'", false},
  };
  for (const auto& [line, missing] : lines) EXPECT_EQ(IsMissingRequestError(line), missing) << line;
  // An unterminated last line is shown too; long lines go on in the next entry.
  EXPECT_EQ(SplitErrorLines("one\ntwo", kErrorEntryMax), (std::vector<std::string>{"one", "two"}));
  const std::vector<std::string> long_line = SplitErrorLines(std::string(200, 'e') + "\n", kErrorEntryMax);
  ASSERT_EQ(long_line.size(), 2u);
  EXPECT_EQ(long_line[0].size(), kErrorEntryMax);
  EXPECT_EQ(long_line[1].size(), 9u);
}

}  // namespace
}  // namespace vaultrine::restore
