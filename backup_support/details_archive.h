// The details archive: the file list compressed with zlib's gzip writer, its header
// rewritten so that it records the list's own name, named after the computer and the
// time, and filed in the summary folder that the parameter file names.
// Portable: boxes go through MessageSink; the computer name and the clock are inputs.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/message_sink.h"

namespace vaultrine::backup {

inline constexpr size_t kCompressChunk = 15360;
inline constexpr size_t kHeaderCopyChunk = 262144;
inline constexpr size_t kHeaderNameMax = 78;
inline constexpr size_t kSummaryScanBytes = 8192;
inline constexpr const char* kHeaderTempSuffix = ".x$y";

// The part after the last "\" (or "/"); the whole text when it has none.
std::string_view BaseName(std::string_view path);

// gzip header with only FNAME set: 1F 8B 08 08, no time, no extra flags, OS 0B,
// then the base name of `source_name` cut to 78 bytes and a zero.
std::string GzipHeader(std::string_view source_name);

// Compresses `path` into path + ".gz" (zlib, "wb"), gives it a header naming `path`,
// then puts it under `path` less its last four characters; `path` is shortened the
// same way. 0 on success, -1 to -6 after a box with caption "ERROR GZ_Compress()".
int16_t GzCompress(std::string& path, MessageSink& boxes);

// Replaces the 10-byte header that zlib wrote by GzipHeader(source_name), through
// gz_path + ".x$y". 0 on success (or an empty source_name), -1 to -5 after a box.
int16_t InsertGzipHeader(const std::string& gz_path, const std::string& source_name,
                         MessageSink& boxes);

// Value of the first "summary=" within the first 8192 bytes of the parameter file,
// up to CR, LF or a zero byte; empty when there is none or the file cannot be read.
std::string ReadSummaryFolder(const std::string& parameter_path);
// The same rule on bytes already read (at most the first 8192 count).
std::string SummaryFolderFromText(std::string_view bytes);

struct LocalTime {
  int year = 0;  // e.g. 2026
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
};

// <computer>_DD-MM-YY_HH-MM_Details.gz
std::string ArchiveName(std::string_view computer, const LocalTime& time);

struct FinishRunInput {
  std::optional<std::string> computer_name;  // UTF-8; none when the system gave none
  LocalTime now;
  std::string task_text;       // less its last two characters: the parameter file
  std::string current_folder;  // for the message that says where a kept archive lies
  std::string caption;         // of the success window
};

enum class FinishOutcome {
  kNoComputerName,  // nothing done
  kNoFileList,      // nothing done
  kKeptHere,        // no summary folder: the archive stays in the current folder
  kFiled,           // copied into the summary folder, local archive removed
  kNotFiled,        // the copy failed: the local archive is kept and the user told
};

struct FinishResult {
  FinishOutcome outcome = FinishOutcome::kNoComputerName;
  std::string archive_name;
  std::string destination;
};

// The end-of-run steps behind the success window's OK. `list_name` is the file
// list's name text, shortened in place by the compression.
FinishResult FinishRun(std::string& list_name, const FinishRunInput& input, MessageSink& boxes);

}  // namespace vaultrine::backup
