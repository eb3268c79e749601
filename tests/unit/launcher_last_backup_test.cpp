// The launcher's line about the last backup, in both languages, and its cut with "…".
#include "launcher/last_backup_line.h"

#include <gtest/gtest.h>

namespace vaultrine::launcher {
namespace {

const std::string kDash = " \xE2\x80\x94 ";
const std::string kEllipsis = "\xE2\x80\xA6";

LastBackup Status(const char* bytes) { return ParseLastBackup(bytes); }

TEST(LastBackupLine, EachOutcomeInBothLanguages) {
  const char* completed = "date=2026-12-08 17:55\r\noutcome=completed\r\nnew=1\r\nmodified=0\r\nobsolete=1\r\nerrors=0\r\n";
  const char* with_errors = "date=2026-12-08 17:55\r\noutcome=completed\r\nnew=2\r\nmodified=2\r\nobsolete=0\r\nerrors=1\r\n";
  const char* many_errors = "outcome=completed\r\nnew=0\r\nerrors=3\r\n";
  const char* failed = "date=2026-01-31 09:05\r\noutcome=failed\r\nerrors=1\r\nfirst error=Volume BACKUP1 not found\r\n";
  const char* failed_bare = "outcome=failed\r\nfirst error=\r\n";
  struct Case {
    const char* bytes;
    Language language;
    std::string line;
    bool red;
  };
  const Case cases[] = {
      {completed, Language::kEnglish, "Last backup: 08/12/2026 17:55" + kDash + "completed (1 new, 0 modified, 1 obsolete)",
       false},
      {completed, Language::kFrench,
       "Derni\xC3\xA8re sauvegarde : 08/12/2026 17:55" + kDash + "termin\xC3\xA9" "e (1 nouveau, 0 modifi\xC3\xA9, 1 p\xC3\xA9rim\xC3\xA9)",
       false},
      {with_errors, Language::kEnglish,
       "Last backup: 08/12/2026 17:55" + kDash + "completed with 1 error (2 new, 2 modified, 0 obsolete)", false},
      {with_errors, Language::kFrench,
       "Derni\xC3\xA8re sauvegarde : 08/12/2026 17:55" + kDash +
           "termin\xC3\xA9" "e avec 1 erreur (2 nouveaux, 2 modifi\xC3\xA9s, 0 p\xC3\xA9rim\xC3\xA9)",
       false},
      {many_errors, Language::kEnglish, "Last backup: completed with 3 errors (0 new)", false},
      {many_errors, Language::kFrench, "Derni\xC3\xA8re sauvegarde : termin\xC3\xA9" "e avec 3 erreurs (0 nouveau)", false},
      {failed, Language::kEnglish, "Last backup: 31/01/2026 09:05" + kDash + "failed: Volume BACKUP1 not found", true},
      {failed, Language::kFrench,
       "Derni\xC3\xA8re sauvegarde : 31/01/2026 09:05" + kDash + "\xC3\xA9" "chec : Volume BACKUP1 not found", true},
      {failed_bare, Language::kEnglish, "Last backup: failed", true},
      {failed_bare, Language::kFrench, "Derni\xC3\xA8re sauvegarde : \xC3\xA9" "chec", true},
      {"", Language::kEnglish, "No backup yet", false},
      {"date=2026-12-08 17:55\r\nnew=1\r\n", Language::kFrench, "Aucune sauvegarde pour l'instant", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const LastBackupLine line = DescribeLastBackup(Status(c.bytes), c.language);
    EXPECT_EQ(line.text, c.line);
    EXPECT_EQ(line.failed, c.red);
  }
}

TEST(LastBackupLine, ATextTooWideEndsWithAnEllipsis) {
  // One unit per character, the ellipsis as wide as any other.
  const auto characters = [](std::string_view text) {
    int n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
  };
  const std::string text = "Last backup: \xC3\xA9t\xC3\xA9 failed";  // 23 characters
  EXPECT_EQ(FitWithEllipsis(text, 23, characters), text);
  EXPECT_EQ(FitWithEllipsis(text, 22, characters), "Last backup: \xC3\xA9t\xC3\xA9 fail" + kEllipsis);
  // Never half a character, and no blank left before the ellipsis.
  EXPECT_EQ(FitWithEllipsis(text, 16, characters), "Last backup: \xC3\xA9t" + kEllipsis);
  EXPECT_EQ(FitWithEllipsis(text, 14, characters), "Last backup:" + kEllipsis);
  EXPECT_EQ(FitWithEllipsis(text, 1, characters), kEllipsis);
  EXPECT_EQ(FitWithEllipsis(text, 0, characters), kEllipsis) << "nothing fits: the ellipsis alone";
  // Widths that grow by more than one per character (a real font).
  const auto wide_e = [&](std::string_view t) {
    int w = 0;
    for (unsigned char c : t) w += (c & 0xC0) == 0x80 ? 0 : (c == 'e' ? 5 : 2);
    return w;
  };
  const std::string fitted = FitWithEllipsis("eeeeabab", 14, wide_e);
  EXPECT_EQ(fitted, "ee" + kEllipsis);
  EXPECT_LE(wide_e(fitted), 14);
  EXPECT_GT(wide_e("eee" + kEllipsis), 14);
}

}  // namespace
}  // namespace vaultrine::launcher
