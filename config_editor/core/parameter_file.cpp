#include "config_editor/core/parameter_file.h"

#include <cstdio>

#include "common/bom_copy.h"
#include "common/file_io.h"

namespace vaultrine::config {

namespace {

constexpr std::string_view kWorkingSuffix = ".@@@";
constexpr const char* kMark = "\xEF\xBB\xBF";
constexpr const char* kEol = "\r\n";

// The editor's texts, shown as they are whatever the interface language.
constexpr const char* kMsgNoFileChosen = "Vous n'avez pas choisi de fichier paramètre à configurer";
constexpr const char* kMsgNoSuchFile = "Ce fichier paramètre n'existe pas";
constexpr const char* kMsgIncompatible = "Le fichier %s\n\nn'est pas compatible avec Tesseron";
constexpr const char* kMsgCannotOpenParameters = "Echec lors de l'ouverture du fichier paramètre";
constexpr const char* kMsgCannotCreateInternal =
    "Echec lors de la création du fichier interne de Tesseron";
constexpr const char* kMsgSectionFailed =
    "Echec lors de la création de la section %s du fichier interne de Tesseron";
constexpr const char* kMsgCannotCreateParameters = "Echec lors de la création du fichier paramètre";
constexpr const char* kMsgCannotOpenInternal = "Echec lors de l'ouverture du fichier temporaire";

std::string Format(const char* text, const std::string& value) {
  std::string out(text);
  const size_t at = out.find("%s");
  return at == std::string::npos ? out : out.replace(at, 2, value);
}

bool EndsSection(const std::string& line) { return line.empty() || line.front() == '['; }

// The destination line is the quoted folder, then, with a volume name,
// " ,name=" NAME " , search". Returns folder (quotes kept) and volume name.
std::pair<std::string, std::string> SplitDestination(const std::string& line) {
  const size_t comma = line.find(',');
  if (comma == std::string::npos) return {line, ""};
  std::string folder = line.substr(0, comma);
  if (!folder.empty() && folder.back() == ' ') folder.pop_back();
  const size_t start = comma + 6;  // past ",name="
  std::string volume = start < line.size() ? line.substr(start) : std::string();
  const size_t next = volume.find(',');
  if (next != std::string::npos) {
    volume.resize(next);
    if (!volume.empty() && volume.back() == ' ') volume.pop_back();
  }
  return {folder, volume};
}

}  // namespace

std::string ParameterPathOf(const std::string& path) {
  if (path.size() >= kWorkingSuffix.size() &&
      path.compare(path.size() - kWorkingSuffix.size(), kWorkingSuffix.size(), kWorkingSuffix) == 0)
    return path.substr(0, path.size() - kWorkingSuffix.size());
  return path;
}

std::string WorkingCopyName(const std::string& parameter_path) {
  return ParameterPathOf(parameter_path) + std::string(kWorkingSuffix);
}

std::string InternalFileName(const std::string& working_copy) {
  // Windows takes "/" as a separator too; the tests run where it is the only one.
  const size_t sep = working_copy.find_last_of("\\/");
  if (sep == std::string::npos) return std::string();
  return working_copy.substr(0, sep + 1) + "ZZZ_" + working_copy.substr(sep + 1) + ".tmp";
}

std::string BackupCopyName(const std::string& parameter_path) {
  return ParameterPathOf(parameter_path) + ".OLD";
}

std::string EntryKey(int number) {
  char key[16];
  std::snprintf(key, sizeof key, "%03i", number);
  return key;
}

bool MakeWorkingCopy(const std::string& source, const std::string& parameter_path) {
  return CopyToWorkingCopy(source, parameter_path) == WorkingCopyResult::kMade;
}

WorkingCopyResult CopyToWorkingCopy(const std::string& source, const std::string& parameter_path) {
  switch (CopyWithByteOrderMark(source, WorkingCopyName(parameter_path), kRemoveBom)) {
    case kBomCopyOk: return WorkingCopyResult::kMade;
    case kBomCopyNoSource: return WorkingCopyResult::kNoSource;
    default: return WorkingCopyResult::kCannotWrite;
  }
}

bool IsCompatible(const std::string& working_copy) {
  return ReadProfileString(working_copy, "general", "ov_obsolete", kListEnd, 512) != kListEnd;
}

std::optional<LineReader> FindSection(const std::string& working_copy, std::string_view header,
                                      MessageSink& sink) {
  LineReader reader = LineReader::Open(working_copy);
  if (!reader.is_open()) {
    ShowEditorMessage(sink, kMsgCannotOpenParameters, MessageIcon::kError);
    return std::nullopt;
  }
  std::string line;
  while (reader.Next(line))
    if (line == header) return reader;
  return std::nullopt;
}

bool LoadRuleSection(const std::string& working_copy, ProfileFile& internal,
                     std::string_view section, MessageSink& sink) {
  const std::string header = "[" + std::string(section) + "]";
  std::optional<LineReader> reader = FindSection(working_copy, header, sink);
  if (!reader) {
    ShowEditorMessage(sink, Format(kMsgSectionFailed, header), MessageIcon::kError);
    return false;
  }
  std::string line;
  int counter = 0;
  bool stored = true;
  while (reader->Next(line) && !EndsSection(line))
    stored = internal.Write(section, EntryKey(counter++), line) && stored;
  reader.reset();
  if (!stored || !internal.Flush()) {
    ShowEditorMessage(sink, Format(kMsgSectionFailed, header), MessageIcon::kError);
    return false;
  }
  return true;
}

namespace {

// Builds the internal file from the working copy; false, after its message, at the
// first section that is not there.
ConvertResult BuildInternalFile(const std::string& working, const std::string& internal_name,
                                MessageSink& sink) {
  {
    UniqueFile out = OpenFile(internal_name, "wb");
    if (!out) {
      ShowEditorMessage(sink, kMsgCannotCreateInternal, MessageIcon::kError);
      return kNoInternalFile;
    }
    std::optional<LineReader> general = FindSection(working, "[general]", sink);
    if (!general) {
      ShowEditorMessage(sink, Format(kMsgSectionFailed, "[general]"), MessageIcon::kError);
      return kSectionMissing;
    }
    std::string block = std::string("[general]") + kEol;
    std::string line;
    while (general->Next(line) && !EndsSection(line)) block += line + kEol;
    block += kEol;
    const bool written = std::fwrite(block.data(), 1, block.size(), out.get()) == block.size();
    if (std::fclose(out.release()) != 0 || !written) {
      ShowEditorMessage(sink, kMsgCannotCreateInternal, MessageIcon::kError);
      return kNoInternalFile;
    }
  }

  ProfileFile internal(internal_name);
  if (!LoadRuleSection(working, internal, "include", sink)) return kSectionMissing;

  std::optional<LineReader> destination = FindSection(working, "[destination]", sink);
  if (!destination) {
    ShowEditorMessage(sink, Format(kMsgSectionFailed, "[destination]"), MessageIcon::kError);
    return kSectionMissing;
  }
  std::string line;
  // Only a content line is a destination: an empty line or the next header leave
  // both keys absent rather than taking a header for a folder.
  if (destination->Next(line) && !EndsSection(line)) {
    auto [folder, volume] = SplitDestination(line);
    internal.Write("destination", "000", folder);
    internal.Write("destination", "999", volume);
  }
  destination.reset();
  if (!internal.Flush()) {
    ShowEditorMessage(sink, Format(kMsgSectionFailed, "[destination]"), MessageIcon::kError);
    return kSectionMissing;
  }

  for (const char* section : kRuleSectionsAfterDestination)
    if (!LoadRuleSection(working, internal, section, sink)) return kSectionMissing;
  return kConverted;
}

}  // namespace

ConvertResult ConvertToInternal(std::string& parameter_path, MessageSink& sink) {
  if (parameter_path.empty()) {
    ShowEditorMessage(sink, kMsgNoFileChosen, MessageIcon::kInformation);
    return kNoParameterFile;
  }
  const std::string working = WorkingCopyName(parameter_path);
  if (!FileReadable(working)) {
    ShowEditorMessage(sink, kMsgNoSuchFile, MessageIcon::kInformation);
    return kNoWorkingCopy;
  }
  if (!IsCompatible(working)) {
    ShowEditorMessage(sink, Format(kMsgIncompatible, working), MessageIcon::kError);
    parameter_path.clear();
    return kIncompatible;
  }
  const std::string internal_name = InternalFileName(working);
  if (internal_name.empty()) {
    ShowEditorMessage(sink, kMsgCannotCreateInternal, MessageIcon::kError);
    return kNoInternalFile;
  }
  // There, even if another program holds it shut for a moment: it holds the
  // session's edits and is never made again over them.
  if (PathExists(internal_name)) return kConverted;

  // The internal file exists only complete. One that stopped half-way would count
  // as converted and the next save would write the missing sections back empty.
  const ConvertResult result = BuildInternalFile(working, internal_name, sink);
  if (result != kConverted) RemoveFile(internal_name);
  if (result == kSectionMissing) parameter_path.clear();
  return result;
}

std::vector<std::string> ListsOverLimit(const ProfileFile& internal) {
  std::vector<std::string> over;
  auto check = [&](const char* section) {
    if (internal.Read(section, EntryKey(kMaxEntries), kListEnd) != kListEnd)
      over.push_back("[" + std::string(section) + "]");
  };
  check("include");
  for (const char* section : kRuleSectionsAfterDestination) check(section);
  return over;
}

namespace {

// Appends [section] and its entries, stopping at the list end or at kMaxEntries.
void AppendList(std::string& out, const ProfileFile& internal, const char* section, bool quote) {
  out += kEol;
  out += "[" + std::string(section) + "]" + kEol;
  for (int i = 0; i < kMaxEntries; ++i) {
    const std::string entry = internal.Read(section, EntryKey(i), kListEnd);
    if (entry == kListEnd) break;
    if (quote && (entry.empty() || entry.front() != '#'))
      out += "\"" + entry + "\"";
    else
      out += entry;
    out += kEol;
  }
}

std::string ComposeParameterFile(const std::string& internal_name, const std::string& internal_bytes) {
  std::string out = kMark;
  // The general block goes through as it stands, up to its closing empty line.
  for (size_t at = 0, first = 1; at < internal_bytes.size(); first = 0) {
    size_t end = internal_bytes.find('\n', at);
    if (end == std::string::npos) end = internal_bytes.size();
    std::string line = internal_bytes.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || (!first && line.front() == '[')) break;
    out += line + kEol;
  }
  const ProfileFile internal(internal_name, internal_bytes);
  AppendList(out, internal, "include", true);

