#include "launcher/label_board.h"

namespace vaultrine::launcher {

int LabelId(Row row, Language language, bool highlighted) {
  return kFirstLabelId + (language == Language::kEnglish ? 8 : 0) + 2 * static_cast<int>(row) +
         (highlighted ? 1 : 0);
}

LabelBoard::LabelBoard(Language language) : language_(language) {
  for (Row row : kRows) ShowRow(row, false);
}

bool LabelBoard::Visible(int id) const {
  if (id < kFirstLabelId || id > kLastLabelId) return false;
  return visible_[id - kFirstLabelId];
}

// Exactly one variant of the row, in the current language, stays visible.
void LabelBoard::ShowRow(Row row, bool highlighted) {
  for (Language l : {Language::kFrench, Language::kEnglish}) {
    for (bool h : {false, true}) visible_[LabelId(row, l, h) - kFirstLabelId] = false;
  }
  visible_[LabelId(row, language_, highlighted) - kFirstLabelId] = true;
}

CursorAction LabelBoard::PointerMoved(int x, int y) {
  const HotRegion region = RegionAt(x, y);
  const CursorAction action = cursor_.Moved(region != HotRegion::kNone);
  if (action == CursorAction::kNone) return action;
  // A fast pointer can jump from one row straight into another: only the row
  // under the pointer is highlighted.
  const std::optional<Row> current = RowOf(region);
  for (Row row : kRows) ShowRow(row, current && *current == row);
  return action;
}

void LabelBoard::ChangeLanguage(Language language) {
  const Language old = language_;
  std::array<bool, 4> highlighted{};
  for (Row row : kRows) {
    highlighted[static_cast<int>(row)] = Visible(LabelId(row, old, true));
  }
  language_ = language;
  for (Row row : kRows) ShowRow(row, highlighted[static_cast<int>(row)]);
}

}  // namespace vaultrine::launcher
