#include "tools/engines/win/engine_support.h"

#include <algorithm>
#include <ctime>

#include "common/file_io.h"
#include "common/language.h"
#include "common/win/wide.h"
#include "tools/engines/core/engine_texts.h"
#include "tools/engines/core/path_rules.h"

namespace vaultrine::engines {

using win::FromWide;
using win::ToWide;

Library::Library(const std::string& path) : path_(path), module_(LoadLibraryW(ToWide(path).c_str())) {
  if (!module_) load_error_ = GetLastError();
}

std::string Library::Problem() const {
  if (!module_) return "Cannot load " + path_ + " (error " + std::to_string(load_error_) + ")";
  if (missing_.empty()) return {};
  std::string text = path_ + " lacks the export";
  text += missing_.size() > 1 ? "s " : " ";
  for (size_t i = 0; i < missing_.size(); ++i) text += (i ? ", " : "") + missing_[i];
  return text;
}

bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesW(ToWide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
  const DWORD a = GetFileAttributesW(ToWide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
void Walk(const std::string& folder, std::vector<std::string>& files, std::vector<std::string>& unreadable) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(ToWide(folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    unreadable.push_back(folder);
    return;
  }
  std::vector<std::pair<std::string, bool>> entries;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.emplace_back(FromWide(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(entries.begin(), entries.end());
  for (const auto& [name, is_folder] : entries) {
    const std::string path = folder + "\\" + name;
    if (is_folder) {
      Walk(path, files, unreadable);
    } else {
      files.push_back(path);
    }
  }
}
}  // namespace

std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>& unreadable) {
  std::string root = folder;
  while (root.size() > 3 && root.back() == '\\') root.pop_back();
  if (root.size() == 3 && root.back() == '\\') root.pop_back();  // "E:\" -> "E:"
  std::vector<std::string> files;
  Walk(root, files, unreadable);
  return files;
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty() || IsFolder(folder)) return true;
  const std::string parent = ParentFolder(folder);
  if (!parent.empty() && parent != folder && !MakeFolders(parent)) return false;
  return CreateDirectoryW(ToWide(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
  if (!MakeFolders(ParentFolder(to))) return false;
  return CopyFileW(ToWide(from).c_str(), ToWide(to).c_str(), FALSE) != 0;
}

Catalog LoadCatalog() {
  Catalog catalog;
  if (const auto bytes = ReadWholeFile(kCatalogPath)) catalog.Parse(*bytes);
  return catalog;
}

int64_t UnixNow() { return static_cast<int64_t>(std::time(nullptr)); }

std::string LocalDateText() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return FormatDate(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

}  // namespace vaultrine::engines
