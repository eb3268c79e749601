// The general page's values and where they live in the internal file: the read as
// the page shows them, the write in the order the engines expect.
#pragma once
#include <string>

#include "config_editor/core/profile_file.h"

namespace vaultrine::config {

struct GeneralValues {
  std::string delay;  // stored bytes without the closing "d"
  std::string key;    // stored bytes, blanks and quotes included
  std::string summary, restore, destination, volume;  // UTF-8, without quotes

  // A missing key reads as "*****" (the delay as "****"), and is written back so.
  static GeneralValues Read(const ProfileFile& file);
  // The delay gets its "d", the two folders their quotes; quoted values keep at most
  // 381 bytes, the others 511. Every key is written, changed or not.
  bool Write(ProfileFile& file) const;

  // The destination line ends its folder at the first comma and the volume name at
  // the next one: a comma in either would be read back as another folder or name.
  bool HoldsComma() const { return HoldsComma(destination) || HoldsComma(volume); }
  static bool HoldsComma(const std::string& text) { return text.find(',') != std::string::npos; }
};

}  // namespace vaultrine::config
