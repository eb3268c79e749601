// The rule parser and composer on any bytes. Byte 0 picks the section and how the
// text is used; the rest is the text. What must hold:
// - parsing never reads outside the text and its value is never longer than it;
// - a value composed into a rule parses back to itself (or, in compress and the two
//   encryption sections, to itself with the "*" a drive gets), with the same kind,
//   and the rule is commented exactly when the value began with "#";
// - a parsed rule composed again is a fixed point: composing its parse gives it back.
#include <cstdint>
#include <string>
#include <string_view>

#include "config_editor/core/rule_expression.h"

using namespace vaultrine::config;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

constexpr RuleSection kSections[] = {RuleSection::kInclude,  RuleSection::kExclude,
                                     RuleSection::kMd5Compare, RuleSection::kCompress,
                                     RuleSection::kCrypt,    RuleSection::kCryptPath};

bool Completes(RuleSection s) {
  return s == RuleSection::kCompress || s == RuleSection::kCrypt || s == RuleSection::kCryptPath;
}

RuleKind KindFor(RuleSection section, uint8_t bit) {
  if (section == RuleSection::kExclude) return bit ? RuleKind::kNo : RuleKind::kYes;
  if (section == RuleSection::kMd5Compare) return bit ? RuleKind::kSize : RuleKind::kPath;
  return RuleKind::kNone;
}

// What the dialog would store for `value` typed in `section` with `kind`, checked
// against a second parse.
void ComposedValueComesBack(RuleSection section, RuleKind kind, const std::string& value) {
  RuleParts typed;
  typed.kind = kind;
  typed.value = value;
  const std::string rule = ComposeRule(section, typed);
  const bool commented = !value.empty() && value[0] == '#';
  Check(commented == (!rule.empty() && rule[0] == '#'));
  const std::string body_value = commented ? value.substr(1) : value;

  const auto back = ParseRule(section, rule);
  Check(back.has_value());
  Check(back->commented == commented);
  if (section == RuleSection::kExclude || section == RuleSection::kMd5Compare) Check(back->kind == kind);
  const bool completed = Completes(section) && back->value == body_value + "*";
  Check(back->value == body_value || completed);
  // Completion only ever applies to a drive-like value without its "*".
  if (completed) Check(body_value.find(':') != std::string::npos && body_value.back() != '*');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const RuleSection section = kSections[(data[0] & 0x7F) % 6];
  const uint8_t kind_bit = data[0] >> 7;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  if (const auto parts = ParseRule(section, text)) {
    Check(parts->value.size() <= text.size());
    Check(parts->commented == (!text.empty() && text[0] == '#'));
    // Composing the parse and parsing again settles: the second compose is the first.
    RuleParts again = *parts;
    if (again.commented) again.value.insert(0, "#");
    const std::string rule = ComposeRule(section, again);
    const auto reparsed = ParseRule(section, rule);
    Check(reparsed.has_value());
    RuleParts third = *reparsed;
    if (third.commented) third.value.insert(0, "#");
    Check(ComposeRule(section, third) == rule);
  }
  // The text as a typed value, in the section and kind byte 0 names.
  if (text.find('\n') == std::string::npos) ComposedValueComesBack(section, KindFor(section, kind_bit), text);
  (void)PlaceholderRule(section);
  return 0;
}
