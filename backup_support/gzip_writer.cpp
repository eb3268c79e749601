#include "backup_support/gzip_writer.h"

#include <cerrno>
#include <cstring>

namespace vaultrine::backup {

namespace {
constexpr int kGzipWindowBits = 15 + 16;  // zlib's own gzip wrapper, as gzopen uses it
constexpr int kMemoryLevel = 8;
constexpr int kWindowsSystem = 11;
constexpr size_t kOutputChunk = 16384;
}  // namespace

GzipWriter::~GzipWriter() {
  if (started_) deflateEnd(&stream_);
}

bool GzipWriter::Fail(const std::string& why) {
  error_ = path_ + ": " + why;
  return false;
}

bool GzipWriter::Open(const std::string& path, std::string_view header_name) {
  path_ = path;
  name_.assign(header_name);
  if (deflateInit2(&stream_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemoryLevel,
                   Z_DEFAULT_STRATEGY) != Z_OK)
    return Fail("out of memory");
  started_ = true;
  header_.time = 0;
  header_.os = kWindowsSystem;
  header_.name = reinterpret_cast<Bytef*>(name_.data());
  if (deflateSetHeader(&stream_, &header_) != Z_OK) return Fail("stream error");
  file_ = OpenFile(path, "wb");
  if (!file_) return Fail(std::strerror(errno));
  return true;
}

bool GzipWriter::Deflate(int flush) {
  unsigned char out[kOutputChunk];
  int status;
  do {
    stream_.next_out = out;
    stream_.avail_out = sizeof out;
    status = deflate(&stream_, flush);
    if (status == Z_STREAM_ERROR) return Fail(stream_.msg ? stream_.msg : "stream error");
    const size_t made = sizeof out - stream_.avail_out;
    if (made && std::fwrite(out, 1, made, file_.get()) != made) return Fail(std::strerror(errno));
  } while (stream_.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
  return true;
}

bool GzipWriter::Write(const char* data, size_t size) {
  if (!file_) return Fail("not open");
  stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
  stream_.avail_in = static_cast<uInt>(size);
  return Deflate(Z_NO_FLUSH);
}

bool GzipWriter::Finish() {
  if (!file_) return Fail("not open");
  stream_.next_in = nullptr;
  stream_.avail_in = 0;
  const bool ended = Deflate(Z_FINISH);
  // The close flushes what stdio still holds: its failure is the archive's too.
  const bool closed = std::fclose(file_.release()) == 0;
  if (ended && !closed) return Fail(std::strerror(errno));
  return ended;
}

}  // namespace vaultrine::backup
