#include "details_archive.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "common/bom_copy.h"
#include "common/file_io.h"
#include "common/text_encoding.h"

namespace vaultrine::backup {

namespace {

constexpr const char* kCompressCaption = "ERROR GZ_Compress()";
constexpr const char* kHeaderCaption = "ERROR InsertGzipHeader()";

void Tell(MessageSink& boxes, std::string text, const char* caption) {
  boxes.Show({std::move(text), caption, MessageIcon::kError});
}

gzFile OpenGzipForWriting(const std::string& path) {
#ifdef _WIN32
  const std::u16string wide = Utf8ToUtf16(path);
  return gzopen_w(std::wstring(wide.begin(), wide.end()).c_str(), "wb");
#else
  return gzopen(path.c_str(), "wb");
#endif
}

std::string TwoDigits(int value) {
  const int v = ((value % 100) + 100) % 100;
  return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

}  // namespace

std::string_view BaseName(std::string_view path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string GzipHeader(std::string_view source_name) {
  std::string name(BaseName(source_name.substr(0, source_name.find('\0'))));
  CutUtf8(name, kHeaderNameMax);
  std::string header("\x1F\x8B\x08\x08\x00\x00\x00\x00\x00\x0B", 10);
  header.append(name).push_back('\0');
  return header;
}

int16_t InsertGzipHeader(const std::string& gz_path, const std::string& source_name,
                         MessageSink& boxes) {
  if (source_name.empty()) return 0;
  const std::string temp = gz_path + kHeaderTempSuffix;
  UniqueFile in = OpenFile(gz_path, "rb");
  if (!in) {
    Tell(boxes, "From file open ERROR", kHeaderCaption);
    return -1;
  }
  // A temporary file left by an interrupted run is not ours to overwrite.
  UniqueFile out = CreateNewFile(temp);
  if (!out) {
    in.reset();
    Tell(boxes, "Create file ERROR", kHeaderCaption);
    return -2;
  }
  if (std::fseek(in.get(), 0, SEEK_END) != 0 || std::ftell(in.get()) <= 0) {
    out.reset();
    RemoveFile(temp);
    return 0;
  }
  std::unique_ptr<char[]> block(new (std::nothrow) char[kHeaderCopyChunk]());
  if (!block) {
    out.reset();
    RemoveFile(temp);
    Tell(boxes, "Memory allocation ERROR", kHeaderCaption);
    return -3;
  }
  int16_t result = 0;
  const std::string header = GzipHeader(source_name);
  if (std::fseek(in.get(), 10, SEEK_SET) != 0 ||
      std::fwrite(header.data(), 1, header.size(), out.get()) != header.size()) {
    result = -4;
  } else {
    for (;;) {
      const size_t got = std::fread(block.get(), 1, kHeaderCopyChunk, in.get());
      if (std::ferror(in.get()) || (got && std::fwrite(block.get(), 1, got, out.get()) != got)) {
        result = -5;
        break;
      }
      if (got < kHeaderCopyChunk) break;
    }
  }
  in.reset();
  if (std::fclose(out.release()) != 0 && result == 0) result = -5;
  if (result != 0) {
    // Only a half-written copy of ours: the archive itself is still whole.
    RemoveFile(temp);
    Tell(boxes, "Write ERROR", kHeaderCaption);
    return result;
  }
  if (ForceRemoveFile(gz_path) == ForcedRemoval::kFailed) {
    Tell(boxes, "InsertGzipHeader() - Could not remove file()", "DEBUG");
    return -5;
  }
  RenameFile(temp, gz_path);
  return 0;
}

int16_t GzCompress(std::string& path, MessageSink& boxes) {
  UniqueFile in = OpenFile(path, "rb");
  if (!in) {
    Tell(boxes, "From file open ERROR", kCompressCaption);
    return -1;
  }
  const std::string gz_path = path + ".gz";
  gzFile gz = OpenGzipForWriting(gz_path);
  if (!gz) {
    in.reset();
    Tell(boxes, "Cannot gzopen " + gz_path, kCompressCaption);
    return -2;
  }
  std::unique_ptr<char[]> chunk(new char[kCompressChunk]);
  for (;;) {
    const size_t got = std::fread(chunk.get(), 1, kCompressChunk, in.get());
    if (std::ferror(in.get())) {
      gzclose(gz);
      in.reset();
      RemoveFile(gz_path);
      Tell(boxes, "Cannot read file to compress in Gz archive", kCompressCaption);
      return -3;
    }
    if (gzwrite(gz, chunk.get(), static_cast<unsigned>(got)) < 0) {
      int code = 0;
      const std::string why = gzerror(gz, &code);
      gzclose(gz);
      in.reset();
      RemoveFile(gz_path);
      Tell(boxes, "gzwrite() ERROR " + why, kCompressCaption);
      return -4;
    }
    if (got != kCompressChunk) break;
  }
  if (gzclose(gz) != Z_OK) {
    // A cut-short archive is no archive: the plain list is filed in its place.
    in.reset();
    RemoveFile(gz_path);
    Tell(boxes, "gzclose failed", kCompressCaption);
    return -5;
  }
  if (std::fclose(in.release()) != 0) {
    Tell(boxes, "CloseHandle() failed", kCompressCaption);
    return -6;
  }
  InsertGzipHeader(gz_path, path, boxes);

  path.resize(path.size() >= 4 ? path.size() - 4 : 0);
  if (ForceRemoveFile(path) == ForcedRemoval::kFailed) {
    Tell(boxes, "Could not remove >" + path + "<", kCompressCaption);
    return -6;
  }
  RenameFile(gz_path, path);
  return 0;
}

std::string ReadSummaryFolder(const std::string& parameter_path) {
  UniqueFile f = OpenFile(parameter_path, "rb");
  if (!f) return {};
  char buffer[kSummaryScanBytes];
  const size_t got = std::fread(buffer, 1, sizeof buffer, f.get());
  return SummaryFolderFromText(std::string_view(buffer, got));
}

std::string SummaryFolderFromText(std::string_view text) {
  text = text.substr(0, kSummaryScanBytes);
  text = text.substr(0, text.find('\0'));  // read as a text: a zero byte ends it
  constexpr std::string_view kKey = "summary=";
  const size_t at = text.find(kKey);
  if (at == std::string_view::npos) return {};
  const std::string_view rest = text.substr(at + kKey.size());
  return std::string(rest.substr(0, rest.find_first_of("\r\n")));
}

std::string ArchiveName(std::string_view computer, const LocalTime& t) {
  std::string name(computer);
  name += '_' + TwoDigits(t.day) + '-' + TwoDigits(t.month) + '-' + TwoDigits(t.year) + '_' +
          TwoDigits(t.hour) + '-' + TwoDigits(t.minute) + "_Details.gz";
  return name;
}

FinishResult FinishRun(std::string& list_name, const FinishRunInput& input, MessageSink& boxes) {
  FinishResult r;
  if (!input.computer_name) return r;
  if (!FileReadable(list_name)) {
    r.outcome = FinishOutcome::kNoFileList;
    return r;
  }
  // On failure the list keeps its name and is filed uncompressed, as before.
  GzCompress(list_name, boxes);
  r.archive_name = ArchiveName(*input.computer_name, input.now);
  RenameFile(list_name, r.archive_name);

  const std::string& task = input.task_text;
  std::string folder = ReadSummaryFolder(task.size() >= 2 ? task.substr(0, task.size() - 2) : "");
  if (!folder.empty() && folder.front() == '"') folder = folder.size() >= 2 ? folder.substr(1, folder.size() - 2) : "";
  if (folder.empty()) {
    r.outcome = FinishOutcome::kKeptHere;
    return r;
  }
  r.destination = folder + kPathSeparator + r.archive_name;
  const int copied = CopyWithByteOrderMark(r.archive_name, r.destination, "");
  if (copied == kBomCopyOk) {
    RemoveFile(r.archive_name);
    r.outcome = FinishOutcome::kFiled;
    return r;
  }
  // Never lose the archive to a summary folder that cannot take it.
  if (copied != kBomCopyNoSource && copied != kBomCopyNoDestination) RemoveFile(r.destination);
  r.outcome = FinishOutcome::kNotFiled;
  if (FileReadable(r.archive_name)) {
    const std::string kept = input.current_folder.empty()
                                 ? r.archive_name
                                 : input.current_folder + kPathSeparator + r.archive_name;
    boxes.Show({"The details archive could not be copied to\n" + r.destination +
                    "\n\nIt is kept in\n" + kept,
                input.caption, MessageIcon::kWarning});
  }
  return r;
}

}  // namespace vaultrine::backup
