// Text conversions between the encodings the suite meets: UTF-8 inside, UTF-16 at
// the wide Win32 calls, and Windows-1252 where a window or the engine wants ANSI text.
// Portable: no <windows.h>. Invalid UTF-8 becomes U+FFFD, never a crash.
#pragma once
#include <string>
#include <string_view>

namespace vaultrine {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Windows-1252, the ANSI code page of a Western European workstation. Characters
// that the page lacks become '?', as WideCharToMultiByte does by default.
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view cp1252);

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or bytes past U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Cuts `text` to at most `max_bytes` without splitting a UTF-8 sequence, so a text
// cut at its capacity never ends in a stray lead byte.
void CutUtf8(std::string& text, size_t max_bytes);

}  // namespace vaultrine
