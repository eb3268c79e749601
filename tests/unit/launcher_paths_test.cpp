#include "launcher/launcher_paths.h"
#include "launcher/launcher_texts.h"

#include <gtest/gtest.h>

namespace vaultrine::launcher {
namespace {

TEST(LauncherPaths, ProgramFolderIsCutAtTheLastBackslash) {
  EXPECT_EQ(ProgramFolderOf("C:\\Vaultrine\\TopVaultrine.exe"), "C:\\Vaultrine");
  EXPECT_EQ(ProgramFolderOf("C:\\a\\b c\\Top.exe"), "C:\\a\\b c");
  EXPECT_EQ(ProgramFolderOf("\\\\server\\share\\Top.exe"), "\\\\server\\share");
  EXPECT_FALSE(ProgramFolderOf("TopVaultrine.exe"));
  EXPECT_FALSE(ProgramFolderOf(""));
}

TEST(LauncherPaths, DatabaseLineScan) {
  struct Case {
    const char* name;
    std::string text;
    std::string expected;
  };
  const std::string long_name(150, 'n');
  const Case cases[] = {
      {"no key", "[general]\r\ndest=D:\\\r\n", "Vaultrine.sqlite"},
      {"empty file", "", "Vaultrine.sqlite"},
      {"key on the first line is skipped", "database=first.db\r\n[general]\r\n", "Vaultrine.sqlite"},
      {"only one line", "database=first.db", "Vaultrine.sqlite"},
      {"found", "[general]\r\ndatabase=archive.db\r\n", "archive.db"},
      {"LF only, last line without end", "[general]\nx=1\ndatabase=archive.db", "archive.db"},
      {"case counts", "[general]\r\nDatabase=archive.db\r\n", "Vaultrine.sqlite"},
      {"no leading blanks", "[general]\r\n database=archive.db\r\n", "Vaultrine.sqlite"},
      {"first match wins", "x\ndatabase=one.db\ndatabase=two.db\n", "one.db"},
      {"BOM line skipped", "\xEF\xBB\xBF[general]\r\ndatabase=b.db\r\n", "b.db"},
      {"accented name", "x\ndatabase=donn\xC3\xA9" "es.db\n", "donn\xC3\xA9" "es.db"},
      // A long line is read whole: neither cut nor taken for two lines.
      {"long name kept whole", "x\ndatabase=" + long_name + "\n", long_name},
      {"tail of a long line is no line", "x\n" + std::string(93, 'c') + "database=x.db\n",
       "Vaultrine.sqlite"},
      {"empty name", "x\ndatabase=\n", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DatabaseNameFromSettings(c.text), c.expected) << c.name;
  }
}

TEST(LauncherPaths, BuildPathsFromFolderAndSettings) {
  const LauncherPaths with = BuildPaths("C:\\V", std::string("[general]\ndatabase=archive.db\n"));
  EXPECT_EQ(with.program_folder, "C:\\V");
  EXPECT_EQ(with.working_folder, "C:\\V");
  EXPECT_EQ(with.settings_path, "C:\\V\\Vaultrine.ini");
  EXPECT_EQ(with.database_path, "C:\\V\\archive.db");
  const LauncherPaths without = BuildPaths("C:\\V", std::nullopt);
  EXPECT_EQ(without.database_path, "C:\\V\\Vaultrine.sqlite");
}

TEST(LauncherPaths, OverlongPathsAreFound) {
  // 191 characters is the most a path may hold; accents count as one character.
  const std::string folder_at_limit = "C:\\" + std::string(191 - 3 - 17, 'a');  // + "\Vaultrine.sqlite"
  EXPECT_FALSE(OverlongPath(BuildPaths(folder_at_limit, std::nullopt)));
  const std::string accented = "C:\\" + std::string(171 - 3 - 1, 'a') + "\xC3\xA9";
  EXPECT_EQ(CharCount(accented), 171u);
  EXPECT_FALSE(OverlongPath(BuildPaths(accented, std::nullopt)));
  const LauncherPaths too_long = BuildPaths(folder_at_limit + "b", std::nullopt);
  EXPECT_EQ(OverlongPath(too_long), too_long.database_path);
  const LauncherPaths long_db = BuildPaths("C:\\V", "x\ndatabase=" + std::string(200, 'd') + "\n");
  EXPECT_EQ(OverlongPath(long_db), long_db.database_path);
}

TEST(LauncherPaths, CommandLines) {
  const LauncherPaths p = BuildPaths("C:\\V", std::nullopt);
  const LauncherPaths spaced = BuildPaths("C:\\Program Files\\V", std::nullopt);
  struct Case {
    Command command;
    const LauncherPaths* paths;
    Language language;
    const char* windows;
    const char* expected;
  };
  const Case cases[] = {
      {Command::kBackup, &p, Language::kEnglish, "C:\\W", "C:\\V\\Vaultrine.exe"},
      {Command::kRestore, &p, Language::kFrench, "C:\\W", "C:\\V\\Revivalis.exe"},
      {Command::kConfigure, &p, Language::kEnglish, "C:\\W", "C:\\V\\ConfigVaultrine.exe"},
      {Command::kBackup, &spaced, Language::kEnglish, "C:\\W",
       "\"C:\\Program Files\\V\\Vaultrine.exe\""},
      {Command::kDocumentation, &p, Language::kEnglish, "C:\\W", "C:\\W\\Explorer.exe .\\UsersGuide.pdf"},
      {Command::kDocumentation, &p, Language::kFrench, "C:\\W",
       "C:\\W\\Explorer.exe .\\Documentation.pdf"},
      {Command::kDocumentation, &p, Language::kFrench, "C:\\My W",
       "\"C:\\My W\\Explorer.exe\" .\\Documentation.pdf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLineFor(c.command, *c.paths, c.language, c.windows), c.expected);
  }
}

TEST(LauncherTexts, MessagesInBothLanguages) {
  EXPECT_EQ(LauncherMessage(LauncherText::kSettingsMissing, Language::kEnglish),
            "Backup settings have not yet been configured");
  EXPECT_EQ(LauncherMessage(LauncherText::kSettingsMissing, Language::kFrench),
            "Les param\xC3\xA8tres de la sauvegarde n'ont pas encore \xC3\xA9t\xC3\xA9 configur\xC3\xA9s");
  EXPECT_EQ(LauncherMessage(LauncherText::kDatabaseMissing, Language::kEnglish),
            "Backup has not yet been done");
  EXPECT_EQ(LauncherMessage(LauncherText::kDatabaseMissing, Language::kFrench),
            "La sauvegarde n'a jamais \xC3\xA9t\xC3\xA9 faite");
  EXPECT_NE(LauncherMessage(LauncherText::kPathTooLong, Language::kEnglish),
            LauncherMessage(LauncherText::kPathTooLong, Language::kFrench));
}

}  // namespace
}  // namespace vaultrine::launcher
