#include "launcher/last_backup_line.h"

#include <cstdio>
#include <vector>

namespace vaultrine::launcher {
namespace {

constexpr char kDash[] = " \xE2\x80\x94 ";  // an em dash between blanks
constexpr char kEllipsis[] = "\xE2\x80\xA6";

std::string DateText(const BackupTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d", t.day, t.month, t.year, t.hour, t.minute);
  return text;
}

// "1 nouveau", "2 nouveaux": French takes the plural from two on; English has it
// only for the errors, from zero on.
std::string Counted(long long n, const char* one, const char* many, Language language) {
  const bool plural = language == Language::kFrench ? n >= 2 : n != 1;
  return std::to_string(n) + " " + (plural ? many : one);
}

std::string Counts(const LastBackup& s, Language l) {
  const bool en = l == Language::kEnglish;
  std::string parts;
  auto add = [&](const std::string& part) { parts += (parts.empty() ? "" : ", ") + part; };
  if (s.new_files) add(Counted(*s.new_files, en ? "new" : "nouveau", en ? "new" : "nouveaux", l));
  if (s.modified_files)
    add(Counted(*s.modified_files, en ? "modified" : "modifi\xC3\xA9", en ? "modified" : "modifi\xC3\xA9s", l));
  if (s.obsolete_files)
    add(Counted(*s.obsolete_files, en ? "obsolete" : "p\xC3\xA9rim\xC3\xA9", en ? "obsolete" : "p\xC3\xA9rim\xC3\xA9s", l));
  return parts.empty() ? parts : " (" + parts + ")";
}

size_t NextCharacter(const std::string& text, size_t at) {
  ++at;
  while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
  return at;
}

}  // namespace

LastBackupLine DescribeLastBackup(const LastBackup& s, Language language) {
  const bool en = language == Language::kEnglish;
  if (!s.outcome) return {en ? "No backup yet" : "Aucune sauvegarde pour l'instant", false};
  std::string text = en ? "Last backup: " : "Derni\xC3\xA8re sauvegarde : ";
  if (s.when) text += DateText(*s.when) + kDash;
  if (*s.outcome == BackupOutcome::kCompleted) {
    text += en ? "completed" : "termin\xC3\xA9" "e";
    // Errors first: a line cut short for want of room still says them.
    if (s.errors && *s.errors > 0) {
      text += en ? " with " : " avec ";
      text += Counted(*s.errors, en ? "error" : "erreur", en ? "errors" : "erreurs", language);
    }
    text += Counts(s, language);
    return {text, false};
  }
  text += en ? "failed" : "\xC3\xA9" "chec";
  if (!s.first_error.empty()) text += (en ? ": " : " : ") + s.first_error;
  return {text, true};
}

std::string FitWithEllipsis(const std::string& text, int width,
                            const std::function<int(std::string_view)>& measure) {
  if (measure(text) <= width) return text;
  // Character boundaries, then the longest start that fits: a binary search, since
  // a longer start is never narrower.
  std::vector<size_t> ends;
  for (size_t at = 0; at < text.size();) ends.push_back(at = NextCharacter(text, at));
  auto with_ellipsis = [&](size_t end) {
    size_t cut = end;
    while (cut > 0 && text[cut - 1] == ' ') --cut;
    return text.substr(0, cut) + kEllipsis;
  };
  size_t low = 0, high = ends.size();  // ends[0..low) fit; answer is among the first `high`
  while (low < high) {
    const size_t mid = (low + high + 1) / 2;
    if (measure(with_ellipsis(ends[mid - 1])) <= width) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return with_ellipsis(low == 0 ? 0 : ends[low - 1]);
}

}  // namespace vaultrine::launcher
