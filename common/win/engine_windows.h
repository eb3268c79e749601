// The engines' own windows would sit over the libraries' windows; the libraries push
// them out of the way. They are recognised by the program's name in their title.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace vaultrine::win {

// True when the title, upper-cased, contains `upper_name` ("VAULTRINE.EXE").
bool TitleNamesProgram(const wchar_t* title, const wchar_t* upper_name);

// The whole title of a window, however long.
std::wstring WindowTitle(HWND window);

// Offers `visit` the (at most `limit`) top-level windows that follow `start` in Z
// order, until it returns true. The next window is taken before `visit` runs, so a
// visit that moves its window does not cut the walk short.
void WalkWindowsBelow(HWND start, int limit, const std::function<bool(HWND)>& visit);

}  // namespace vaultrine::win
