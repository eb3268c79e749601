// Which of the sixteen label pictures are visible. Each row has four variants:
// French plain/underlined, then English plain/underlined (resource.h), the
// underlined one being the odd id after its plain one. The board keeps at most one
// variant of a row visible and tells the window what to do with the cursor.
#pragma once
#include <array>

#include "common/language.h"
#include "launcher/hot_regions.h"
#include "launcher/resource.h"

namespace vaultrine::launcher {

inline constexpr int kFirstLabelId = IDC_CONFIGURE_FR;
inline constexpr int kLastLabelId = IDC_OBSOLETE_EN_HOT;

int LabelId(Row row, Language language, bool highlighted);

using vaultrine::CursorAction;

class LabelBoard {
 public:
  // Start: plain labels of `language` shown, everything else hidden.
  explicit LabelBoard(Language language);

  Language language() const { return language_; }
  bool HandShown() const { return cursor_.shown(); }
  bool Visible(int control_id) const;

  // The pointer is now at x, y (client pixels).
  CursorAction PointerMoved(int x, int y);
  // The user picked another language: that language's labels replace the others,
  // a highlighted row stays highlighted.
  void ChangeLanguage(Language language);

 private:
  void ShowRow(Row row, bool highlighted);

  Language language_;
  HotCursor cursor_;
  std::array<bool, kLastLabelId - kFirstLabelId + 1> visible_{};
};

}  // namespace vaultrine::launcher
