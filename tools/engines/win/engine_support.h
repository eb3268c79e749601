// What both stand-in engines need around the libraries: loading one with all its
// exports or saying clearly what is missing, files in UTF-8, the catalog, the clock.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/engines/core/gettext_catalog.h"

namespace vaultrine::engines {

class Library {
 public:
  explicit Library(const std::string& path);
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  template <typename Fn>
  Fn Get(const char* name) {
    FARPROC p = module_ ? GetProcAddress(module_, name) : nullptr;
    if (!p) missing_.push_back(name);
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(p));
  }
  // Empty when the library loaded and every export asked for was found.
  std::string Problem() const;

 private:
  std::string path_;
  HMODULE module_;
  DWORD load_error_ = 0;
  std::vector<std::string> missing_;
};

bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);
// Every file below `folder`, depth first in name order; folders that cannot be
// listed go to `unreadable`.
std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>& unreadable);
// Creates the folder and its missing parents.
bool MakeFolders(const std::string& folder);
// Copies over an existing file, creating the target's folder first. The copy keeps
// the source's modification time.
bool CopyFileReplacing(const std::string& from, const std::string& to);

// The catalog at its place relative to the current directory; empty when absent.
Catalog LoadCatalog();

int64_t UnixNow();
std::string LocalDateText();

}  // namespace vaultrine::engines
