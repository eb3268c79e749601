#include "message_file.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "file_io.h"
#include "text_encoding.h"

namespace vaultrine {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// The window is read as a C string: a zero byte in the file ends it early.
std::string_view ZeroTerminated(const char* begin, std::size_t size) {
  const auto* zero = static_cast<const char*>(std::memchr(begin, '\0', size));
  return std::string_view(begin, zero ? static_cast<std::size_t>(zero - begin) : size);
}

}  // namespace

bool MessageFile::LoadMessageFile(const std::string& program_folder, MessageSink& sink) {
  ReleaseMessageFile();
  const std::string name = variant_.file_name;
  UniqueFile file = OpenFile(program_folder + kSeparator + name, "rb");
  if (!file) {
    sink.Show({"Cannot open " + name, variant_.caption, MessageIcon::kError});
    return false;
  }
  std::unique_ptr<char[]> image(new (std::nothrow) char[kImageSize]());
  if (!image) {
    file.reset();
    sink.Show({"Memory allocation ERROR", variant_.caption, MessageIcon::kError});
    return false;
  }
  std::fread(image.get(), 1, kImageSize, file.get());
  const bool read_failed = std::ferror(file.get()) != 0;
  file.reset();
  if (read_failed && variant_.check_read) {
    sink.Show({"Cannot load " + name, variant_.caption, MessageIcon::kError});
    return false;
  }
  image_ = std::move(image);
  return true;
}

void MessageFile::SelectSection(std::string_view name, std::string_view language_code) {
  section_offset_ = -1;
  if (!image_) return;
  std::string header = "[";
  header.append(name).append("_").append(language_code).append("]");
  for (std::size_t start = 0; start <= kLastWindowStart; start += kWindowStep) {
    std::string_view window = ZeroTerminated(image_.get() + start, kWindowSize);
    std::size_t found = window.find(header);
    if (found != std::string_view::npos) {
      section_offset_ = static_cast<long>(start + found);
      return;
    }
  }
}

const std::u16string& MessageFile::LookUpMessage(std::string_view key) {
  text_.clear();
  if (!image_ || section_offset_ < 0) {
    text_ = u"?";
    return text_;
  }
  // A header near the end of the image has less than a whole window after it; the
  // missing bytes count as the zero fill of a short file.
  const std::size_t offset = static_cast<std::size_t>(section_offset_);
  const std::size_t available = kImageSize - offset;
  std::string_view window =
      ZeroTerminated(image_.get() + offset, available < kWindowSize ? available : kWindowSize);

  std::string pattern(key.substr(0, kKeyLength));
  pattern += '=';
  std::size_t found = window.find(pattern);
  if (found == std::string_view::npos) {
    text_ = u"??";
    return text_;
  }
  const std::size_t start = found + pattern.size();
  std::size_t end = window.find('\n', start);
  if (end == std::string_view::npos) end = window.size();
  std::string text(window.substr(start, end - start));
  // Files saved with LF-only lines have no CR to drop.
  if (!text.empty() && text.back() == '\r') text.pop_back();

  // "@" and the byte after it stand for a line break; a final "@" has nothing after
  // it and stays as it is.
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '@') {
      text[i] = '\r';
      text[i + 1] = '\n';
    }
  }
  CutUtf8(text, kMaxTextBytes);
  text_ = Utf8ToUtf16(text);
  if (text_.size() >= kTextBufferUnits) text_.resize(kTextBufferUnits - 1);
  return text_;
}

void MessageFile::ReleaseMessageFile() {
  image_.reset();
  section_offset_ = -1;
}

}  // namespace vaultrine
