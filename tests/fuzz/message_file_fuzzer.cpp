// Any file content, key and language: the lookup stays inside the image and answers
// a text of at most 127 bytes, "?" or "??".
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/message_file.h"

namespace {

struct QuietSink : vaultrine::MessageSink {
  void Show(const vaultrine::UserMessage&) override {}
};

// The program folder: memory-backed when possible, since every input is a new file.
std::string g_folder;

void RemoveFolder() {
  std::error_code ec;
  std::filesystem::remove_all(g_folder, ec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Byte 0: key length and whether to place a header; bytes 1-2: where the header
  // goes; byte 3: filler after the content, in 256-byte steps, so the ends of the
  // image and of the search windows are reached; then the key; the rest is the file.
  if (g_folder.empty()) {
    char shm[] = "/dev/shm/vaultrine-messages-fuzz-XXXXXX";
    char tmp[] = "/tmp/vaultrine-messages-fuzz-XXXXXX";
    const char* dir = mkdtemp(shm);
    if (!dir) dir = mkdtemp(tmp);
    if (!dir) std::abort();
    g_folder = dir;
    std::atexit(RemoveFolder);
  }
  if (size < 4) return 0;
  const size_t key_length = data[0] % 24;
  const bool with_header = (data[0] & 0x80) != 0;
  const char* header = (data[0] & 0x40) ? "[MAIN_fra]" : "[MAIN_eng]";
  const size_t header_at = (size_t{data[1]} << 8 | data[2]) % 36000;
  const size_t filler = size_t{data[3]} * 256;
  data += 4;
  size -= 4;
  if (size < key_length) return 0;
  std::string key(reinterpret_cast<const char*>(data), key_length);
  std::string file;
  if (with_header) file = std::string(header_at, '-') + header;
  file.append(reinterpret_cast<const char*>(data + key_length), size - key_length);
  file.append(filler, 'x');

  {
    std::FILE* f = std::fopen((g_folder + "/ConfigVaultrine.mes").c_str(), "wb");
    if (!f) return 0;
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
  }
  QuietSink sink;
  vaultrine::MessageFile messages(vaultrine::kEditorMessageFile);
  if (!messages.LoadMessageFile(g_folder, sink)) std::abort();
  for (const char* language : {"eng", "fra"}) {
    messages.SelectSection("MAIN", language);
    const std::u16string& text = messages.LookUpMessage(key);
    if (text.size() > vaultrine::MessageFile::kMaxTextBytes) std::abort();
    if (messages.section_offset() < 0 && text != u"?") std::abort();
  }
  return 0;
}
