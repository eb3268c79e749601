#include "config_editor/core/general_values.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "temp_dir.h"

namespace vaultrine::config {
namespace {

std::string Written(const GeneralValues& values, const std::string& start) {
  testing::TempDir dir;
  const std::string path = dir.File("internal.ini");
  testing::WriteBytes(path, start);
  ProfileFile file(path);
  EXPECT_TRUE(values.Write(file));
  return ReadWholeFile(path).value_or("unreadable");
}

TEST(GeneralValues, ReadAsThePageShowsThem) {
  const struct {
    const char* name;
    std::string file;
    GeneralValues expected;
  } cases[] = {
      {"everything present",
       "[general]\r\nobsolete=30d\r\ncryptkey=cl\xE9\r\nsummary=C:\\Logs\r\n[destination]\r\n000=C:\\Backup\r\n"
       "999=BACKUP1\r\n[restore]\r\n000=D:\\Restore\\\r\n",
       {"30", "cl\xE9", "C:\\Logs", "D:\\Restore\\", "C:\\Backup", "BACKUP1"}},
      {"an empty delay has no last character to lose", "[general]\r\nobsolete=\r\n",
       {"", "*****", "*****", "*****", "*****", "*****"}},
      {"missing keys", "", {"****", "*****", "*****", "*****", "*****", "*****"}},
      {"the key keeps its blanks and quotes; the delay is read like the others",
       "[general]\r\nobsolete= \"30d\" \r\ncryptkey= \"cl\xE9\" \r\n",
       {"30", " \"cl\xE9\" ", "*****", "*****", "*****", "*****"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    testing::WriteBytes(dir.File("i.ini"), c.file);
    const GeneralValues v = GeneralValues::Read(ProfileFile(dir.File("i.ini")));
    EXPECT_EQ(v.delay, c.expected.delay);
    EXPECT_EQ(v.key, c.expected.key);
    EXPECT_EQ(v.summary, c.expected.summary);
    EXPECT_EQ(v.restore, c.expected.restore);
    EXPECT_EQ(v.destination, c.expected.destination);
    EXPECT_EQ(v.volume, c.expected.volume);
  }
}

// What the page reads and writes back untouched leaves the file as it was, whatever
// the key's bytes: the restore library and the engine read that very line.
TEST(GeneralValues, UntouchedValuesLeaveTheFileAsItWas) {
  const std::string tail = "summary=\"C:\\Logs\"\r\n\r\n[destination]\r\n000=\"C:\\Backup\"\r\n999=\r\n\r\n"
                           "[restore]\r\n000=D:\\Restore\\\r\n";
  for (const std::string key : {std::string("cl\xC3\xA9S\xC3\xA9" "cr\xC3\xA8te"), std::string("cl\xE9S\xE9" "cr\xE8te"),
                                std::string(" two blanks "), std::string("\"quoted\""), std::string("'single'"),
                                std::string(""), std::string("a\x81\x1A")}) {
    const std::string file = "[general]\r\nov_obsolete=1\r\nobsolete=30d\r\ncryptkey=" + key + "\r\n" + tail;
    testing::TempDir dir;
    testing::WriteBytes(dir.File("i.ini"), file);
    EXPECT_EQ(Written(GeneralValues::Read(ProfileFile(dir.File("i.ini"))), file), file) << key;
  }
}

TEST(GeneralValues, WrittenInOrderWithTheirDAndQuotes) {
  const std::string start = "[general]\r\nov_obsolete=1\r\nobsolete=90d\r\n\r\n[destination]\r\n000=E:\\Old\r\n";
  GeneralValues v{"", "cl\xC3\xA9", "C:\\Logs", "D:\\Restore\\", "C:\\Backup", ""};
  EXPECT_EQ(Written(v, start),
            "[general]\r\nov_obsolete=1\r\nobsolete=d\r\ncryptkey=cl\xC3\xA9\r\nsummary=\"C:\\Logs\"\r\n\r\n"
            "[destination]\r\n000=\"C:\\Backup\"\r\n999=\r\n\r\n[restore]\r\n000=D:\\Restore\\\r\n");

  // Over-long folders keep whole characters within the line's room.
  v.destination = std::string(380, 'a') + "\xC3\xA9";
  v.key = std::string(600, 'k');
  v.delay = std::string(510, '9') + "\xC3\xA9";
  std::string out = Written(v, "");
  EXPECT_NE(out.find("000=\"" + std::string(380, 'a') + "\"\r\n"), std::string::npos);
  EXPECT_NE(out.find("cryptkey=" + std::string(511, 'k') + "\r\n"), std::string::npos);
  EXPECT_NE(out.find("obsolete=" + std::string(510, '9') + "d\r\n"), std::string::npos) << "a typed character cut in two";
  v.key = std::string(510, 'k') + "\xE9\xE9";  // Windows-1252 bytes count one each
  out = Written(v, "");
  EXPECT_NE(out.find("cryptkey=" + std::string(510, 'k') + "\xE9\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vaultrine::config