  // An absent key reads as the list end, never a real folder or volume name.
  std::string volume = internal.Read("destination", "999", kListEnd);
  std::string folder = internal.Read("destination", "000", kListEnd);
  if (volume == kListEnd) volume.clear();
  if (folder == kListEnd) folder.clear();
  out += kEol;
  out += std::string("[destination]") + kEol;
  out += "\"" + folder + "\"";
  if (!volume.empty()) out += " ,name=" + volume + " , search";
  out += kEol;

  for (const char* section : kRuleSectionsAfterDestination)
    AppendList(out, internal, section, false);
  out += kEol;
  out += std::string("# eof") + kEol;
  return out;
}

}  // namespace

WriteResult WriteParameterFile(const std::string& parameter_path, MessageSink& sink) {
  const std::string target = ParameterPathOf(parameter_path);
  const std::string working = WorkingCopyName(target);
  const std::string internal_name = InternalFileName(working);

  UniqueFile out = OpenFile(working, "wb");
  if (!out) {
    ShowEditorMessage(sink, kMsgCannotCreateParameters, MessageIcon::kError);
    return kCannotCreate;
  }
  // Read whole, once: a read that fails part-way must stop the save, never pass
  // for sections that are empty.
  const std::optional<std::string> internal_bytes =
      internal_name.empty() ? std::nullopt : ReadWholeFile(internal_name);
  if (!internal_bytes) {
    out.reset();
    RemoveFile(working);
    ShowEditorMessage(sink, kMsgCannotOpenInternal, MessageIcon::kError);
    return kCannotReadInternal;
  }
  const std::string bytes = ComposeParameterFile(internal_name, *internal_bytes);
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
  ok = SyncFile(out.get()) && ok;
  ok = std::fclose(out.release()) == 0 && ok;
  ok = ok && ReplaceFileKeepingBackup(working, target, BackupCopyName(target));
  if (!ok) {
    RemoveFile(working);
    ShowEditorMessage(sink, kMsgCannotCreateParameters, MessageIcon::kError);
    return kCannotCreate;
  }
  RemoveFile(internal_name);
  return kWritten;
}

}  // namespace vaultrine::config
