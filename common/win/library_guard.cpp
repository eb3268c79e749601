#include "library_guard.h"

namespace vaultrine::win {

HANDLE LibraryContext::Get() {
  if (!tried_ && module_) {
    tried_ = true;
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = module_;
    request.lpResourceName = MAKEINTRESOURCEW(2);  // the isolation-aware manifest
    context_ = CreateActCtxW(&request);
  }
  return context_;
}

void LibraryContext::Release() {
  if (context_ != INVALID_HANDLE_VALUE) {
    ReleaseActCtx(context_);
    context_ = INVALID_HANDLE_VALUE;
  }
}

ExportScope::ExportScope(LibraryContext& context) {
  const HANDLE handle = context.Get();
  if (handle != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(handle, &cookie_) != FALSE;
}

ExportScope::~ExportScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace vaultrine::win
