// The engines' own texts come from the gettext catalog when it is present: a compiled
// .mo file, read here without libintl so that a damaged file cannot take a backup down
// (whatever the bytes, the result is a catalog, possibly empty).
#pragma once
#include <map>
#include <string>
#include <string_view>

namespace vaultrine::engines {

class Catalog {
 public:
  // False, leaving the catalog empty, when the bytes are not a .mo file (wrong magic,
  // unknown major revision, tables or strings outside the file).
  bool Parse(std::string_view bytes);
  // The translation of `msgid`, or `msgid` itself.
  std::string Translate(std::string_view msgid) const;
  size_t size() const { return entries_.size(); }

 private:
  std::map<std::string, std::string, std::less<>> entries_;
};

// Puts the values into the "%s" or "%d" places of a translated format in turn
// ("%%" gives "%"); other "%" are left as they stand. A catalog text is never used
// as a printf format.
std::string Substitute(std::string_view format, std::initializer_list<std::string_view> values);

}  // namespace vaultrine::engines
