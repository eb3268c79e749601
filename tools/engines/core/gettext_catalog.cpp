#include "tools/engines/core/gettext_catalog.h"

#include <cstdint>

namespace vaultrine::engines {
namespace {

constexpr uint32_t kMagic = 0x950412de;
constexpr uint32_t kMagicSwapped = 0xde120495;

class Reader {
 public:
  Reader(std::string_view bytes, bool swapped) : bytes_(bytes), swapped_(swapped) {}
  bool Word(uint64_t offset, uint32_t& out) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 4) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
    out = swapped_ ? (uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3])
                   : (uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0]);
    return true;
  }
  // Entry `i` of a string table: its length and offset, the string and its terminator inside the file.
  bool String(uint64_t table, uint64_t i, std::string_view& out) const {
    uint32_t length = 0, offset = 0;
    if (!Word(table + 8 * i, length) || !Word(table + 8 * i + 4, offset)) return false;
    if (uint64_t{offset} + length >= bytes_.size()) return false;
    out = bytes_.substr(offset, length);
    return true;
  }

 private:
  std::string_view bytes_;
  bool swapped_;
};

}  // namespace

bool Catalog::Parse(std::string_view bytes) {
  entries_.clear();
  uint32_t magic = 0;
  if (!Reader(bytes, false).Word(0, magic) || (magic != kMagic && magic != kMagicSwapped)) return false;
  const Reader r(bytes, magic == kMagicSwapped);
  uint32_t revision = 0, count = 0, originals = 0, translations = 0;
  if (!r.Word(4, revision) || !r.Word(8, count) || !r.Word(12, originals) || !r.Word(16, translations)) {
    return false;
  }
  if ((revision >> 16) != 0 && (revision >> 16) != 1) return false;
  if (uint64_t{count} * 8 > bytes.size()) return false;
  std::map<std::string, std::string, std::less<>> entries;
  for (uint32_t i = 0; i < count; ++i) {
    std::string_view id, text;
    if (!r.String(originals, i, id) || !r.String(translations, i, text)) return false;
    // Plural entries hold "singular\0plural": the singular forms are what we look up.
    id = id.substr(0, id.find('\0'));
    text = text.substr(0, text.find('\0'));
    if (id.empty() || text.empty()) continue;  // the header, and untranslated entries
    entries.emplace(std::string(id), std::string(text));
  }
  entries_ = std::move(entries);
  return true;
}

std::string Catalog::Translate(std::string_view msgid) const {
  const auto it = entries_.find(msgid);
  return it == entries_.end() ? std::string(msgid) : it->second;
}

std::string Substitute(std::string_view format, std::initializer_list<std::string_view> values) {
  std::string out;
  auto next = values.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char kind = format[i + 1];
      if (kind == '%') {
        out.push_back('%');
        ++i;
        continue;
      }
      if ((kind == 's' || kind == 'd') && next != values.end()) {
        out.append(*next++);
        ++i;
        continue;
      }
    }
    out.push_back(format[i]);
  }
  return out;
}

}  // namespace vaultrine::engines
