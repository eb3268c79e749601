// What every export of the two support libraries runs under: the library's own
// activation context, so that its dialogs get the common controls of its own
// manifest and not the engine's, and a catch-all, so that nothing thrown ever gets
// back to the engine (an exception there would kill the user's backup or restore).
#pragma once
#include <windows.h>

namespace vaultrine::win {

class LibraryContext {
 public:
  void SetModule(HMODULE module) { module_ = module; }
  HMODULE module() const { return module_; }
  // Created on first use, not at load: the loader lock is held during process attach.
  // INVALID_HANDLE_VALUE when the library has no usable manifest.
  HANDLE Get();
  void Release();

 private:
  HMODULE module_ = nullptr;
  HANDLE context_ = INVALID_HANDLE_VALUE;
  bool tried_ = false;
};

// The context is active for the lifetime of the scope.
class ExportScope {
 public:
  explicit ExportScope(LibraryContext& context);
  ~ExportScope();
  ExportScope(const ExportScope&) = delete;
  ExportScope& operator=(const ExportScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

template <typename Result, typename Body>
Result GuardedExport(LibraryContext& context, Result on_failure, Body body) noexcept {
  try {
    ExportScope scope(context);
    return body();
  } catch (...) {
    return on_failure;
  }
}

template <typename Body>
void GuardedExport(LibraryContext& context, Body body) noexcept {
  try {
    ExportScope scope(context);
    body();
  } catch (...) {
  }
}

}  // namespace vaultrine::win
