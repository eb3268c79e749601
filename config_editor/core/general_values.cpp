#include "config_editor/core/general_values.h"

#include "common/raw_value.h"
#include "common/text_encoding.h"

namespace vaultrine::config {

namespace {

constexpr const char* kMissing = "*****";
constexpr size_t kCapacity = 512;  // 511 bytes and the C terminator
constexpr size_t kQuotedBytes = 381;
constexpr size_t kPlainBytes = 511;

std::string Quoted(std::string value) {
  CutUtf8(value, kQuotedBytes);
  return "\"" + value + "\"";
}

std::string Plain(std::string value) {
  CutUtf8(value, kPlainBytes);
  return value;
}

}  // namespace

GeneralValues GeneralValues::Read(const ProfileFile& file) {
  GeneralValues v;
  v.delay = file.Read("general", "obsolete", kMissing, kCapacity);
  if (!v.delay.empty()) v.delay.pop_back();
  // The key exactly as it stands on its line: the restore library takes it from
  // the raw line too, so trimming blanks or quotes here would change the key.
  v.key = file.ReadStored("general", "cryptkey").value_or(kMissing);
  CutRawValue(v.key, kPlainBytes);
  v.summary = file.Read("general", "summary", kMissing, kCapacity);
  v.restore = file.Read("restore", "000", kMissing, kCapacity);
  v.destination = file.Read("destination", "000", kMissing, kCapacity);
  v.volume = file.Read("destination", "999", kMissing, kCapacity);
  return v;
}

bool GeneralValues::Write(ProfileFile& file) const {
  std::string delay_bytes = delay, key_bytes = key;
  CutRawValue(delay_bytes, kPlainBytes);
  CutRawValue(key_bytes, kPlainBytes);
  bool ok = file.Write("general", "obsolete", delay_bytes + "d");
  ok &= file.Write("general", "cryptkey", key_bytes);
  ok &= file.Write("general", "summary", Quoted(summary));
  ok &= file.Write("restore", "000", Plain(restore));
  ok &= file.Write("destination", "999", Plain(volume));
  ok &= file.Write("destination", "000", Quoted(destination));
  return file.Flush() && ok;
}

}  // namespace vaultrine::config
