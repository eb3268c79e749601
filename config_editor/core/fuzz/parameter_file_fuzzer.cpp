// Feeds arbitrary bytes to the editor as a parameter file: conversion, save,
// profile reads and writes, and the rule parser. Beside the sanitizers it checks
// what must hold for any input: a refused file leaves no internal file; a save
// produces a complete file and keeps the previous one as ".OLD"; a written profile
// key reads back; a composed rule parses back to its value.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "config_editor/core/parameter_file.h"
#include "config_editor/core/profile_file.h"
#include "config_editor/core/rule_expression.h"

using namespace vaultrine;
using namespace vaultrine::config;

namespace {

std::string g_dir;

void RemoveFolder() {
  std::error_code ec;
  std::filesystem::remove_all(g_dir, ec);
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void Write(const std::string& path, const std::string& bytes) {
  UniqueFile f = OpenFile(path, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f.get());
}

void ConvertAndSave(const std::string& input) {
  const std::string path = g_dir + "/Vaultrine.ini";
  const std::string working = WorkingCopyName(path);
  const std::string internal = InternalFileName(working);
  RemoveFile(internal);
  RemoveFile(BackupCopyName(path));
  Write(path, input);
  Check(MakeWorkingCopy(path, path));

  RecordingSink sink;
  std::string chosen = path;
  const ConvertResult converted = ConvertToInternal(chosen, sink);
  Check((converted == kConverted) == sink.messages.empty());
  if (converted != kConverted) {
    // Refused whole: nothing that a save could write back half empty.
    Check(!FileReadable(internal));
    Check(converted != kSectionMissing || chosen.empty());
    return;
  }

  const WriteResult written = WriteParameterFile(path, sink);
  Check(written == kWritten);
  const auto out = ReadWholeFile(path);
  Check(out && out->compare(0, 3, "\xEF\xBB\xBF") == 0);
  Check(out->size() >= 9 && out->compare(out->size() - 7, 7, "# eof\r\n") == 0);
  Check(ReadWholeFile(BackupCopyName(path)) == input);
  Check(!FileReadable(working) && !FileReadable(internal));
}

void Profile(const std::string& input) {
  const std::string path = g_dir + "/profile.tmp";
  Write(path, input);
  ProfileFile file(path);
  // Names taken from the input, so that existing sections and keys get hit.
  const std::string section = input.substr(0, input.size() % 7);
  const std::string key = input.substr(input.size() / 2, input.size() % 5);
  (void)file.Read(section, key, "*****", input.size() % 40);
  const bool accepted = file.Write(section, key, "fuzz value");
  (void)file.Write("general", key, std::nullopt);
  Check(file.Flush());
  if (accepted) Check(ProfileFile(path).Read(section, key, "*****") == "fuzz value");
}

void Rules(const std::string& input) {
  static const RuleSection kSections[] = {RuleSection::kInclude,  RuleSection::kExclude,
                                          RuleSection::kMd5Compare, RuleSection::kCompress,
                                          RuleSection::kCrypt,    RuleSection::kCryptPath};
  size_t start = 0;
  for (int n = 0; n < 32 && start <= input.size(); ++n) {
    size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    const std::string line = input.substr(start, end - start);
    start = end + 1;
    for (RuleSection section : kSections) {
      if (auto parts = ParseRule(section, line)) (void)ComposeRule(section, *parts);
      if (line.empty() || line[0] == '#') continue;
      RuleParts typed;
      typed.value = line;
      typed.kind = section == RuleSection::kMd5Compare ? RuleKind::kSize : RuleKind::kNo;
      const std::string rule = ComposeRule(section, typed);
      auto back = ParseRule(section, rule);
      Check(back.has_value());
      const bool completed = back->value.size() == line.size() + 1 && back->value.back() == '*';
      Check(back->value == line || completed);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_dir.empty()) {
    // Memory-backed when possible: every save is pushed to disk, and that is slow.
    char shm[] = "/dev/shm/vaultrine-fuzz-XXXXXX";
    char tmp[] = "/tmp/vaultrine-fuzz-XXXXXX";
    const char* dir = mkdtemp(shm);
    if (!dir) dir = mkdtemp(tmp);
    if (!dir) std::abort();
    g_dir = dir;
    std::atexit(RemoveFolder);
  }
  const std::string input(reinterpret_cast<const char*>(data), size);
  ConvertAndSave(input);
  Profile(input);
  Rules(input);
  return 0;
}
