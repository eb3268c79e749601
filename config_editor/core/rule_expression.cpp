#include "config_editor/core/rule_expression.h"

namespace vaultrine::config {

namespace {

constexpr std::string_view kGzipPath = "gzip => (path=\"";
constexpr std::string_view kGzipExt = "gzip => (ext=\"";
constexpr std::string_view kBfPath = "bf => (path=\"";
constexpr std::string_view kBfExt = "bf => (ext=\"";
constexpr std::string_view kYesPath = "yes => (path=\"";
constexpr std::string_view kNoPath = "no => (path=\"";
constexpr std::string_view kMd5Path = "md5 => (path=\"";
constexpr std::string_view kMd5Size = "md5 => (size>";
constexpr std::string_view kPathEnd = "\")";
constexpr std::string_view kSizeEnd = ")";
constexpr size_t kLastQuoteIndex = 18;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Bytes of the character at `i`: a well-formed UTF-8 sequence, or else one byte, so
// that stray bytes never merge with the ASCII of a prefix or suffix.
size_t CharLength(std::string_view s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  const size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                 : c >= 0xF0 && c <= 0xF4 ? 4 : 1;
  if (i + n > s.size()) return 1;
  for (size_t k = 1; k < n; ++k)
    if (!IsContinuation(static_cast<unsigned char>(s[i + k]))) return 1;
  return n;
}

// Byte offset of character `n` (or the end).
size_t ByteOffset(std::string_view s, size_t n) {
  size_t i = 0;
  for (; n > 0 && i < s.size(); --n) i += CharLength(s, i);
  return i;
}

size_t CharCount(std::string_view s) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++count) i += CharLength(s, i);
  return count;
}

// Characters from `from` to the end less the last `less`; empty when nothing is left.
std::string Slice(std::string_view s, size_t from, size_t less) {
  const size_t total = CharCount(s);
  if (from + less >= total) return std::string();
  const size_t begin = ByteOffset(s, from);
  const size_t end = ByteOffset(s, total - less);
  return std::string(s.substr(begin, end - begin));
}

bool QuoteNearStart(std::string_view s) {
  const size_t quote = s.find('"');
  return quote != std::string_view::npos && CharCount(s.substr(0, quote)) <= kLastQuoteIndex;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// The extension form turned into the path form of the same section.
std::string ToPathForm(std::string_view body, std::string_view ext_prefix,
                       std::string_view path_prefix) {
  if (!StartsWith(body, ext_prefix)) return std::string(body);
  return std::string(path_prefix) + "*." + std::string(body.substr(ext_prefix.size()));
}

}  // namespace

std::optional<RuleSection> RuleSectionNamed(std::string_view name) {
  if (name == "include") return RuleSection::kInclude;
  if (name == "exclude") return RuleSection::kExclude;
  if (name == "md5_compare") return RuleSection::kMd5Compare;
  if (name == "compress") return RuleSection::kCompress;
  if (name == "crypt") return RuleSection::kCrypt;
  if (name == "crypt_path") return RuleSection::kCryptPath;
  return std::nullopt;
}

std::optional<RuleParts> ParseRule(RuleSection section, std::string_view text) {
  RuleParts parts;
  std::string_view body = text;
  if (StartsWith(body, "#")) {
    parts.commented = true;
    body.remove_prefix(1);
  }
  switch (section) {
    case RuleSection::kInclude:
    case RuleSection::kExclude:
      if (!QuoteNearStart(text)) return std::nullopt;
      break;
    case RuleSection::kCompress:
    case RuleSection::kCrypt:
    case RuleSection::kCryptPath:
      if (!QuoteNearStart(body)) return std::nullopt;
      break;
    case RuleSection::kMd5Compare:
      break;
  }

  switch (section) {
    case RuleSection::kInclude: {
      const size_t quote = body.find('"');
      if (quote == std::string_view::npos) return std::nullopt;
      parts.value = Slice(body.substr(quote + 1), 0, 1);
      break;
    }
    case RuleSection::kCompress:
      parts.value = Slice(ToPathForm(body, kGzipExt, kGzipPath), kGzipPath.size(), kPathEnd.size());
      break;
    case RuleSection::kCrypt:
    case RuleSection::kCryptPath:
      parts.value = Slice(ToPathForm(body, kBfExt, kBfPath), kBfPath.size(), kPathEnd.size());
      break;
    case RuleSection::kExclude: {
      parts.kind = StartsWith(body, "no") ? RuleKind::kNo : RuleKind::kYes;
      const size_t paren = body.find('(');
      if (paren == std::string_view::npos) return std::nullopt;
      const size_t from = CharCount(body.substr(0, paren)) + 7;  // past (path="
      parts.value = Slice(body, from, kPathEnd.size());
      break;
    }
    case RuleSection::kMd5Compare: {
      const std::string word = Slice(body.substr(0, ByteOffset(body, 13)), 8, 0);
      if (word == "path=") {
        parts.kind = RuleKind::kPath;
        parts.value = Slice(body, kMd5Path.size(), kPathEnd.size());
      } else if (word == "size>") {
        parts.kind = RuleKind::kSize;
        parts.value = Slice(body, kMd5Size.size(), kSizeEnd.size());
      } else {
        return std::nullopt;
      }
      break;
    }
  }
  return parts;
}

std::string ComposeRule(RuleSection section, const RuleParts& parts) {
  std::string_view value = parts.value;
  const bool commented = StartsWith(value, "#");
  if (commented) value.remove_prefix(1);

  std::string body;
  switch (section) {
    case RuleSection::kInclude:
      body = "\"" + std::string(value) + "\"";
      break;
    case RuleSection::kExclude:
      body = std::string(parts.kind == RuleKind::kNo ? kNoPath : kYesPath) + std::string(value) +
             std::string(kPathEnd);
      break;
    case RuleSection::kMd5Compare:
      body = parts.kind == RuleKind::kSize
                 ? std::string(kMd5Size) + std::string(value) + std::string(kSizeEnd)
                 : std::string(kMd5Path) + std::string(value) + std::string(kPathEnd);
      break;
    case RuleSection::kCompress:
    case RuleSection::kCrypt:
    case RuleSection::kCryptPath: {
      const bool names_drive = CharCount(value) >= 2 && value[ByteOffset(value, 1)] == ':';
      const bool ends_wild = !value.empty() && value.back() == '*';
      body = std::string(section == RuleSection::kCompress ? kGzipPath : kBfPath) +
             std::string(value) + (!ends_wild && names_drive ? "*" : "") + std::string(kPathEnd);
      break;
    }
  }
  return commented ? "#" + body : body;
}

std::string PlaceholderRule(RuleSection section) {
  switch (section) {
    case RuleSection::kCompress: return "gzip => (path=\"*.zzzzzzzz\")";
    case RuleSection::kCrypt:
    case RuleSection::kCryptPath: return "bf => (path=\"*.zzzzzzzz\")";
    case RuleSection::kExclude: return "yes => (path=\"*.zzzzzzzz\")";
    case RuleSection::kMd5Compare: return "md5 => (path=\"*.zzzzzzzz\")";
    case RuleSection::kInclude: break;
  }
  return std::string();
}

}  // namespace vaultrine::config
