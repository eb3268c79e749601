// A gzip file written in one pass: zlib's own gzip wrapper (window bits 15 + 16,
// default level, memory level 8) with a header that names the compressed file, no
// time and the Windows system code, then the deflate stream and zlib's trailer. The
// header and the stream are exactly those of zlib's "wb" gzip writer, bar the name.
#pragma once
#include <zlib.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "common/file_io.h"

namespace vaultrine::backup {

class GzipWriter {
 public:
  GzipWriter() = default;
  ~GzipWriter();
  GzipWriter(const GzipWriter&) = delete;
  GzipWriter& operator=(const GzipWriter&) = delete;

  // Creates `path`; `header_name` goes into the header as it is (the caller cuts it).
  bool Open(const std::string& path, std::string_view header_name);
  // False when the stream or the file failed; error() says why.
  bool Write(const char* data, size_t size);
  // The end of the stream and the trailer, then the file closed. False when any of
  // it did not reach the file.
  bool Finish();
  // Closes the file as it is, so that what was written can be removed.
  void Abandon() { file_.reset(); }
  // "<path>: <what failed>", as zlib's gzerror words it.
  const std::string& error() const { return error_; }

 private:
  bool Deflate(int flush);
  bool Fail(const std::string& why);

  std::string path_;
  std::string name_;  // the header points at it until the first output
  gz_header header_{};
  z_stream stream_{};
  bool started_ = false;
  UniqueFile file_;
  std::string error_;
};

}  // namespace vaultrine::backup
