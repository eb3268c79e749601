// Rule lines of the six rule sections that have a page in the editor, taken apart
// for the edit dialogs (ParseRule) and put back together (ComposeRule).
//
// Read this first: a rule is a fixed prefix, a value and a fixed suffix, e.g.
//   gzip => (path="C:\Data\*")      yes => (path="*.tmp")      md5 => (size>500)
// and a leading "#" disables it. Parsing is positional, as the backup engine's own
// format is: it cuts at fixed character positions and does not check the prefix,
// so a text with another prefix gives a value cut at the same places. Positions
// count characters (UTF-8 sequences are never split); the fixed parts are ASCII.
// The older extension form, gzip => (ext="doc"), is read as the path form *.doc
// and always written back in the path form.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "config_editor/core/message_sink.h"

namespace vaultrine::config {

enum class RuleSection { kInclude, kExclude, kMd5Compare, kCompress, kCrypt, kCryptPath };
enum class RuleKind { kNone, kYes, kNo, kPath, kSize };

struct RuleParts {
  bool commented = false;
  RuleKind kind = RuleKind::kNone;  // yes/no in exclude, path/size in md5_compare
  std::string value;
};

// "include", "exclude", "md5_compare", "compress", "crypt", "crypt_path".
std::optional<RuleSection> RuleSectionNamed(std::string_view name);

// nullopt is the syntax error: outside md5_compare, no double quote among the first
// 19 characters (include and exclude look at the text with its "#", compress and
// encryption after it); an exclude rule without "("; an md5_compare rule that is
// neither the path nor the size form.
std::optional<RuleParts> ParseRule(RuleSection section, std::string_view text);

// Only a "#" typed in front of the value disables the composed rule; parts.commented
// is what parsing found and is not carried over. In compress and the two encryption
// sections a value that does not end with "*" but names a drive (second character
// ":") gets "*" added.
std::string ComposeRule(RuleSection section, const RuleParts& parts);

// The rule a new entry starts with; include takes its text from the message file
// instead, so it has none here.
std::string PlaceholderRule(RuleSection section);

inline constexpr const char* kSyntaxErrorMessage = "Il y a une erreur de syntaxe dans ce fichier";
inline void ShowSyntaxError(MessageSink& sink) {
  ShowEditorMessage(sink, kSyntaxErrorMessage, MessageIcon::kError);
}

}  // namespace vaultrine::config
