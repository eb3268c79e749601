// The status file of the last backup: what each result window leaves (golden bytes),
// what any bytes read back as, and its replacement in one step.
#include "common/last_backup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "backup_support/last_backup_status.h"
#include "temp_dir.h"

namespace vaultrine {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Golden(const char* name) {
  return ReadBytes(std::string(VAULTRINE_SOURCE_DIR) + "/tests/unit/golden/" + name);
}

backup::ResultWindowData Counts(const char* new_count, const char* obsolete, const char* modified) {
  backup::ResultWindowData data;
  data.SetCounts(new_count, obsolete, modified);
  return data;
}

TEST(LastBackupStatus, TheSuccessWindowLeavesItsCountsAndTheFirstRecordedError) {
  const std::string error_list = "\xEF\xBB\xBF\r\nErreur: C:\\Users\\anne\\verrouill\xC3\xA9.pst : access denied\r\n"
                                 "Erreur: D:\\second.doc\r\n";
  const LastBackup status =
      backup::SuccessStatus(Counts("1", "1", "0"), 1, error_list, BackupTime{2026, 12, 8, 17, 55});
  EXPECT_EQ(ComposeLastBackup(status), Golden("last_backup_success.txt"));

  // Without an error in this load the error list on disk is an earlier run's: not named.
  const LastBackup clean = backup::SuccessStatus(Counts("12 files", "x", "3"), 0, error_list, BackupTime{2026, 1, 2, 3, 4});
  EXPECT_EQ(clean.first_error, "");
  EXPECT_EQ(clean.errors, 0);
  EXPECT_EQ(clean.new_files, 12);
  EXPECT_EQ(clean.obsolete_files, 0) << "a count that does not read counts as 0, as in the window";
  EXPECT_EQ(clean.modified_files, 3);
}

TEST(LastBackupStatus, TheFailureWindowLeavesItsErrorLines) {
  backup::ResultWindowData data;
  data.error_text = "\nVolume BACKUP1 not found\r\nCannot read C:\\x\n";
  EXPECT_EQ(ComposeLastBackup(backup::FailureStatus(data, BackupTime{2026, 1, 31, 9, 5})),
            Golden("last_backup_failure.txt"));

  // No line at all: a failure all the same, with nothing to name.
  data.error_text = "";
  const LastBackup bare = backup::FailureStatus(data, BackupTime{2026, 1, 31, 9, 5});
  EXPECT_EQ(bare.outcome, BackupOutcome::kFailed);
  EXPECT_EQ(bare.errors, 0);
  EXPECT_EQ(bare.first_error, "");
  EXPECT_FALSE(bare.new_files);
}

TEST(LastBackupStatus, WhatTheWindowsWriteReadsBackWhole) {
  for (const char* name : {"last_backup_success.txt", "last_backup_failure.txt"}) {
    const std::string bytes = Golden(name);
    EXPECT_EQ(ComposeLastBackup(ParseLastBackup(bytes)), bytes) << name;
  }
}

// Whatever the file holds, what reads is kept and the rest is left unset.
TEST(LastBackupStatus, OddFilesGiveWhatCouldBeRead) {
  const std::string whole = Golden("last_backup_success.txt");
  struct Case {
    const char* name;
    std::string bytes;
    bool when, outcome, counts;
    const char* first_error;
  };
  const Case cases[] = {
      {"empty", "", false, false, false, ""},
      {"mark only", "\xEF\xBB\xBF", false, false, false, ""},
      {"cut after the date", whole.substr(0, whole.find("outcome")), true, false, false, ""},
      {"cut inside the outcome", whole.substr(0, whole.find("outcome") + 12), true, false, false, ""},
      {"cut after the counts", whole.substr(0, whole.find("errors")), true, true, true, ""},
      {"line feeds only, no mark", "date=2026-12-08 17:55\noutcome=failed\nfirst error=disk\n", true, true, false,
       "disk"},
      {"no line end at all", "outcome=completed", false, true, false, ""},
      {"bad date, other case of key", "date=2026-02-30 17:55\r\nOutcome=failed\r\noutcome=completed\r\n", false, true,
       false, ""},
      {"first of two keys decides", "outcome=failed\r\noutcome=completed\r\nnew=1\r\nnew=x\r\n", false, true, false,
       ""},
      {"counts too large or signed", "outcome=completed\r\nnew=1234567890\r\nmodified=-1\r\nobsolete= 1\r\n", false,
       true, false, ""},
      {"control bytes and a bad sequence", std::string("outcome=failed\r\nfirst error=a\tb\x01\xC3(\x7F" "c\r\n"),
       false, true, false, "a b \xEF\xBF\xBD( c"},
      {"binary", std::string("\x00\xFF\xFE=\x00\r\r\n==\n\x80", 12), false, false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LastBackup s = ParseLastBackup(c.bytes);
    EXPECT_EQ(s.when.has_value(), c.when);
    if (s.when) {
      EXPECT_TRUE(*s.when == (BackupTime{2026, 12, 8, 17, 55}));
    }
    EXPECT_EQ(s.outcome.has_value(), c.outcome);
    EXPECT_EQ(s.new_files.has_value() && s.modified_files.has_value() && s.obsolete_files.has_value(), c.counts);
    EXPECT_EQ(s.first_error, c.first_error);
  }
  EXPECT_EQ(ParseLastBackup("outcome=failed\r\noutcome=completed").outcome, BackupOutcome::kFailed);
  // A very long first error is cut at a character boundary.
  const LastBackup cut = ParseLastBackup("first error=" + std::string(254, 'x') + "\xC3\xA9\xC3\xA9");
  EXPECT_EQ(cut.first_error, std::string(254, 'x'));
  // Only the start of a huge file is read: a key past it does not count.
  EXPECT_FALSE(ParseLastBackup(std::string(kLastBackupReadMax, '\n') + "outcome=failed").outcome);
}

TEST(LastBackupStatus, WritingReplacesThePreviousStatusInOneStep) {
  TempDir dir;
  const std::string path = dir.File(kLastBackupFileName);
  EXPECT_FALSE(ReadLastBackup(path).outcome) << "no file: nothing known";
  WriteBytes(path, Golden("last_backup_failure.txt"));
  LastBackup status = ParseLastBackup(Golden("last_backup_success.txt"));
  ASSERT_TRUE(LeaveLastBackup(path, status));
  EXPECT_EQ(ReadBytes(path), Golden("last_backup_success.txt"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary left";
  // A folder where it cannot go: false, and nothing half-written anywhere.
  EXPECT_FALSE(WriteLastBackup(dir.File("missing/") + kLastBackupFileName, status));
  EXPECT_EQ(backup::LastBackupPath(""), kLastBackupFileName);
}

}  // namespace
}  // namespace vaultrine
