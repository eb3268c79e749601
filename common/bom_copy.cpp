#include "bom_copy.h"

#include <cstdio>
#include <memory>
#include <new>

#include "file_io.h"

namespace vaultrine {

namespace {
constexpr size_t kBlock = kBomCopyBlock;
constexpr unsigned char kBom[3] = {0xEF, 0xBB, 0xBF};
}  // namespace

int CopyWithByteOrderMark(const std::string& source, const std::string& destination,
                          const std::string& mode) {
  UniqueFile in = OpenFile(source, "rb");
  if (!in) return kBomCopyNoSource;
  UniqueFile out = OpenFile(destination, "wb");
  if (!out) return kBomCopyNoDestination;
  // Whole blocks go straight between the files: a stream buffer in between would
  // only copy every byte once more.
  std::setvbuf(in.get(), nullptr, _IONBF, 0);
  std::setvbuf(out.get(), nullptr, _IONBF, 0);

  // A small file needs no big buffer: one read a byte longer than the file takes it
  // whole and, being short, ends the copy. The size only picks the buffer: a source
  // whose end cannot be sought (a pipe) is read to its end like any other, and past
  // 2 GB a 32-bit ftell gives -1.
  const long size = std::fseek(in.get(), 0, SEEK_END) == 0 ? std::ftell(in.get()) : -1;
  const size_t block =
      size >= 0 && static_cast<unsigned long>(size) < kBlock ? static_cast<size_t>(size) + 1 : kBlock;
  if (size > 0) std::rewind(in.get());
  std::clearerr(in.get());
  std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[block]());
  if (!buffer) return kBomCopyNoBuffer;

  const bool remove = mode == kRemoveBom;
  const bool add = mode == kAddBom;
  int result = kBomCopyOk;
  bool first = true;
  for (;;) {
    const size_t got = std::fread(buffer.get(), 1, block, in.get());
    // A read that fails is no end of file: what came before it is no copy.
    if (std::ferror(in.get())) {
      result = kBomCopyReadError;
      break;
    }
    if (first) {
      first = false;
      // Empty source: empty copy, and its time is left alone.
      if (got == 0) return kBomCopyOk;
      size_t skip = 0;
      if (remove && got >= 3 && buffer[0] == kBom[0] && buffer[1] == kBom[1] && buffer[2] == kBom[2])
        skip = 3;
      if (add && std::fwrite(kBom, 1, 3, out.get()) != 3) result = kBomCopyShortWrite;
      if (result == kBomCopyOk && got > skip &&
          std::fwrite(buffer.get() + skip, 1, got - skip, out.get()) != got - skip)
        result = kBomCopyShortWrite;
    } else if (got && std::fwrite(buffer.get(), 1, got, out.get()) != got) {
      result = kBomCopyShortWrite;
    }
    if (result != kBomCopyOk || got < block) break;
  }
  in.reset();
  if (result == kBomCopyReadError) {
    out.reset();
    RemoveFile(destination);
    return result;
  }
  const auto mtime = FileModificationTime(source);
  // Close before setting the time, or the final flush would move it again.
  if (std::fclose(out.release()) != 0 && result == kBomCopyOk) result = kBomCopyShortWrite;
  if (mtime) SetFileTimes(destination, *mtime);
  return result;
}

}  // namespace vaultrine
