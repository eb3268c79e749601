#include "details_archive.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "backup_support/gzip_writer.h"
#include "common/bom_copy.h"
#include "common/file_io.h"
#include "common/text_encoding.h"

namespace vaultrine::backup {

namespace {

constexpr const char* kCompressCaption = "ERROR GZ_Compress()";

void Tell(MessageSink& boxes, std::string text, const char* caption) {
  boxes.Show({std::move(text), caption, MessageIcon::kError});
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

std::string HeaderName(std::string_view source_name) {
  std::string name(BaseName(source_name.substr(0, source_name.find('\0'))));
  CutUtf8(name, kHeaderNameMax);
  return name;
}

std::string GzipHeader(std::string_view source_name) {
  std::string header("\x1F\x8B\x08\x08\x00\x00\x00\x00\x00\x0B", 10);
  header.append(HeaderName(source_name)).push_back('\0');
  return header;
}

int16_t GzCompress(std::string& path, MessageSink& boxes) {
  UniqueFile in = OpenFile(path, "rb");
  if (!in) {
    Tell(boxes, "From file open ERROR", kCompressCaption);
    return -1;
  }
  const std::string gz_path = path + ".gz";
  // The header names the list in the same pass as the data: no second copy of the
  // archive, so no moment when it exists only half-made under a temporary name.
  GzipWriter gz;
  // On every failure below, no half-made archive stays and the list keeps its name:
  // the plain list is filed in the archive's place.
  const auto give_up = [&](std::string text, int16_t code) {
    in.reset();
    gz.Abandon();
    RemoveFile(gz_path);
    Tell(boxes, std::move(text), kCompressCaption);
    return code;
  };
  if (!gz.Open(gz_path, HeaderName(path))) {
    in.reset();  // nothing of ours was made under the name
    Tell(boxes, "Cannot gzopen " + gz_path, kCompressCaption);
    return -2;
  }
  std::unique_ptr<char[]> chunk(new char[kCompressChunk]);
  for (;;) {
    const size_t got = std::fread(chunk.get(), 1, kCompressChunk, in.get());
    if (std::ferror(in.get())) return give_up("Cannot read file to compress in Gz archive", -3);
    if (!gz.Write(chunk.get(), got)) return give_up("gzwrite() ERROR " + gz.error(), -4);
    if (got != kCompressChunk) break;
  }
  if (!gz.Finish()) return give_up("gzclose failed", -5);
  if (std::fclose(in.release()) != 0) return give_up("CloseHandle() failed", -6);

  const std::string shortened = path.substr(0, path.size() >= 4 ? path.size() - 4 : 0);
  if (ForceRemoveFile(shortened) == ForcedRemoval::kFailed)
    return give_up("Could not remove >" + shortened + "<", -6);
  if (!RenameFile(gz_path, shortened)) return give_up("Could not rename >" + gz_path + "<", -6);
  path = shortened;
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

std::string ArchiveName(std::string_view computer, const LocalTime& t, int sequence) {
  std::string name(computer);
  name += '_' + TwoDigits(t.day) + '-' + TwoDigits(t.month) + '-' + TwoDigits(t.year) + '_' +
          TwoDigits(t.hour) + '-' + TwoDigits(t.minute);
  if (sequence > 1) name += '_' + std::to_string(sequence);
  return name + "_Details.gz";
}

FinishResult FinishRun(std::string& list_name, const FinishRunInput& input, MessageSink& boxes) {
  FinishResult r;
  if (!input.computer_name) return r;
  if (!FileReadable(list_name)) {
    r.outcome = FinishOutcome::kNoFileList;
    return r;
  }
  // On failure the list keeps its name and is filed uncompressed, as before.
  const bool compressed = GzCompress(list_name, boxes) == 0;

  const std::string& task = input.task_text;
  std::string folder = ReadSummaryFolder(task.size() >= 2 ? task.substr(0, task.size() - 2) : "");
  if (!folder.empty() && folder.front() == '"') folder = folder.size() >= 2 ? folder.substr(1, folder.size() - 2) : "";
  // A summary folder that is this folder already holds the archive: a copy onto
  // itself would empty it.
  const bool filed_here = !folder.empty() && SamePlace(folder, ".");
  const std::string summary = folder;
  if (filed_here) folder.clear();
  const auto in_summary = [&](const std::string& name) { return folder + kPathSeparator + name; };

  // The first name of this minute that neither this folder nor the summary folder
  // holds: an archive of an earlier run (filed, or kept here when the summary folder
  // refused it) is never overwritten, nor filed as this run's. The name is claimed
  // in the summary folder before anything is copied there.
  std::string here = list_name;  // where this run's archive lies
  bool named = false, claimed = false;
  for (int sequence = 1; sequence <= kArchivesPerMinute && !named; ++sequence) {
    const std::string name = ArchiveName(*input.computer_name, input.now, sequence);
    r.archive_name = name;
    r.destination = folder.empty() ? std::string() : in_summary(name);
    if (PathExists(name) || (!folder.empty() && PathExists(r.destination))) continue;
    if (!RenameFile(here, name)) {
      if (PathExists(name)) continue;  // taken in the meantime
      break;
    }
    here = name;
    if (folder.empty()) {
      named = true;
    } else if (CreateNewFile(r.destination)) {
      named = claimed = true;
    } else {
      // Taken in the meantime: the next number. A folder that refuses any file is
      // the copy's to report.
      named = !PathExists(r.destination);
    }
  }
  const auto tell_kept = [&](const std::string& not_at) {
    const std::string kept = input.current_folder.empty() ? here : input.current_folder + kPathSeparator + here;
    boxes.Show({"The details archive could not be copied to\n" + not_at + "\n\nIt is kept in\n" + kept,
                input.caption, MessageIcon::kWarning});
  };
  if (!named) {
    // What was made keeps its place; a compression that failed has said so already.
    r.outcome = FinishOutcome::kNotFiled;
    if (compressed)
      tell_kept(folder.empty() ? (input.current_folder.empty() ? r.archive_name
                                                               : input.current_folder + kPathSeparator + r.archive_name)
                               : r.destination);
    return r;
  }
  if (folder.empty()) {
    r.outcome = filed_here ? FinishOutcome::kFiled : FinishOutcome::kKeptHere;
    if (filed_here) r.destination = summary + kPathSeparator + r.archive_name;
    return r;
  }
  const int copied = CopyWithByteOrderMark(r.archive_name, r.destination, "");
  if (copied == kBomCopyOk) {
    RemoveFile(r.archive_name);
    r.outcome = FinishOutcome::kFiled;
    return r;
  }
  // Never lose the archive to a summary folder that cannot take it; what the copy
  // left there is ours alone.
  if (claimed || (copied != kBomCopyNoSource && copied != kBomCopyNoDestination)) RemoveFile(r.destination);
  r.outcome = FinishOutcome::kNotFiled;
  if (FileReadable(r.archive_name)) tell_kept(r.destination);
  return r;
}

}  // namespace vaultrine::backup
