// The editor's FileGuard: a named mutex per parameter file, named after the file's
// full path in one case. The system destroys the mutex with the last handle, so an
// editor that was killed or crashed holds nothing any more.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "config_editor/core/file_guard.h"

namespace vaultrine::config {

class NamedMutexGuard : public FileGuard {
 public:
  NamedMutexGuard() = default;
  ~NamedMutexGuard() override;
  NamedMutexGuard(const NamedMutexGuard&) = delete;
  NamedMutexGuard& operator=(const NamedMutexGuard&) = delete;

  bool Take(const std::string& parameter_path) override;
  void KeepOnly(const std::string& first, const std::string& second) override;
  void ShowHolder(const std::string& parameter_path) override;

  // The name of the mutex that stands for `parameter_path`.
  static std::wstring MutexName(const std::string& parameter_path);

 private:
  struct Held {
    std::wstring name;
    HANDLE mutex;
  };
  std::vector<Held> held_;
};

}  // namespace vaultrine::config
