// An export of a library loaded by name, typed as the engines call it; null when the
// library lacks it.
#pragma once
#include <windows.h>

namespace vaultrine::uitest {

template <typename Fn>
Fn Export(HMODULE dll, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

}  // namespace vaultrine::uitest
