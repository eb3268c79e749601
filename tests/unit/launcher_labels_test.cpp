#include "launcher/label_board.h"

#include <gtest/gtest.h>

#include <set>

namespace vaultrine::launcher {
namespace {

std::set<int> VisibleIds(const LabelBoard& board) {
  std::set<int> ids;
  for (int id = kFirstLabelId; id <= kLastLabelId; ++id) {
    if (board.Visible(id)) ids.insert(id);
  }
  return ids;
}

// A point inside each row, one inside the help sign, one in a gap.
constexpr int kRowY[] = {200, 300, 400, 480};
constexpr int kGapY = 258;

TEST(LauncherLabels, IdsFollowTheRowLanguageVariantLayout) {
  EXPECT_EQ(LabelId(Row::kConfigure, Language::kFrench, false), IDC_CONFIGURE_FR);
  EXPECT_EQ(LabelId(Row::kConfigure, Language::kFrench, true), IDC_CONFIGURE_FR_HOT);
  EXPECT_EQ(LabelId(Row::kObsolete, Language::kFrench, true), IDC_OBSOLETE_FR_HOT);
  EXPECT_EQ(LabelId(Row::kConfigure, Language::kEnglish, false), IDC_CONFIGURE_EN);
  EXPECT_EQ(LabelId(Row::kRestore, Language::kEnglish, true), IDC_RESTORE_EN_HOT);
  EXPECT_EQ(LabelId(Row::kObsolete, Language::kEnglish, true), IDC_OBSOLETE_EN_HOT);
}

TEST(LauncherLabels, StartShowsThePlainLabelsOfTheLanguage) {
  EXPECT_EQ(VisibleIds(LabelBoard(Language::kFrench)),
            (std::set<int>{IDC_CONFIGURE_FR, IDC_BACKUP_FR, IDC_RESTORE_FR, IDC_OBSOLETE_FR}));
  EXPECT_EQ(VisibleIds(LabelBoard(Language::kEnglish)),
            (std::set<int>{IDC_CONFIGURE_EN, IDC_BACKUP_EN, IDC_RESTORE_EN, IDC_OBSOLETE_EN}));
}

TEST(LauncherLabels, PointerHighlightsExactlyTheRowUnderIt) {
  struct Case {
    Language language;
    std::set<int> expected[4];
  };
  const Case cases[] = {
      {Language::kFrench,
       {{IDC_CONFIGURE_FR_HOT, IDC_BACKUP_FR, IDC_RESTORE_FR, IDC_OBSOLETE_FR},
        {IDC_CONFIGURE_FR, IDC_BACKUP_FR_HOT, IDC_RESTORE_FR, IDC_OBSOLETE_FR},
        {IDC_CONFIGURE_FR, IDC_BACKUP_FR, IDC_RESTORE_FR_HOT, IDC_OBSOLETE_FR},
        {IDC_CONFIGURE_FR, IDC_BACKUP_FR, IDC_RESTORE_FR, IDC_OBSOLETE_FR_HOT}}},
      {Language::kEnglish,
       {{IDC_CONFIGURE_EN_HOT, IDC_BACKUP_EN, IDC_RESTORE_EN, IDC_OBSOLETE_EN},
        {IDC_CONFIGURE_EN, IDC_BACKUP_EN_HOT, IDC_RESTORE_EN, IDC_OBSOLETE_EN},
        {IDC_CONFIGURE_EN, IDC_BACKUP_EN, IDC_RESTORE_EN_HOT, IDC_OBSOLETE_EN},
        {IDC_CONFIGURE_EN, IDC_BACKUP_EN, IDC_RESTORE_EN, IDC_OBSOLETE_EN_HOT}}},
  };
  for (const Case& c : cases) {
    LabelBoard board(c.language);
    // Straight from row to row, as a fast pointer may do, and back up again.
    for (int i : {0, 1, 2, 3, 2, 0}) {
      EXPECT_EQ(board.PointerMoved(300, kRowY[i]), CursorAction::kSetHand);
      EXPECT_EQ(VisibleIds(board), c.expected[i]) << "row " << i;
      EXPECT_TRUE(board.HandShown());
    }
  }
}

TEST(LauncherLabels, LeavingTheRegionsRestoresPlainLabelsAndCursorOnce) {
  LabelBoard board(Language::kEnglish);
  EXPECT_EQ(board.PointerMoved(300, kGapY), CursorAction::kNone) << "nothing to restore yet";
  board.PointerMoved(300, kRowY[1]);
  EXPECT_EQ(board.PointerMoved(300, kGapY), CursorAction::kRestoreSaved);
  EXPECT_EQ(VisibleIds(board), (std::set<int>{208, 210, 212, 214}));
  EXPECT_FALSE(board.HandShown());
  EXPECT_EQ(board.PointerMoved(301, kGapY), CursorAction::kNone);
}

TEST(LauncherLabels, HelpSignSetsTheHandWithoutHighlighting) {
  LabelBoard board(Language::kFrench);
  EXPECT_EQ(board.PointerMoved(548, 120), CursorAction::kSetHand);
  EXPECT_EQ(VisibleIds(board), (std::set<int>{200, 202, 204, 206}));
  EXPECT_EQ(board.PointerMoved(548, 160), CursorAction::kRestoreSaved);
}

TEST(LauncherLabels, LanguageChangeSwapsLabelsAndKeepsAHighlight) {
  LabelBoard board(Language::kFrench);
  board.ChangeLanguage(Language::kEnglish);
  EXPECT_EQ(VisibleIds(board), (std::set<int>{208, 210, 212, 214}));
  board.PointerMoved(300, kRowY[2]);
  board.ChangeLanguage(Language::kFrench);
  EXPECT_EQ(board.language(), Language::kFrench);
  EXPECT_EQ(VisibleIds(board), (std::set<int>{200, 202, 205, 206}));
  board.ChangeLanguage(Language::kFrench);  // choosing the same again changes nothing
  EXPECT_EQ(VisibleIds(board), (std::set<int>{200, 202, 205, 206}));
  EXPECT_FALSE(board.Visible(199));
  EXPECT_FALSE(board.Visible(216));
}

}  // namespace
}  // namespace vaultrine::launcher
