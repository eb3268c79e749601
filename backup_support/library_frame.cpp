#include "library_frame.h"

#include "backup_support/engine_window.h"

namespace vaultrine::backup {
namespace {

HANDLE g_activation_context = INVALID_HANDLE_VALUE;

// Created on first use, not at load: the loader lock is held during process attach.
HANDLE ActivationContext() {
  static bool tried = false;
  if (!tried && State().instance) {
    tried = true;
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = State().instance;
    context.lpResourceName = MAKEINTRESOURCEW(2);  // the isolation-aware manifest
    g_activation_context = CreateActCtxW(&context);
  }
  return g_activation_context;
}

}  // namespace

LibraryState& State() {
  static LibraryState state;
  return state;
}

void InitialiseLibrary(HINSTANCE instance) {
  LibraryState& s = State();
  s.instance = instance;
  s.dialog_background = RGB(236, 233, 216);
  s.dialog_text = RGB(0, 0, 0);
  // A list left over from an earlier run would mix with this one; missing is fine.
  DeleteFileW(L"Vaultrine_FileList.txt");
  s.lists = FileLists();
  MinimiseEngineWindow(nullptr);
}

void ReleaseLibrary() {
  if (g_activation_context != INVALID_HANDLE_VALUE) {
    ReleaseActCtx(g_activation_context);
    g_activation_context = INVALID_HANDLE_VALUE;
  }
}

ExportScope::ExportScope() {
  const HANDLE context = ActivationContext();
  if (context != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(context, &cookie_) != FALSE;
}

ExportScope::~ExportScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace vaultrine::backup
