// The obsolescence delay and the encryption key are kept in the parameter file as
// the bytes the user gave, and the engines read those bytes back. Older files may
// hold them in the ANSI code page, newer ones in UTF-8; neither may change by being
// shown and saved again. The editor's general page and the restore request dialog
// both go through these two functions, so a key saved by one is proposed unchanged
// by the other and reaches the engine as the same bytes.
#pragma once
#include <string>
#include <string_view>

namespace vaultrine {

// The text a field shows (UTF-8) for stored bytes: the bytes themselves when they are
// valid UTF-8, otherwise read as Windows-1252.
std::string ShowRawValue(std::string_view stored);

// The bytes to store for what the field holds now (UTF-8): the stored bytes unchanged
// when the field still shows what ShowRawValue gave for them, otherwise the typed
// text in UTF-8.
std::string StoreRawValue(std::string_view stored, std::string_view shown_now);

// Cuts stored bytes to a capacity: whole characters when they are UTF-8, otherwise
// byte by byte (a Windows-1252 character is one byte).
void CutRawValue(std::string& stored, size_t max_bytes);

}  // namespace vaultrine
