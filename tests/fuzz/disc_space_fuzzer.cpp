// CheckDiscSpace's portable part on any bytes: the path, the needed-bytes text, the
// engine's question format, the free space and the user's answer all come from the
// input (fields separated by 0xFF). What must hold: the needed bytes read as the C
// library's strtoll reads them; the question is asked exactly when the free space
// is known and the needed count reaches it; it is never longer than 191 characters;
// and the result is "stop" only when the user said No.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup_support/disc_space.h"

using namespace vaultrine::backup;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

class FakeDrive : public DiskSpacePlatform {
 public:
  std::optional<uint64_t> free_bytes;
  bool answer = false;
  int asked = 0;
  std::string root, question;
  std::optional<uint64_t> FreeBytes(const std::string& r) override {
    root = r;
    return free_bytes;
  }
  bool AskYesNo(const std::string&, const std::string& q) override {
    ++asked;
    question = q;
    return answer;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  FakeDrive drive;
  uint64_t free_bytes = 0;
  std::memcpy(&free_bytes, data + 1, 8);
  // Small free counts most of the time, so that both answers of the comparison come up.
  if (data[0] & 2) free_bytes %= 100000;
  if (data[0] & 1) drive.free_bytes = free_bytes;
  drive.answer = (data[0] & 4) != 0;

  std::vector<std::string> fields(3);
  size_t f = 0;
  for (size_t i = 9; i < size; ++i) {
    if (data[i] == 0xFF && f < 2) {
      ++f;
      continue;
    }
    fields[f] += static_cast<char>(data[i]);
  }
  const std::string& path = fields[0];
  const std::string& needed_text = fields[1];
  const std::string& format = fields[2];

  // Same reading as the C runtime, overflow saturating as strtoll does.
  errno = 0;
  const long long expected = std::strtoll(needed_text.c_str(), nullptr, 10);
  const int64_t needed = ReadNeededBytes(needed_text);
  Check(needed == expected);

  const int result = CheckDiscSpace(path, needed_text, format, "caption", drive);
  const bool short_of_space = drive.free_bytes && needed >= 0 && static_cast<uint64_t>(needed) >= *drive.free_bytes;
  Check(drive.asked == (short_of_space ? 1 : 0));
  Check(result == ((short_of_space && !drive.answer) ? kStop : kGoOn));
  Check(drive.root.size() <= 3 && drive.root.find('/') == std::string::npos);
  Check(drive.question.size() <= kQuestionMax);

  const std::string question = FormatSpaceQuestion(format, free_bytes, path.substr(0, 3), 42);
  Check(question.size() <= kQuestionMax);
  if (format.find('%') == std::string::npos) Check(question == format.substr(0, kQuestionMax));
  return 0;
}
