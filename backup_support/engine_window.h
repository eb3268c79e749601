// The backup engine's own window would sit over the library's windows; they push it
// to the bottom, minimised. It is recognised by its title.
#pragma once
#include <windows.h>

namespace vaultrine::backup {

inline constexpr int kEngineWindowSearchLimit = 100;

// Looks at the (at most 100) top-level windows after `start` in Z order for the first
// whose title, upper-cased, contains "VAULTRINE.EXE", and minimises it. With no start
// window the search begins at the top of the desktop, and that first window counts too.
void MinimiseEngineWindow(HWND start);

// The title test on its own.
bool IsEngineTitle(const wchar_t* title);

}  // namespace vaultrine::backup
